#pragma once
// What a Matroska file says about itself before its clusters of frames: its subtitle tracks,
// the clock of its block times, where its clusters begin and its index of cue points.
#include <cstdint>
#include <optional>
#include <vector>

#include "readers/stream_file.h"
#include "readers/subtitle_track.h"

// How a track's frames are stored.
enum class FrameCoding : uint8_t { plain, zlib, headerStripped, unreadable };

struct MatroskaTrack {
  SubtitleTrack track;
  uint64_t blockNumber = 0;  // the number its blocks carry
  std::vector<uint8_t> codecPrivate;
  FrameCoding coding = FrameCoding::plain;
  std::vector<uint8_t> strippedHeader;  // put back in front of each frame
};

// One entry of the file's index: where a block of a track lies.
struct CuePosition {
  uint64_t blockNumber = 0;
  uint64_t cluster = 0;                 // file position of the cluster
  std::optional<uint64_t> relative;     // of the block, from the start of the cluster's data
};

struct MatroskaLayout {
  uint64_t segmentData = 0, segmentEnd = 0;
  uint64_t timestampScale = 1000000;    // nanoseconds per unit of a block time
  std::optional<uint64_t> firstCluster;
  std::vector<MatroskaTrack> tracks;    // the subtitle tracks
  std::vector<CuePosition> cues;        // those of the subtitle tracks
};

// Reads the description at the start of the file (and the parts of it its seek table places
// after the clusters). Throws ContainerError when the file is not Matroska or is damaged there.
MatroskaLayout readMatroskaLayout(const StreamFile& f);

// Whether the bytes start as a Matroska file does.
bool looksLikeMatroska(const StreamFile& f);
