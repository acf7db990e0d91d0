#include "readers/matroska_layout.h"

#include <map>
#include <set>
#include <string>

#include "readers/container.h"
#include "readers/ebml.h"
#include "readers/frame_decoding.h"
#include "readers/matroska_ids.h"

namespace {
// Content encoding scopes: what an encoding applies to.
constexpr uint64_t kScopeFrames = 1, kScopePrivate = 2;
// Compression algorithms.
constexpr uint64_t kAlgoZlib = 0, kAlgoHeaderStripping = 3;

TrackKind kindOf(const std::string& codec) {
  if (codec == "S_HDMV/PGS") return TrackKind::bluRay;
  if (codec == "S_VOBSUB") return TrackKind::dvd;
  return TrackKind::other;
}

// Top-level elements of the segment found by walking up to the first cluster or through the
// seek tables, by ID.
class SegmentMap {
 public:
  SegmentMap(const StreamFile& f, MatroskaLayout& layout) : f_(f), layout_(layout) {}

  void build() {
    for (uint64_t p = layout_.segmentData; p < layout_.segmentEnd;) {
      const EbmlElement e = readElement(f_, p, layout_.segmentEnd);
      if (e.id == mkv::kCluster) {
        layout_.firstCluster = e.pos;
        break;
      }
      note(e);
      if (e.unknownSize) break;  // nothing can be found after it
      p = e.end;
    }
  }

  std::optional<EbmlElement> find(uint32_t id) const {
    const auto it = found_.find(id);
    if (it == found_.end()) return std::nullopt;
    return it->second;
  }

 private:
  void note(const EbmlElement& e) {
    found_.emplace(e.id, e);  // the first of each kind
    if (e.id == mkv::kSeekHead && seekHeads_.insert(e.pos).second) readSeekHead(e);
  }

  void readSeekHead(const EbmlElement& head) {
    forEachChild(f_, head, [&](const EbmlElement& seek) {
      if (seek.id != mkv::kSeek) return;
      uint32_t id = 0;
      std::optional<uint64_t> position;
      forEachChild(f_, seek, [&](const EbmlElement& c) {
        if (c.id == mkv::kSeekId && c.size() <= 4)
          for (const uint8_t b : ebmlBytes(f_, c)) id = id << 8 | b;
        else if (c.id == mkv::kSeekPosition) position = ebmlUnsigned(f_, c);
      });
      if (!position || *position >= layout_.segmentEnd - layout_.segmentData) return;
      // An entry that does not lead to the element it names is passed over.
      const uint64_t at = layout_.segmentData + *position;
      const EbmlElement target = readElement(f_, at, layout_.segmentEnd);
      if (target.id == id && id != mkv::kCluster) note(target);
    });
  }

  const StreamFile& f_;
  MatroskaLayout& layout_;
  std::map<uint32_t, EbmlElement> found_;
  std::set<uint64_t> seekHeads_;
};

void readEncodings(const StreamFile& f, const EbmlElement& encodings, MatroskaTrack& t) {
  int count = 0;
  forEachChild(f, encodings, [&](const EbmlElement& enc) {
    if (enc.id != mkv::kContentEncoding) return;
    ++count;
    uint64_t scope = kScopeFrames, type = 0, algo = kAlgoZlib;
    bool compression = false;
    std::vector<uint8_t> settings;
    forEachChild(f, enc, [&](const EbmlElement& c) {
      if (c.id == mkv::kContentEncodingScope) scope = ebmlUnsigned(f, c);
      else if (c.id == mkv::kContentEncodingType) type = ebmlUnsigned(f, c);
      else if (c.id == mkv::kContentCompression) {
        compression = true;
        forEachChild(f, c, [&](const EbmlElement& d) {
          if (d.id == mkv::kContentCompAlgo) algo = ebmlUnsigned(f, d);
          else if (d.id == mkv::kContentCompSettings) {
            const auto bytes = ebmlBytes(f, d);
            settings.assign(bytes.begin(), bytes.end());
          }
        });
      }
    });
    if (type != 0 || !compression) t.coding = FrameCoding::unreadable;  // encrypted
    else if (algo == kAlgoZlib) t.coding = FrameCoding::zlib;
    else if (algo == kAlgoHeaderStripping) t.coding = FrameCoding::headerStripped;
    else t.coding = FrameCoding::unreadable;
    t.strippedHeader = std::move(settings);
    if ((scope & kScopeFrames) == 0) t.coding = FrameCoding::plain;
    if ((scope & kScopePrivate) != 0 && t.coding != FrameCoding::plain && t.coding != FrameCoding::unreadable)
      t.codecPrivate = decodeFrame(t.coding, t.strippedHeader, t.codecPrivate);
  });
  // Chains of encodings are not written for subtitles.
  if (count > 1) t.coding = FrameCoding::unreadable;
}

void readTracks(const StreamFile& f, const EbmlElement& tracks, MatroskaLayout& layout,
                std::map<uint64_t, size_t>& byUid) {
  int index = 0;
  forEachChild(f, tracks, [&](const EbmlElement& entry) {
    if (entry.id != mkv::kTrackEntry) return;
    MatroskaTrack t;
    t.track.number = index++;
    uint64_t type = 0, uid = 0;
    std::string language = "eng", bcp47;  // the format's default language
    std::optional<EbmlElement> encodings;
    forEachChild(f, entry, [&](const EbmlElement& c) {
      switch (c.id) {
        case mkv::kTrackNumber: t.blockNumber = ebmlUnsigned(f, c); break;
        case mkv::kTrackUid: uid = ebmlUnsigned(f, c); break;
        case mkv::kTrackType: type = ebmlUnsigned(f, c); break;
        case mkv::kCodecId: t.track.codec = ebmlString(f, c); break;
        case mkv::kCodecPrivate: {
          const auto bytes = ebmlBytes(f, c);
          t.codecPrivate.assign(bytes.begin(), bytes.end());
          break;
        }
        case mkv::kLanguage: language = ebmlString(f, c); break;
        case mkv::kLanguageBcp47: bcp47 = ebmlString(f, c); break;
        case mkv::kName: t.track.name = ebmlString(f, c); break;
        case mkv::kContentEncodings: encodings = c; break;
        default: break;
      }
    });
    if (type != mkv::kSubtitleTrackType) return;
    t.track.language = bcp47.empty() ? language : bcp47;
    t.track.kind = kindOf(t.track.codec);
    // Read after the whole entry: the private data an encoding may apply to can come later.
    if (encodings) readEncodings(f, *encodings, t);
    if (t.coding == FrameCoding::unreadable) t.track.kind = TrackKind::other;
    byUid[uid] = layout.tracks.size();
    layout.tracks.push_back(std::move(t));
  });
}

void readCues(const StreamFile& f, const EbmlElement& cues, MatroskaLayout& layout) {
  std::set<uint64_t> subtitleNumbers;
  for (const MatroskaTrack& t : layout.tracks) subtitleNumbers.insert(t.blockNumber);
  forEachChild(f, cues, [&](const EbmlElement& point) {
    if (point.id != mkv::kCuePoint) return;
    forEachChild(f, point, [&](const EbmlElement& positions) {
      if (positions.id != mkv::kCueTrackPositions) return;
      CuePosition cue;
      std::optional<uint64_t> cluster;
      forEachChild(f, positions, [&](const EbmlElement& c) {
        if (c.id == mkv::kCueTrack) cue.blockNumber = ebmlUnsigned(f, c);
        else if (c.id == mkv::kCueClusterPosition) cluster = ebmlUnsigned(f, c);
        else if (c.id == mkv::kCueRelativePosition) cue.relative = ebmlUnsigned(f, c);
      });
      if (!cluster || subtitleNumbers.count(cue.blockNumber) == 0) return;
      if (*cluster >= layout.segmentEnd - layout.segmentData) return;
      cue.cluster = layout.segmentData + *cluster;
      layout.cues.push_back(cue);
    });
  });
}

// The packet counts a muxer writes as statistics tags.
void readTags(const StreamFile& f, const EbmlElement& tags, MatroskaLayout& layout,
              const std::map<uint64_t, size_t>& byUid) {
  forEachChild(f, tags, [&](const EbmlElement& tag) {
    if (tag.id != mkv::kTag) return;
    std::optional<uint64_t> uid;
    std::optional<uint64_t> frames;
    forEachChild(f, tag, [&](const EbmlElement& c) {
      if (c.id == mkv::kTargets) {
        forEachChild(f, c, [&](const EbmlElement& d) {
          if (d.id == mkv::kTagTrackUid) uid = ebmlUnsigned(f, d);
        });
      } else if (c.id == mkv::kSimpleTag) {
        std::string name, value;
        forEachChild(f, c, [&](const EbmlElement& d) {
          if (d.id == mkv::kTagName) name = ebmlString(f, d);
          else if (d.id == mkv::kTagString) value = ebmlString(f, d);
        });
        if (name == "NUMBER_OF_FRAMES" && !value.empty() && value.find_first_not_of("0123456789") == std::string::npos &&
            value.size() < 20)
          frames = std::stoull(value);
      }
    });
    if (!uid || !frames) return;
    const auto it = byUid.find(*uid);
    if (it != byUid.end()) layout.tracks[it->second].track.packets = frames;
  });
}

std::string docType(const StreamFile& f, const EbmlElement& header) {
  std::string type;
  forEachChild(f, header, [&](const EbmlElement& c) {
    if (c.id == mkv::kDocType) type = ebmlString(f, c);
  });
  return type;
}
}  // namespace

bool looksLikeMatroska(const StreamFile& f) { return f.size() >= 4 && f.be32At(0) == mkv::kEbml; }

MatroskaLayout readMatroskaLayout(const StreamFile& f) {
  const EbmlElement header = readElement(f, 0, f.size());
  const std::string type = docType(f, header);
  if (header.id != mkv::kEbml || (type != "matroska" && type != "webm")) throw ContainerError("Not a Matroska file.");
  const EbmlElement segment = readElement(f, header.end, f.size());
  if (segment.id != mkv::kSegment) throw ContainerError("Damaged Matroska file.");
  MatroskaLayout layout;
  layout.segmentData = segment.data;
  layout.segmentEnd = segment.end;
  SegmentMap map(f, layout);
  map.build();
  if (const auto info = map.find(mkv::kInfo)) {
    forEachChild(f, *info, [&](const EbmlElement& c) {
      if (c.id == mkv::kTimestampScale) layout.timestampScale = ebmlUnsigned(f, c);
    });
    if (layout.timestampScale == 0) throw ContainerError("Damaged Matroska file.");
  }
  std::map<uint64_t, size_t> byUid;
  if (const auto tracks = map.find(mkv::kTracks)) readTracks(f, *tracks, layout, byUid);
  if (const auto tags = map.find(mkv::kTags)) readTags(f, *tags, layout, byUid);
  if (const auto cues = map.find(mkv::kCues)) readCues(f, *cues, layout);
  return layout;
}
