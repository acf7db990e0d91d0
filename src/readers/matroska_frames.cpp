#include "readers/matroska_frames.h"

#include <limits>
#include <map>
#include <set>
#include <stdexcept>

#include "readers/ebml.h"
#include "readers/frame_decoding.h"
#include "readers/matroska_ids.h"

namespace {
constexpr uint8_t kLacingBits = 0x06;
constexpr size_t kBlockFixed = 3;  // relative time (16 bits), flags

struct FoundBlock {
  EbmlElement data;  // a SimpleBlock, or the Block of a BlockGroup
  uint64_t clusterTime = 0;
};

class BlockFinder {
 public:
  BlockFinder(const StreamFile& f, const MatroskaLayout& layout, const MatroskaTrack& track,
              const ReadProgress& progress)
      : f_(f), layout_(layout), number_(track.blockNumber), progress_(progress) {}

  // Blocks by file position.
  std::map<uint64_t, FoundBlock> blocks;

  // Through the index; false when the index does not lead to the blocks (then nothing is
  // kept, and the clusters are walked instead).
  bool viaIndex(const std::vector<const CuePosition*>& cues) {
    try {
      for (const CuePosition* cue : cues) {
        const EbmlElement cluster = readElement(f_, cue->cluster, layout_.segmentEnd);
        if (cluster.id != mkv::kCluster) throw ContainerError("no cluster where the index says");
        progress_(cue->cluster, f_.size());
        if (cue->relative && *cue->relative < cluster.size() && takeIndexed(cluster, cluster.data + *cue->relative))
          continue;
        if (walked_.insert(cluster.pos).second) walkCluster(cluster);
      }
      return true;
    } catch (const std::runtime_error&) {
      blocks.clear();
      walked_.clear();
      return false;
    }
  }

  void walkAll() {
    if (!layout_.firstCluster) return;
    for (uint64_t p = *layout_.firstCluster; p < layout_.segmentEnd;) {
      const EbmlElement e = readElement(f_, p, layout_.segmentEnd);
      if (e.id == mkv::kCluster) {
        progress_(p, f_.size());
        p = walkCluster(e);
      } else if (e.unknownSize) {
        break;
      } else {
        p = e.end;
      }
    }
  }

 private:
  std::optional<EbmlElement> blockData(const EbmlElement& e) const {
    if (e.id == mkv::kSimpleBlock) return e;
    if (e.id != mkv::kBlockGroup) return std::nullopt;
    std::optional<EbmlElement> block;
    forEachChild(f_, e, [&](const EbmlElement& c) {
      if (c.id == mkv::kBlock && !block) block = c;
    });
    return block;
  }

  bool ofTrack(const EbmlElement& data) const { return readEbmlNumber(f_, data.data, data.end).value == number_; }

  // The cluster's time: its first child as a rule.
  uint64_t clusterTime(const EbmlElement& cluster) const {
    for (uint64_t p = cluster.data; p < cluster.end;) {
      const EbmlElement e = readElement(f_, p, cluster.end);
      if (e.id == mkv::kTimestamp) return ebmlUnsigned(f_, e);
      if (e.id == mkv::kSimpleBlock || e.id == mkv::kBlockGroup || mkv::isTopLevel(e.id)) break;
      p = e.end;
    }
    return 0;
  }

  // Whether the index's place in the cluster holds a block of the track.
  bool takeIndexed(const EbmlElement& cluster, uint64_t at) {
    EbmlElement e;
    try {
      e = readElement(f_, at, cluster.end);
    } catch (const std::runtime_error&) {
      return false;  // not the start of an element
    }
    const auto data = blockData(e);
    if (!data || !ofTrack(*data)) return false;
    blocks[e.pos] = {*data, clusterTime(cluster)};
    return true;
  }

  // Keeps the cluster's blocks of the track; returns where the cluster ends (for one of
  // unknown size, at the next element that belongs to the segment).
  uint64_t walkCluster(const EbmlElement& cluster) {
    uint64_t time = 0;
    for (uint64_t p = cluster.data; p < cluster.end;) {
      const EbmlElement e = readElement(f_, p, cluster.end);
      if (cluster.unknownSize && mkv::isTopLevel(e.id)) return p;
      if (e.id == mkv::kTimestamp) {
        time = ebmlUnsigned(f_, e);
      } else if (e.id == mkv::kSimpleBlock || e.id == mkv::kBlockGroup) {
        const auto data = blockData(e);
        if (data && ofTrack(*data)) blocks[e.pos] = {*data, time};
      }
      p = e.end;
    }
    return cluster.end;
  }

  const StreamFile& f_;
  const MatroskaLayout& layout_;
  const uint64_t number_;
  const ReadProgress& progress_;
  std::set<uint64_t> walked_;
};

// A block's time (in units of the timestamp scale) as 90 kHz ticks, rounded; times beyond
// what 63 bits hold end there.
int64_t ticksOf(uint64_t clusterTime, int16_t relative, uint64_t scale) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  const __int128 units = __int128(clusterTime) + relative;
  if ((long double)units * scale * 9 / 100000 > (long double)kMax) return kMax;
  const __int128 ns = units * scale;
  return int64_t((ns * 9 + (ns < 0 ? -50000 : 50000)) / 100000);
}

std::vector<const CuePosition*> cuesOf(const MatroskaLayout& layout, const MatroskaTrack& track) {
  std::vector<const CuePosition*> cues;
  for (const CuePosition& c : layout.cues)
    if (c.blockNumber == track.blockNumber) cues.push_back(&c);
  return cues;
}
}  // namespace

std::string readMatroskaFrames(const StreamFile& f, const MatroskaLayout& layout, const MatroskaTrack& track,
                               TrackStream& out, const ReadProgress& progress) {
  BlockFinder finder(f, layout, track, progress);
  std::string damage;
  try {
    const auto cues = cuesOf(layout, track);
    // An index that lists fewer blocks than the file counts for the track would lose some.
    const bool complete = !cues.empty() && (!track.track.packets || *track.track.packets == cues.size());
    if (!complete || !finder.viaIndex(cues)) finder.walkAll();
  } catch (const std::runtime_error& e) {
    damage = e.what();  // the blocks found before the damage are still read
  }
  try {
    for (const auto& [pos, block] : finder.blocks) {
      const EbmlElement& d = block.data;
      const EbmlNumber number = readEbmlNumber(f, d.data, d.end);
      const uint64_t p = d.data + number.length;
      if (d.cut || d.end - p < kBlockFixed) throw ContainerError("Damaged Matroska file.");
      const auto fixed = f.at(p, kBlockFixed);
      const int16_t relative = int16_t(uint16_t(fixed[0] << 8 | fixed[1]));
      // Subtitle tracks are not laced: a laced block is not a subtitle frame.
      if ((fixed[2] & kLacingBits) != 0) continue;
      const auto frame = f.at(p + kBlockFixed, d.end - p - kBlockFixed);
      out.add(decodeFrame(track.coding, track.strippedHeader, frame),
              ticksOf(block.clusterTime, relative, layout.timestampScale));
      progress(pos, f.size());
    }
  } catch (const std::runtime_error& e) {
    if (damage.empty()) damage = e.what();
  }
  return damage;
}
