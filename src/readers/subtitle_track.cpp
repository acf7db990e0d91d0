#include "readers/subtitle_track.h"

std::string trackKindText(const SubtitleTrack& track) {
  switch (track.kind) {
    case TrackKind::bluRay: return "Blu-ray (PGS)";
    case TrackKind::dvd: return "DVD (VobSub)";
    default: return track.codec;
  }
}

std::string describeTrack(const SubtitleTrack& track) { return std::to_string(track.number) + ": " + trackDetails(track); }

std::string trackDetails(const SubtitleTrack& track) {
  std::string text;
  if (!track.language.empty()) text += track.language + ", ";
  text += trackKindText(track);
  if (track.packets) text += ", " + std::to_string(*track.packets) + " packets";
  if (!track.name.empty()) text += ", \"" + track.name + "\"";
  return text;
}
