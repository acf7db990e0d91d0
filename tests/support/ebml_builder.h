#pragma once
// Matroska files put together element by element, for the layouts muxers seldom write:
// no index, clusters of unknown size, compressed frames, cut files. Every size and number is
// written in eight bytes, so that positions can be worked out before the bytes exist.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace ebml {
using Bytes = std::vector<uint8_t>;

Bytes cat(std::initializer_list<Bytes> parts);
Bytes element(uint32_t id, const Bytes& data);
Bytes unknownSize(uint32_t id, const Bytes& data);
Bytes uint(uint32_t id, uint64_t v);
Bytes text(uint32_t id, const std::string& s);

// The EBML header of a Matroska file.
Bytes header();
// A track entry: its number in blocks, its type (17 subtitles) and codec, plus further children.
Bytes trackEntry(uint64_t number, uint64_t type, const std::string& codec, const Bytes& more = {});
// A SimpleBlock of one frame.
Bytes simpleBlock(uint64_t track, int16_t relative, const Bytes& frame, uint8_t flags = 0x80);
// A BlockGroup holding a Block of one frame.
Bytes blockGroup(uint64_t track, int16_t relative, const Bytes& frame);
Bytes cluster(uint64_t time, const std::vector<Bytes>& blocks);

struct Cue {
  uint64_t track;
  size_t cluster;  // index into the clusters
  int block;       // index into that cluster's blocks; -1: no relative position
};

// A file: header, segment with info, tracks, an index of cue points (when given) and the
// clusters.
Bytes file(const std::vector<Bytes>& trackEntries, const std::vector<std::vector<Bytes>>& clusterBlocks,
           const std::vector<uint64_t>& clusterTimes, const std::vector<Cue>& cues, const Bytes& tags = {});
}  // namespace ebml
