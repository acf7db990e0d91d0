#pragma once
// One subtitle track of a video file or VobSub pair, as the user chooses among them.
#include <cstdint>
#include <optional>
#include <string>

enum class TrackKind : uint8_t {
  bluRay,  // presentation graphics: read as "PG" segments
  dvd,     // subpicture units: read as "SP" packets
  other,   // text and other kinds this program does not read
};

struct SubtitleTrack {
  int number = 0;          // the file's own number of the track, counted from 0 over all its tracks
  TrackKind kind = TrackKind::other;
  std::string codec;       // the file's name for the kind ("S_HDMV/PGS", "subrip", ...)
  std::string language;    // "" when the file gives none
  std::string name;        // "" when the file gives none
  std::optional<uint64_t> packets;  // when the file counts them
};

// "eng, Blu-ray (PGS), 1250 packets, "Director's comments""; the parts a file does not give
// are left out.
std::string trackDetails(const SubtitleTrack& track);
// The details after the track's number: "3: eng, Blu-ray (PGS), ...".
std::string describeTrack(const SubtitleTrack& track);
// "Blu-ray (PGS)", "DVD (VobSub)", or the file's name for another kind.
std::string trackKindText(const SubtitleTrack& track);
