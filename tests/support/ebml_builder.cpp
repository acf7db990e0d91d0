#include "support/ebml_builder.h"

#include "readers/matroska_ids.h"

namespace ebml {
namespace {
constexpr size_t kSizeBytes = 8;

void putId(Bytes& out, uint32_t id) {
  bool started = false;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const uint8_t b = uint8_t(id >> shift);
    if (b != 0 || started) out.push_back(b), started = true;
  }
}

void putSize(Bytes& out, uint64_t size) {
  out.push_back(0x01);  // eight bytes long
  for (int shift = 48; shift >= 0; shift -= 8) out.push_back(uint8_t(size >> shift));
}

size_t idLength(uint32_t id) { return id > 0xFFFFFF ? 4 : id > 0xFFFF ? 3 : id > 0xFF ? 2 : 1; }
size_t elementSize(uint32_t id, size_t data) { return idLength(id) + kSizeBytes + data; }

Bytes blockData(uint64_t track, int16_t relative, const Bytes& frame, uint8_t flags) {
  Bytes d = {uint8_t(0x80 | track), uint8_t(uint16_t(relative) >> 8), uint8_t(relative), flags};
  d.insert(d.end(), frame.begin(), frame.end());
  return d;
}
}  // namespace

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes element(uint32_t id, const Bytes& data) {
  Bytes out;
  putId(out, id);
  putSize(out, data.size());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes unknownSize(uint32_t id, const Bytes& data) {
  Bytes out;
  putId(out, id);
  out.push_back(0xFF);  // one byte, every value bit set
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes uint(uint32_t id, uint64_t v) {
  Bytes data;
  for (int shift = 56; shift >= 0; shift -= 8) data.push_back(uint8_t(v >> shift));
  return element(id, data);
}

Bytes text(uint32_t id, const std::string& s) { return element(id, Bytes(s.begin(), s.end())); }

Bytes header() { return element(mkv::kEbml, text(mkv::kDocType, "matroska")); }

Bytes trackEntry(uint64_t number, uint64_t type, const std::string& codec, const Bytes& more) {
  return element(mkv::kTrackEntry, cat({uint(mkv::kTrackNumber, number), uint(mkv::kTrackUid, 1000 + number),
                                        uint(mkv::kTrackType, type), text(mkv::kCodecId, codec), more}));
}

Bytes simpleBlock(uint64_t track, int16_t relative, const Bytes& frame, uint8_t flags) {
  return element(mkv::kSimpleBlock, blockData(track, relative, frame, flags));
}

Bytes blockGroup(uint64_t track, int16_t relative, const Bytes& frame) {
  return element(mkv::kBlockGroup, element(mkv::kBlock, blockData(track, relative, frame, 0)));
}

Bytes cluster(uint64_t time, const std::vector<Bytes>& blocks) {
  Bytes data = uint(mkv::kTimestamp, time);
  for (const Bytes& b : blocks) data.insert(data.end(), b.begin(), b.end());
  return element(mkv::kCluster, data);
}

Bytes file(const std::vector<Bytes>& trackEntries, const std::vector<std::vector<Bytes>>& clusterBlocks,
           const std::vector<uint64_t>& clusterTimes, const std::vector<Cue>& cues, const Bytes& tags) {
  Bytes entries;
  for (const Bytes& e : trackEntries) entries.insert(entries.end(), e.begin(), e.end());
  const Bytes head = cat({element(mkv::kInfo, uint(mkv::kTimestampScale, 1000000)), element(mkv::kTracks, entries), tags});
  // Each cue point has the same size, so the index's size is known before the positions.
  const size_t cuePointSize =
      elementSize(mkv::kCuePoint, elementSize(mkv::kCueTrackPositions, 3 * elementSize(mkv::kCueTrack, 8)));
  const size_t cuesSize = cues.empty() ? 0 : elementSize(mkv::kCues, cues.size() * cuePointSize);
  std::vector<Bytes> clusters;
  std::vector<uint64_t> clusterAt;  // from the segment's data
  uint64_t at = head.size() + cuesSize;
  for (size_t i = 0; i < clusterBlocks.size(); ++i) {
    clusters.push_back(cluster(clusterTimes[i], clusterBlocks[i]));
    clusterAt.push_back(at);
    at += clusters.back().size();
  }
  Bytes points;
  for (const Cue& c : cues) {
    // The block's place from the start of its cluster's data: past the cluster time and the
    // blocks before it; a cue without one points at the cluster time instead.
    uint64_t relative = 0;
    const bool exact = c.block >= 0;
    if (exact) {
      relative = elementSize(mkv::kTimestamp, 8);
      for (int b = 0; b < c.block; ++b) relative += clusterBlocks[c.cluster][size_t(b)].size();
    }
    const Bytes positions = cat({uint(mkv::kCueTrack, c.track), uint(mkv::kCueClusterPosition, clusterAt[c.cluster]),
                                 exact ? uint(mkv::kCueRelativePosition, relative) : uint(0xEC, 0)});  // 0xEC: Void
    points = cat({points, element(mkv::kCuePoint, element(mkv::kCueTrackPositions, positions))});
  }
  Bytes segment = head;
  if (!cues.empty()) segment = cat({segment, element(mkv::kCues, points)});
  for (const Bytes& c : clusters) segment = cat({segment, c});
  return cat({header(), element(mkv::kSegment, segment)});
}
}  // namespace ebml
