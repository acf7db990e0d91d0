#include "render/rle_decode.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "model/subtitle_list.h"
#include "readers/stream_file.h"
#include "render/bit_reader.h"

namespace {
constexpr PackedColor kOcrGrey = 0xCCCCCC;

// Where a writer puts its runs: the canvas pixel of cursor (0, 0), the mask byte of it, and
// the cursor columns and rows that may be drawn (the rest is cut off).
struct RunPlace {
  int canvasX = 0, canvasY = 0;
  int maskX = 0, maskY = 0;
  int lastX = 0;  // a run that takes the cursor beyond this column ends the line
  int clipX0 = INT_MIN, clipY0 = INT_MIN, clipX1 = INT_MAX, clipY1 = INT_MAX;
};

// Writes runs at the cursor (x, y).
class RunWriter {
 public:
  RunWriter(WorkImages& images, const PaletteState& palette, const RunPlace& place, int lineStep, const RunMode& mode)
      : index_(images.indexImage), overlay_(images.overlay), mask_(images.ocrMask), at_(place), lineStep_(lineStep) {
    for (int c = 0; c < 256; ++c) {
      const PackedColor colour = palette.palRGB[size_t(c)];
      const uint8_t alpha = palette.palAlpha[size_t(c)];
      const bool bright = colour >= palette.cutColor;
      visible_[size_t(c)] = alpha > 0 && !mode.indexOnly;
      bright_[size_t(c)] = bright && alpha > 0;
      // The overlay starts black: an export leaves the colour alone and sets the alpha only.
      const PackedColor shown = mode.exporting ? 0 : mode.twoTone ? (bright ? kOcrGrey : 0) : colour;
      overlayValue_[size_t(c)] = overlayPixel(shown, alpha);
      indexValue_[size_t(c)] = mode.blackWhite ? (bright ? palette.idxBright : palette.idxDark) : uint8_t(c);
      writesIndex_[size_t(c)] = mode.blackWhite || alpha > 0;
    }
  }

  // Writes len pixels of palette index c (len 0: up to the end of the line); returns whether
  // the line ended, in which case the caller aligns the reader.
  bool put(uint8_t c, int len) {
    const bool toEnd = len == 0;
    if (toEnd) len = at_.lastX + 1 - x;
    if (len > 0 && y >= at_.clipY0 && y < at_.clipY1) {
      const int x0 = std::max(x, at_.clipX0), x1 = int(std::min<int64_t>(int64_t(x) + len, at_.clipX1));
      if (x0 < x1) {
        const int ax = at_.canvasX + x0, ay = at_.canvasY + y;
        if (visible_[c]) {
          if (bright_[c]) mask_.fillSpan(at_.maskY + y, at_.maskX + x0, at_.maskX + x1, 1);
          overlay_.fillSpan(ay, ax, ax + (x1 - x0), overlayValue_[c]);
        }
        if (writesIndex_[c]) index_.fillSpan(ay, ax, ax + (x1 - x0), indexValue_[c]);
      }
    }
    x += len;
    if (toEnd || x > at_.lastX) {
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
  const RunPlace at_;
  const int lineStep_;
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
void decodeFields(WorkImages& images, const PaletteState& palette, const TSUP& s, size_t len, bool hd,
                  const RunMode& mode) {
  const TSUPWin& area = s.win[0];
  BitReader br({images.pixBuf.data(), len});
  RunPlace place;
  place.canvasX = area.x1;
  place.canvasY = area.y1;
  place.lastX = int(area.x2) - int(area.x1);
  RunWriter w(images, palette, place, 2, mode);
  const int64_t bottom = int64_t(area.nextPos) - int64_t(area.dataPos);
  const size_t end = std::min<size_t>(area.dataLen, len);
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

// The object's run-length data in one piece: straight from the file when it has one
// fragment, else joined in pixBuf.
std::span<const uint8_t> objectData(std::vector<uint8_t>& pixBuf, const StreamFile& file, const TSUPObject& o) {
  if (o.fragments.size() == 1) return file.at(o.fragments[0].pos, o.fragments[0].len);
  size_t total = 0;
  for (const TSUPData& f : o.fragments) total += file.at(f.pos, f.len).size();
  if (pixBuf.size() < total) pixBuf.resize(total);
  size_t at = 0;
  for (const TSUPData& f : o.fragments) {
    const auto bytes = file.at(f.pos, f.len);
    std::copy(bytes.begin(), bytes.end(), pixBuf.begin() + std::ptrdiff_t(at));
    at += bytes.size();
  }
  return {pixBuf.data(), total};
}
}  // namespace

size_t loadAreaData(std::vector<uint8_t>& pixBuf, const StreamFile& file, const TSUP& s) {
  const TSUPWin& w = s.win[0];
  if (w.dataLen == 0) return 0;
  const auto data = file.at(w.dataPos, w.dataLen);
  const size_t n = std::min(data.size(), std::min(pixBuf.size(), kPixBufSize));
  std::memcpy(pixBuf.data(), data.data(), n);
  return n;
}

void decodeArea(WorkImages& images, const PaletteState& palette, uint8_t subFormat, const TSUP& s, size_t len,
                const RunMode& mode) {
  len = std::min(len, images.pixBuf.size());
  if (subFormat == sfDVD || subFormat == sfHDDVD) decodeFields(images, palette, s, len, subFormat == sfHDDVD, mode);
}

TSUPWin recognitionArea(const TSUP& s, uint8_t subFormat) {
  TSUPWin box = s.win[0];
  const bool second = subFormat == sfBluRay && std::any_of(s.objects.begin(), s.objects.end(),
                                                           [&](const TSUPObject& o) { return areaOf(s, o) == 1; });
  if (second) {
    const TSUPWin& w = s.win[1];
    box.x1 = std::min(box.x1, w.x1), box.y1 = std::min(box.y1, w.y1);
    box.x2 = std::max(box.x2, w.x2), box.y2 = std::max(box.y2, w.y2);
  }
  return box;
}

void drawObject(WorkImages& images, const PaletteState& palette, const StreamFile& file, const TSUP& s,
                const TSUPObject& o, const RunMode& mode) {
  const ObjectPart part = shownPart(o);
  if (part.x1 <= part.x0 || part.y1 <= part.y0) return;
  const TSUPWin area = recognitionArea(s, sfBluRay);
  RunPlace place;
  place.canvasX = int(o.x) - part.x0;
  place.canvasY = int(o.y) - part.y0;
  place.maskX = place.canvasX - int(area.x1);
  place.maskY = place.canvasY - int(area.y1);
  place.lastX = o.width;
  place.clipX0 = part.x0, place.clipY0 = part.y0, place.clipX1 = part.x1, place.clipY1 = part.y1;
  const auto data = objectData(images.pixBuf, file, o);
  BitReader br(data);
  RunWriter w(images, palette, place, 1, mode);
  br.prime(0);
  // Lines below the part shown draw nothing more.
  do bluRayCode(br, w);
  while (br.bytePos() < data.size() && w.y < part.y1);
}

void decodeSubtitle(WorkImages& images, const PaletteState& palette, uint8_t subFormat, const StreamFile& file,
                    const TSUP& s, const RunMode& mode) {
  if (subFormat == sfBluRay) {
    for (const TSUPObject& o : s.objects) drawObject(images, palette, file, s, o, mode);
  } else {
    decodeArea(images, palette, subFormat, s, loadAreaData(images.pixBuf, file, s), mode);
  }
}
