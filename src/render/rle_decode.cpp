#include "render/rle_decode.h"

#include <algorithm>
#include <cstring>

#include "app/app.h"
#include "readers/stream_file.h"
#include "render/bit_reader.h"

namespace {
constexpr PackedColor kOcrGrey = 0xCCCCCC;

// Writes runs of one area at the cursor (x, y), relative to the area's top-left corner.
class RunWriter {
 public:
  RunWriter(App& app, const TSUPWin& area, int lineStep)
      : index_(app.indexImage), overlay_(app.overlay), mask_(app.ocrMask), x1_(area.x1), y1_(area.y1),
        lastX_(int(area.x2) - int(area.x1)), lineStep_(lineStep) {
    const bool exporting = app.exportBD || app.exportHD;
    const bool twoTone = app.ocrRender || (app.savingBitmaps && app.ui.cbOCR.checked);
    const bool blackWhite = app.savingBitmaps && app.ui.cbOCR.checked;
    for (int c = 0; c < 256; ++c) {
      const PackedColor colour = app.palRGB[size_t(c)];
      const uint8_t alpha = app.palAlpha[size_t(c)];
      const bool bright = colour >= app.cutColor;
      visible_[size_t(c)] = alpha > 0;
      bright_[size_t(c)] = bright && alpha > 0;
      // The overlay starts black: an export leaves the colour alone and sets the alpha only.
      const PackedColor shown = exporting ? 0 : twoTone ? (bright ? kOcrGrey : 0) : colour;
      overlayValue_[size_t(c)] = overlayPixel(shown, alpha);
      indexValue_[size_t(c)] = blackWhite ? (bright ? app.idxBright : app.idxDark) : uint8_t(c);
      writesIndex_[size_t(c)] = blackWhite || alpha > 0;
    }
  }

  // Writes len pixels of palette index c (len 0: up to the end of the line); returns whether
  // the line ended, in which case the caller aligns the reader.
  bool put(uint8_t c, int len) {
    const bool toEnd = len == 0;
    if (toEnd) len = lastX_ + 1 - x;
    if (len > 0) {
      const int ax = x1_ + x, ay = y1_ + y;
      if (visible_[c]) {
        if (bright_[c]) mask_.fillSpan(y, x, x + len, 1);
        overlay_.fillSpan(ay, ax, ax + len, overlayValue_[c]);
      }
      if (writesIndex_[c]) index_.fillSpan(ay, ax, ax + len, indexValue_[c]);
    }
    x += len;
    if (toEnd || x > lastX_) {
      newLine();
      return true;
    }
    return false;
  }
  void newLine() {
    x = 0;
    y += lineStep_;
  }
  void startBottomField() {
    x = 0;
    y = 1;
  }

  int x = 0, y = 0;

 private:
  Plane<uint8_t>& index_;
  Plane<OverlayPixel>& overlay_;
  Plane<uint8_t>& mask_;
  const int x1_, y1_, lastX_, lineStep_;
  bool visible_[256], bright_[256], writesIndex_[256];
  OverlayPixel overlayValue_[256];
  uint8_t indexValue_[256];
};

void dvdCode(BitReader& br, RunWriter& w) {
  const uint32_t v = br.peek(16);
  int size, len;
  uint8_t c;
  if (v >= 0x4000) {  // LL CC
    size = 4, len = int(v >> 14), c = uint8_t(v >> 12 & 3);
  } else if (v < 0x4) {  // fourteen zero bits: to the end of the line
    size = 16, len = 0, c = uint8_t(v & 3);
  } else if (v < 0x400) {  // 000000 LLLLLLLL CC
    size = 16, len = int(v >> 2 & 0xFF), c = uint8_t(v & 3);
  } else if (v < 0x1000) {  // 0000 LLLLLL CC
    size = 12, len = int(v >> 6 & 0x3F), c = uint8_t(v >> 4 & 3);
  } else {  // 00 LLLL CC
    size = 8, len = int(v >> 10 & 0xF), c = uint8_t(v >> 8 & 3);
  }
  br.skip(size);
  if (w.put(c, len)) br.align();
}

void hdDvdCode(BitReader& br, RunWriter& w) {
  const uint32_t v = br.peek(18);
  int size, len;
  uint8_t c;
  switch (v >> 16) {
    case 0:  // 00 c2
      size = 4, len = 1, c = uint8_t(v >> 14 & 3);
      break;
    case 1:  // 01 c8
      size = 10, len = 1, c = uint8_t(v >> 8);
      break;
    case 2:  // 10 c2 0 LLL | 10 c2 1 LLLLLLL
      c = uint8_t(v >> 14 & 3);
      if ((v >> 13 & 1) == 0) {
        size = 8, len = int(v >> 10 & 7) + 2;
      } else {
        const int l = int(v >> 6 & 0x7F);
        size = 12, len = l == 0 ? 0 : l + 9;
      }
      break;
    default:  // 11 c8 0 LLL | 11 c8 1 LLLLLLL
      c = uint8_t(v >> 8);
      if ((v >> 7 & 1) == 0) {
        size = 14, len = int(v >> 4 & 7) + 2;
      } else {
        const int l = int(v & 0x7F);
        size = 18, len = l == 0 ? 0 : l + 9;
      }
      break;
  }
  br.skip(size);
  if (w.put(c, len)) br.align();
}

// Blu-ray codes are whole bytes: the reader never needs aligning.
void bluRayCode(BitReader& br, RunWriter& w) {
  const uint32_t v = br.peek(32);
  const uint8_t b0 = uint8_t(v >> 24), b1 = uint8_t(v >> 16), b2 = uint8_t(v >> 8), b3 = uint8_t(v);
  if (b0 != 0) {
    br.skip(8);
    w.put(b0, 1);
    return;
  }
  const int shortLen = b1 & 0x3F, longLen = (b1 & 0x3F) << 8 | b2;
  switch (b1 >> 6) {
    case 0:
      br.skip(16);
      if (shortLen != 0) w.put(0, shortLen);
      else w.newLine();
      break;
    case 1:
      br.skip(24);
      w.put(0, longLen);
      break;
    case 2:
      br.skip(24);
      w.put(b2, shortLen);
      break;
    default:
      br.skip(32);
      w.put(b3, longLen);
      break;
  }
}

// Top field from offset 0, bottom field from offset `bottom` once the reader gets there.
void decodeFields(App& app, const TSUP& s, int j, size_t len, bool hd) {
  BitReader br({app.pixBuf.data(), len});
  RunWriter w(app, s.win[size_t(j)], 2);
  const int64_t bottom = int64_t(s.win[0].nextPos) - int64_t(s.win[0].dataPos);
  const size_t end = std::min<size_t>(s.win[0].dataLen, len);
  br.prime(0);
  do {
    if (hd) hdDvdCode(br, w);
    else dvdCode(br, w);
    if (w.y % 2 == 0 && bottom >= 0 && br.bytePos() >= uint64_t(bottom)) {
      w.startBottomField();
      br.prime(size_t(bottom));
    }
  } while (br.bytePos() < end);
}

void decodeBluRayArea(App& app, const TSUP& s, int j, size_t len) {
  BitReader br({app.pixBuf.data(), len});
  RunWriter w(app, s.win[size_t(j)], 1);
  br.prime(0);
  do bluRayCode(br, w);
  while (br.bytePos() < len);
}
}  // namespace

int firstArea(const TSUP& s) { return s.win[0].dataLen == 0 ? 1 : 0; }

size_t loadAreaData(App& app, const StreamFile& file, const TSUP& s, int j) {
  const TSUPWin& w = s.win[size_t(j)];
  if (w.dataLen == 0) return 0;
  const auto first = file.at(w.dataPos, w.dataLen);
  size_t n = std::min(first.size(), kPixBufSize);
  std::memcpy(app.pixBuf.data(), first.data(), n);
  if (app.subFormat == sfBluRay && w.nextPos > 0) {
    const auto next = file.at(w.nextPos, w.nextLen);
    const size_t m = std::min(next.size(), kPixBufSize - n);
    if (m > 0) std::memcpy(app.pixBuf.data() + n, next.data(), m);
    n += m;
  }
  return n;
}

void decodeArea(App& app, const TSUP& s, int j, size_t len) {
  len = std::min(len, app.pixBuf.size());
  switch (app.subFormat) {
    case sfDVD:
      decodeFields(app, s, j, len, false);
      break;
    case sfHDDVD:
      decodeFields(app, s, j, len, true);
      break;
    case sfBluRay:
      decodeBluRayArea(app, s, j, len);
      break;
    default:
      break;  // SRT lists have no run-length data
  }
}

std::vector<int> decodedAreas(const TSUP& s, uint8_t subFormat) {
  const int j0 = firstArea(s);
  if (subFormat == sfBluRay && j0 == 0 && s.win[1].dataPos != 0) return {0, 1};
  return {j0};
}

void decodeSubtitle(App& app, const StreamFile& file, const TSUP& s, size_t firstLen) {
  const std::vector<int> areas = decodedAreas(s, app.subFormat);
  decodeArea(app, s, areas[0], firstLen);
  if (areas.size() > 1) decodeArea(app, s, 1, loadAreaData(app, file, s, 1));
}
