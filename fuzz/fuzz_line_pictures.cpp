// What the second recognition engine is given and what it answers: the line pictures cut from
// any picture, mask and bands, and any words (text and columns) read back on them. They must
// end, and never read or write outside a picture or a profile.
// Bytes 0-1: W; 2-3: H; 4: line height; 5: slant; 6: band count; then per band its top and
// bottom (16 bits each, signed); then the area corners (two, 16 bits signed each); the rest
// is painted into the picture and the mask row by row from the first corner, and ends with
// words: a column byte pair and a text up to the next zero byte, while bytes last.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "ocr/line_pictures.h"
#include "ocr/line_words.h"
#include "ocr/text_assembly.h"

namespace {
struct Reader {
  const uint8_t* p;
  size_t n;
  bool has(size_t k) const { return n >= k; }
  uint8_t u8() { return has(1) ? (--n, *p++) : 0; }
  int s16() { return int16_t(uint16_t(u8() << 8 | u8())); }
  int u16() { return uint16_t(u8() << 8 | u8()); }
};

IndexImage& picture() {
  static auto p = std::make_unique<IndexImage>();
  return *p;
}
OcrMask& mask() {
  static auto m = std::make_unique<OcrMask>();
  return *m;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in{data, size};
  const int W = in.u16() % 2000, H = in.u16() % 1200;
  LinePictureOptions options;
  options.lineHeight = in.u8();
  const uint8_t slant = in.u8();
  options.skew.mul = 1 + slant % 16;
  options.skew.div = 1 + slant / 16;
  std::vector<LineBand> bands(in.u8() % 24);
  for (LineBand& b : bands) b = {in.s16(), in.s16()};
  const AreaCorner corners[2] = {{in.s16(), in.s16()}, {in.s16(), in.s16()}};

  IndexImage& pic = picture();
  OcrMask& m = mask();
  pic.reset(0);
  m.reset(0);
  for (int i = 0; i < 256; ++i) {
    pic.palette[size_t(i)] = uint32_t(i) * 0x010101u;
    pic.transparency[size_t(i)] = uint8_t(255 - i / 3);
  }
  const size_t paint = std::min<size_t>(in.n / 2, 64 * 1024);
  for (size_t i = 0; i < paint; ++i) {
    const int x = int(i % 256), y = int(i / 256);
    const uint8_t v = in.u8();
    pic.set(corners[0].x + x, corners[0].y + y, v);
    m.set(x, y, v & 1);
  }

  const std::vector<LinePicture> lines = cutLinePictures(pic, corners, m, W, H, bands, options);
  for (const LinePicture& line : lines) {
    std::vector<WordBox> words;
    while (in.has(3) && words.size() < 16) {
      WordBox w;
      w.left = line.width ? in.u8() * line.width / 256 : 0;
      w.right = w.left + in.u8();
      for (uint8_t c; in.has(1) && (c = in.u8()) != 0;) w.text += char(c);
      words.push_back(w);
    }
    AssembledText text;
    appendLineText(text, wordCells(words, [&](const WordBox& w) { return readsItalic(line, w.left, w.right); }),
                   true);
  }
  return 0;
}
