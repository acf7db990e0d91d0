#include "app/track_loading.h"

#include <functional>

#include "app/app.h"
#include "model/file_names.h"
#include "readers/container.h"

namespace {
// Record fields hold 32-bit stream positions.
constexpr uint64_t kMaxStreamSize = 0xFFFFFFFFull;

std::string unsupportedTracks(const std::vector<SubtitleTrack>& tracks) {
  std::string text = "Unsupported subtitle track";
  text += tracks.size() > 1 ? "s: " : ": ";
  for (size_t i = 0; i < tracks.size(); ++i)
    text += (i ? ", " : "") + std::to_string(tracks[i].number) + " (" + tracks[i].codec + ")";
  return text + ". Only Blu-ray and DVD picture subtitles can be read.";
}

// The position in the file to the second status panel, as the stream readers show theirs,
// at most once per percent.
class ProgressLine {
 public:
  explicit ProgressLine(App& app) : app_(app) {}
  void operator()(uint64_t done, uint64_t total) {
    const uint64_t percent = total ? done * 100 / total : 0;
    if (percent == shown_) return;
    shown_ = percent;
    app_.slog(std::to_string(done) + "/" + std::to_string(total), 1);
  }

 private:
  App& app_;
  uint64_t shown_ = ~uint64_t(0);
};

std::optional<SubtitleTrack> chooseTrack(App& app, const std::string& path, const std::vector<SubtitleTrack>& readable) {
  if (readable.size() == 1) return readable.front();
  const auto chosen = app.host.chooseTrack(fileNameOf(path), readable);
  if (!chosen || *chosen >= readable.size()) return std::nullopt;
  return readable[*chosen];
}
}  // namespace

TrackLoad loadContainerTrack(App& app, const std::string& path, std::optional<StreamFile>& file) {
  TrackData data;
  SubtitleTrack track;
  try {
    const std::unique_ptr<Container> container = openContainer(path);
    if (!container) return TrackLoad::notContainer;
    std::vector<SubtitleTrack> readable, others;
    for (const SubtitleTrack& t : container->tracks()) (t.kind == TrackKind::other ? others : readable).push_back(t);
    if (readable.empty()) {
      app.erlog(others.empty() ? "No subtitle track found." : unsupportedTracks(others));
      return TrackLoad::failed;
    }
    const auto chosen = chooseTrack(app, path, readable);
    if (!chosen) {
      app.log("No subtitle track chosen.");
      return TrackLoad::failed;
    }
    track = *chosen;
    app.log("Track " + std::to_string(track.number) + " of " + fileNameOf(path) + ": " + trackDetails(track));
    ProgressLine progress(app);
    data = container->read(track, std::ref(progress));
  } catch (const std::exception& e) {
    // A damaged description, a file gone since it was opened, or no memory for the track.
    app.erlog(e.what());
    return TrackLoad::failed;
  }
  // The units read before a damaged place are kept, as a stream file's are.
  if (!data.damage.empty()) app.erlog("Damaged file: " + data.damage);
  if (data.brokenUnits > 0) app.log(std::to_string(data.brokenUnits) + " incomplete subtitle units left out.");
  if (data.stream.size() > kMaxStreamSize) {
    app.erlog("Stream read error");
    return TrackLoad::failed;
  }
  if (data.stream.empty()) {
    app.log("The track holds no subtitles.");
    return TrackLoad::failed;
  }
  app.trackFile = path;
  app.trackNumber = track.number;
  app.trackStream = std::make_shared<const std::vector<uint8_t>>(std::move(data.stream));
  app.dvdIndex = data.dvdIndex;
  file.emplace(openListStream(app, path));
  return TrackLoad::loaded;
}

std::string captionForSource(const App& app) {
  if (!app.fromTrack()) return programCaption();
  return programCaption() + " - " + fileNameOf(app.trackFile) + ", track " + std::to_string(app.trackNumber);
}
