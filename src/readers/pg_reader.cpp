#include "readers/pg_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "model/pts.h"
#include "readers/hex_text.h"
#include "readers/pg_epoch.h"
#include "readers/pg_subtitles.h"
#include "readers/read_progress.h"
#include "readers/subtitle_times.h"

namespace {
constexpr uint16_t kTagPG = 0x5047;
constexpr uint32_t kProgressEvery = 200;
constexpr uint64_t kHeaderSize = 13;  // "PG", PTS, DTS, type, size

enum SegmentType : uint8_t {
  kPDS = 0x14,
  kODS = 0x15,
  kPCS = 0x16,
  kWDS = 0x17,
  kICS = 0x18,
  kEND = 0x80,
  kTextStyle = 0x81,
  kTextPresentation = 0x82,
};

bool knownType(uint8_t type) {
  return (type >= kPDS && type <= kICS) || (type >= kEND && type <= kTextPresentation);
}

// Fixed fields before the data of a palette segment, an object's first fragment and a
// continuation fragment; bytes of a composition object, and of its crop rectangle.
constexpr uint32_t kPdsFixed = 2;
constexpr uint32_t kOdsFirstFixed = 11;
constexpr uint32_t kOdsNextFixed = 4;
constexpr uint32_t kCompositionObject = 8;
constexpr uint32_t kCropFields = 8;
constexpr uint32_t kWindowFields = 9;

constexpr uint8_t kFirstFragment = 0x80;
constexpr uint8_t kLastFragment = 0x40;
constexpr uint8_t kCropped = 0x80;
constexpr unsigned kEpochStart = 2;

class PgReader {
 public:
  PgReader(std::vector<TSUP>& subs, ReadState& rs)
      : subs_(subs), rs_(rs), log_(rs.log), f_(rs.file), details_(rs.details),
        maker_(subs, rs.file, details_ ? PgSubtitleMaker::Log([this](const std::string& line) { log_.log(line); })
                                       : PgSubtitleMaker::Log()) {}

  void run() {
    while (!f_.atEnd()) {
      const uint64_t start = f_.pos();
      if (!segmentAt(start)) {
        skipDamage(start);
        continue;
      }
      f_.seek(start + 2);
      pts_ = f_.rd32();
      f_.rd32();  // DTS
      p_ = f_.pos();
      const uint8_t type = f_.rd8();
      const uint16_t size = f_.rd16();
      size_ = uint32_t(std::min<uint64_t>(size, f_.remaining()));
      if (rs_.count % kProgressEvery == 0) reportReadProgress(rs_.progress, f_);
      // Every segment ends where its size says, whatever its fields announce: padding and
      // counts that overrun the payload leave the next segment in place.
      StreamFile payload(f_.take(size_));
      segment(type, payload);
      rs_.count = uint32_t(subs_.size());
    }
    if (pending_) detail([] { return "The last display set has no END segment: it is not shown."; });
    if (damaged_ && rs_.count == 0) rs_.formatError = true;
  }

 private:
  std::vector<TSUP>& subs_;
  ReadState& rs_;
  LogSink& log_;
  StreamFile& f_;
  const bool details_;
  PgEpoch epoch_;
  PgSubtitleMaker maker_;
  std::optional<PgComposition> pending_;  // the composition of the display set being read
  bool damaged_ = false;
  uint32_t pts_ = 0;   // of the current segment
  uint64_t p_ = 0;     // file offset of the current segment's type byte
  uint32_t size_ = 0;  // its payload size, cut to what the file holds

  // A line of the packet-by-packet log, built only when "Detailed info" asks for it.
  template <typename Text>
  void detail(Text text) {
    if (details_) log_.log(text());
  }
  std::string at() const { return hexStr(p_, 8) + ": "; }
  std::string sizeText() const { return " (" + hexStr(size_, 2) + ")"; }
  // File position of the payload byte the segment's reader is at.
  uint32_t filePos(const StreamFile& payload) const { return uint32_t(p_ + 3 + payload.pos()); }

  bool nextIsSegment(uint64_t q) const {
    const uint64_t next = q + kHeaderSize + f_.be16At(q + 11);
    return next == f_.size() || (next + 2 <= f_.size() && f_.be16At(next) == kTagPG);
  }
  // Where a segment is expected: its tag, and a type that this reader knows or a size that
  // leads to the next segment (a damaged header that happens to start with "PG" would
  // otherwise be skipped with whatever its size swallows). The end of the file may cut a
  // header or the payload of a known type: what is there is read.
  bool segmentAt(uint64_t q) const {
    if (f_.be16At(q) != kTagPG) return false;
    return q + kHeaderSize > f_.size() || knownType(f_.byteAt(q + 10)) || nextIsSegment(q);
  }
  // Where damage may end: a whole segment header of a known type, a payload inside the
  // file, and right behind it the end of the file or the next "PG".
  bool plausibleSegment(uint64_t q) const {
    return q + kHeaderSize <= f_.size() && f_.be16At(q) == kTagPG && knownType(f_.byteAt(q + 10)) && nextIsSegment(q);
  }

  // Bytes that are not a segment: passed over up to the next plausible one (or the end of
  // the file), with one line in the log.
  void skipDamage(uint64_t from) {
    const auto rest = f_.at(from, f_.size() - from);
    uint64_t q = from + 1;
    for (;;) {
      const void* hit = q < f_.size() ? std::memchr(rest.data() + (q - from), 'P', f_.size() - q) : nullptr;
      if (!hit) {
        q = f_.size();
        break;
      }
      q = from + uint64_t(static_cast<const uint8_t*>(hit) - rest.data());
      if (plausibleSegment(q)) break;
      ++q;
    }
    log_.log(hexStr(from, 8) + ": " + std::to_string(q - from) + " bytes skipped: no segment starts there.");
    damaged_ = true;
    f_.seek(q);
  }

  void segment(uint8_t type, StreamFile& payload) {
    switch (type) {
      case kPCS: composition(payload); break;
      case kWDS: windows(payload); break;
      case kPDS: palette(payload); break;
      case kODS: object(payload); break;
      case kEND:
        detail([&] { return at() + "END"; });
        completeDisplaySet();
        break;
      case kICS: detail([] { return "interactive composition definition"; }); break;
      case kTextStyle:
      case kTextPresentation: detail([] { return "Used by HDMV Text subtitle streams"; }); break;
      default: break;
    }
  }

  void completeDisplaySet() {
    if (!pending_) return;
    maker_.show(*pending_, epoch_);
    pending_.reset();
  }

  void composition(StreamFile& in) {
    // A display set whose END went missing still shows its picture.
    completeDisplaySet();
    PgComposition c;
    c.pts = pts_;
    c.videoWidth = in.rd16();
    c.videoHeight = in.rd16();
    in.rd8();   // frame rate
    in.rd16();  // composition number
    const unsigned state = in.rd8() >> 6;
    in.rd8();  // palette update flag: whether only the palette changed shows in what it shows
    c.paletteId = in.rd8();
    const uint8_t objects = in.rd8();
    if (details_) {
      if (objects > 0) log_.log("------------" + std::to_string(subs_.size() + 1) + "----------");
      log_.log(hexStr(p_ - 8, 8) + ": PTS=" + hexStr(pts_, 8) + " (" + pts2str(pts_) + ")");
      log_.log(at() + "PCS" + sizeText() + " state: " + std::to_string(state));
    }
    if (state == kEpochStart) epoch_.reset();
    // Objects announced beyond the payload are not there to show.
    for (unsigned i = 0; i < objects && in.remaining() >= kCompositionObject; ++i) {
      TSUPObject o;
      o.objId = in.rd16();
      o.winId = in.rd8();
      const uint8_t flags = in.rd8();
      o.x = in.rd16();
      o.y = in.rd16();
      if (flags & kCropped) {
        if (in.remaining() < kCropFields) break;
        o.cropped = true;
        o.cropX = in.rd16();
        o.cropY = in.rd16();
        o.cropW = in.rd16();
        o.cropH = in.rd16();
      }
      c.objects.push_back(o);
    }
    pending_ = std::move(c);
  }

  // Windows only frame what a player may draw into; the objects' own places are what shows.
  void windows(StreamFile& in) {
    const uint8_t count = in.rd8();
    for (unsigned w = 0; w < count && in.remaining() >= kWindowFields; ++w) {
      const uint8_t id = in.rd8();
      const uint16_t x = in.rd16(), y = in.rd16(), width = in.rd16(), height = in.rd16();
      detail([&] {
        return at() + "WDS" + std::to_string(w) + sizeText() + "  id: " + std::to_string(id) + " [" +
               std::to_string(x) + "," + std::to_string(y) + "] - [" + std::to_string(uint16_t(x + width)) + "," +
               std::to_string(uint16_t(y + height)) + "]";
      });
    }
  }

  void palette(StreamFile& in) {
    const uint8_t id = in.rd8();
    in.rd8();  // version: a later segment of the same palette replaces the entries it names
    const uint32_t entries = size_ >= kPdsFixed ? (size_ - kPdsFixed) / 5 : 0;
    detail([&] { return at() + "PDS" + sizeText() + "  " + std::to_string(entries) + " palettes"; });
    if (size_ < kPdsFixed) return;  // too short for its own fields
    const TSUPPalette where{filePos(in), entries};
    epoch_.definePalette(id, where, in.take(in.remaining()));
  }

  void object(StreamFile& in) {
    const uint16_t objId = in.rd16();
    in.rd8();  // version: a first fragment defines the object anew either way
    const uint8_t seq = in.rd8();
    const bool first = seq & kFirstFragment, last = seq & kLastFragment;
    if (first) {
      in.rd24();  // object data length: the fragments say how long it is
      const uint16_t width = in.rd16(), height = in.rd16();
      detail([&] {
        return at() + "ODS" + std::to_string(objId) + sizeText() + " " + std::to_string(width) + " x " +
               std::to_string(height) + (last ? "" : "  first");
      });
      if (size_ >= kOdsFirstFixed) epoch_.defineObject(objId, width, height, {filePos(in), size_ - kOdsFirstFixed});
    } else {
      detail([&] { return at() + "ODS" + std::to_string(objId) + sizeText() + (last ? "  last" : ""); });
      if (size_ >= kOdsNextFixed) epoch_.continueObject(objId, {filePos(in), size_ - kOdsNextFixed});
    }
  }
};
}  // namespace

void readPG(std::vector<TSUP>& subs, ReadState& rs) {
  readEndingEverySubtitle(subs, rs.count, [&](const std::string& line) { rs.log.log(line); },
                          [&] { PgReader(subs, rs).run(); });
}
