#include "readers/pg_reader.h"

#include <algorithm>
#include <string>

#include "app/app.h"
#include "app/file_error.h"
#include "model/pts.h"
#include "readers/hex_text.h"
#include "readers/read_progress.h"
#include "readers/subtitle_times.h"

namespace {
constexpr uint16_t kTagPG = 0x5047;
constexpr uint32_t kProgressEvery = 200;

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

// Fixed fields before the data of a palette segment, an object's first fragment and a
// continuation fragment.
constexpr uint32_t kPdsFixed = 2;
constexpr uint32_t kOdsFirstFixed = 11;
constexpr uint32_t kOdsNextFixed = 4;

constexpr uint8_t kFirstFragment = 0x80;
constexpr uint8_t kLastFragment = 0x40;
constexpr uint8_t kCropped = 0x80;

class PgReader {
 public:
  PgReader(App& app, ReadState& rs) : app_(app), rs_(rs), f_(rs.file), details_(app.ui.cbDetails.checked) {}

  void run() {
    while (!f_.atEnd()) {
      const uint16_t tag = f_.rd16();
      pts_ = f_.rd32();
      f_.rd32();  // DTS
      if (tag != kTagPG) {
        app_.erslog("Subpicture format error.");
        app_.log2("Subpicture format error.");
        rs_.count = 0;
        return;
      }
      p_ = f_.pos();
      const uint8_t type = f_.rd8();
      const uint16_t size = f_.rd16();
      size_ = uint32_t(std::min<uint64_t>(size, f_.remaining()));
      if (rs_.count % kProgressEvery == 0)
        showReadProgress(app_, f_);
      segment(type);
    }
  }

 private:
  App& app_;
  ReadState& rs_;
  StreamFile& f_;
  const bool details_;
  uint32_t pts_ = 0;   // of the current segment
  uint64_t p_ = 0;     // file offset of the current segment's type byte
  uint32_t size_ = 0;  // its payload size, cut to what the file holds

  // Window, palette and object segments write into the newest subtitle; before the first
  // one there is nothing to write into.
  TSUP* newest() { return app_.subs.empty() ? nullptr : &app_.subs.back(); }

  std::string at() const { return hexStr(p_, 8) + ": "; }
  std::string sizeText() const { return " (" + hexStr(size_, 2) + ")"; }

  void segment(uint8_t type) {
    switch (type) {
      case kPCS: composition(); break;
      case kWDS: windows(); break;
      case kPDS: palette(); break;
      case kODS: object(); break;
      case kEND:
        // Its payload is taken to be empty.
        if (details_) app_.log(at() + "END");
        break;
      case kICS:
        if (details_) app_.log("interactive composition definition");
        f_.skip(size_);
        break;
      case kTextStyle:
      case kTextPresentation:
        if (details_) app_.log("Used by HDMV Text subtitle streams");
        f_.skip(size_);
        break;
      default: f_.skip(size_); break;
    }
  }

  // Reads the fields its object count announces, whatever the segment size says.
  void composition() {
    f_.rd16();  // video width
    f_.rd16();  // video height
    f_.rd8();   // frame rate
    f_.rd16();  // composition number
    const unsigned state = f_.rd8() >> 6;
    f_.rd8();  // palette update flag
    f_.rd8();  // palette id
    const uint8_t objects = f_.rd8();

    auto& subs = app_.subs;
    if (objects > 0) {
      if (details_) app_.log("------------" + std::to_string(rs_.count + 1) + "----------");
      ++rs_.count;
      TSUP& s = app_.appendSub();
      setPlaceholder(s, rs_.count);
      s.num = int32_t(rs_.count);
      s.textOk = 0;
      setStart(s, pts_);
    } else if (!subs.empty()) {
      TSUP& last = subs.back();
      if (subs.size() >= 2) {
        TSUP& before = subs[subs.size() - 2];
        if (before.endPts == 0 && uint32_t(last.win[0].objId) + last.win[1].objId > 0) setEnd(before, pts_);
      }
      setEnd(last, pts_);
    }
    if (details_) {
      app_.log(hexStr(p_ - 8, 8) + ": PTS=" + hexStr(pts_, 8) + " (" + pts2str(pts_) + ")");
      app_.log(at() + "PCS" + sizeText() + " state: " + std::to_string(state));
    }
    for (unsigned i = 0; i < objects; ++i) {
      const uint16_t objId = f_.rd16();
      const uint8_t winId = f_.rd8();
      const uint8_t flags = f_.rd8();
      f_.rd16();  // horizontal position
      f_.rd16();  // vertical position
      if (flags & kCropped)
        for (int k = 0; k < 4; ++k) f_.rd16();
      // The record has two windows and room for object ids 0 to 63. A window id above 1 is
      // taken as window 1, so that such an object gets the second record rather than
      // overwriting the first; ids of 64 and more are not recorded (see recordOf).
      if (objId < subs.back().winOfObj.size()) subs.back().winOfObj[objId] = std::min<uint8_t>(winId, 1);
    }
  }

  void windows() {
    const uint8_t count = f_.rd8();
    for (unsigned w = 0; w < count; ++w) {
      const uint8_t id = f_.rd8();
      const uint16_t x = f_.rd16(), y = f_.rd16(), width = f_.rd16(), height = f_.rd16();
      const uint16_t x2 = uint16_t(x + width), y2 = uint16_t(y + height);
      // Records are filled by the order of the windows in the segment. The record holds two;
      // further windows are read past and logged, and change nothing.
      TSUP* s = newest();
      if (s && w < s->win.size()) {
        TSUPWin& rec = s->win[w];
        rec.x1 = x;
        rec.y1 = y;
        rec.x2 = x2;
        rec.y2 = y2;
      }
      if (details_)
        app_.log(at() + "WDS" + std::to_string(w) + sizeText() + "  id: " + std::to_string(id) + " [" +
                 std::to_string(x) + "," + std::to_string(y) + "] - [" + std::to_string(x2) + "," +
                 std::to_string(y2) + "]");
    }
  }

  void palette() {
    f_.rd8();  // palette id
    f_.rd8();  // version
    if (size_ < kPdsFixed) throw streamReadError();
    const uint32_t entries = (size_ - kPdsFixed) / 5;
    if (TSUP* s = newest()) {
      s->colorOfs = uint32_t(f_.pos());
      s->palCount = entries;
    }
    if (details_) app_.log(at() + "PDS" + sizeText() + "  " + std::to_string(entries) + " palettes");
    f_.skip(size_ - kPdsFixed);
  }

  // The window record that holds an object's data. Ids the record cannot assign (64 and
  // more) share record 0, as every object does that no composition placed.
  TSUPWin& recordOf(TSUP& s, uint16_t objId) {
    return s.win[objId < s.winOfObj.size() ? s.winOfObj[objId] : 0];
  }

  void object() {
    const uint16_t objId = f_.rd16();
    f_.rd8();  // version
    const uint8_t seq = f_.rd8();
    const bool first = seq & kFirstFragment, last = seq & kLastFragment;
    if (first) {
      f_.rd24();  // object data length
      const uint16_t width = f_.rd16(), height = f_.rd16();
      if (details_)
        app_.log(at() + "ODS" + std::to_string(objId) + sizeText() + " " + std::to_string(width) + " x " +
                 std::to_string(height) + (last ? "" : "  first"));
      if (size_ < kOdsFirstFixed) throw streamReadError();
      if (TSUP* s = newest()) {
        TSUPWin& rec = recordOf(*s, objId);
        rec.objId = objId;
        rec.dataPos = uint32_t(f_.pos());
        rec.dataLen = size_ - kOdsFirstFixed;
        rec.nextPos = 0;
        rec.nextLen = 0;
      }
      f_.skip(size_ - kOdsFirstFixed);
    } else {
      if (details_) app_.log(at() + "ODS" + std::to_string(objId) + sizeText() + (last ? "  last" : ""));
      if (size_ < kOdsNextFixed) throw streamReadError();
      // A later continuation replaces an earlier one: the record keeps one.
      if (TSUP* s = newest()) {
        TSUPWin& rec = recordOf(*s, objId);
        rec.nextPos = uint32_t(f_.pos());
        rec.nextLen = size_ - kOdsNextFixed;
      }
      f_.skip(size_ - kOdsNextFixed);
    }
  }
};
}  // namespace

void readPG(App& app, ReadState& rs) { PgReader(app, rs).run(); }
