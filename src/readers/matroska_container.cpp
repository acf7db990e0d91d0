#include "readers/matroska_container.h"

#include <string_view>

#include "readers/matroska_frames.h"

MatroskaContainer::MatroskaContainer(StreamFile file) : file_(std::move(file)), layout_(readMatroskaLayout(file_)) {
  file_.adviseRandomAccess();
  for (const MatroskaTrack& t : layout_.tracks) tracks_.push_back(t.track);
}

TrackData MatroskaContainer::read(const SubtitleTrack& track, const ReadProgress& progress) {
  TrackData data;
  for (const MatroskaTrack& t : layout_.tracks) {
    if (t.track.number != track.number) continue;
    TrackStream out(t.track.kind);
    data.damage = readMatroskaFrames(file_, layout_, t, out, progress);
    data.stream = out.take();
    data.brokenUnits = out.brokenUnits();
    if (t.track.kind == TrackKind::dvd)
      data.dvdIndex = parseDvdIndex(std::string_view(reinterpret_cast<const char*>(t.codecPrivate.data()), t.codecPrivate.size()));
  }
  return data;
}
