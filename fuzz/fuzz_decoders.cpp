// The three run-length decoders on any data and any areas, as DrawSub runs them: they must
// end, and never read or write outside a buffer or a picture.
// Byte 0: kind; 1: mode flags; 2-17: two areas (x1, y1, x2, y2, 16 bits each), for Blu-ray
// two objects placed and sized by them; 18: the bottom field's offset, for Blu-ray where the
// first object's data splits into two fragments and its crop; 19-20: where the rest splits
// between the areas; the rest is the stream file the areas point at.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/subtitle_list.h"
#include "readers/stream_file.h"
#include "render/rle_decode.h"

namespace {
constexpr size_t kHeader = 21;

// Kept from one input to the next, as a program's pictures are from one subtitle to the next.
struct Pictures : WorkImages, PaletteState {};
Pictures& fuzzPictures() {
  static Pictures p;
  return p;
}

uint16_t be16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader) return 0;
  Pictures& pic = fuzzPictures();
  const uint8_t subFormat = uint8_t(data[0] % 3);
  const uint8_t flags = data[1];
  RunMode mode;
  mode.exporting = flags & 4;
  mode.blackWhite = (flags & 2) && (flags & 8);  // "OCR" pictures of "Save bitmaps"
  mode.twoTone = (flags & 1) || mode.blackWhite;
  // A DVD display is smaller than the canvas: overruns must stop at the overlay's edge too.
  const int w = flags & 16 ? 720 : 1920, h = flags & 16 ? 576 : 1080;
  if (pic.overlay.width() != w) pic.overlay.resize(w, h, 0);
  for (int i = 0; i < 256; ++i) {
    pic.palRGB[size_t(i)] = uint32_t(i) * 0x010101u;
    pic.palAlpha[size_t(i)] = uint8_t(i * 37);
  }
  pic.cutColor = 0x808080;

  const std::span<const uint8_t> stream(data + kHeader, size - kHeader);
  const uint32_t split = uint32_t(be16(data + 19)) % uint32_t(stream.size() + 1);
  TSUP s;
  for (int j = 0; j < 2; ++j) {
    const uint8_t* a = data + 2 + 8 * j;
    s.win[size_t(j)] = TSUPWin{0, be16(a), be16(a + 4), be16(a + 2), be16(a + 6), 0, 0, 0, 0};
  }
  s.win[0].dataLen = split;
  s.win[0].nextPos = s.win[0].dataPos + data[18];  // the bottom field (DVD, HD DVD)
  if (subFormat == sfBluRay) {
    const uint32_t cut = std::min<uint32_t>(data[18], split);
    for (int j = 0; j < 2; ++j) {
      const TSUPWin& w = s.win[size_t(j)];
      TSUPObject& o = s.objects.emplace_back();
      o.winId = uint8_t(j);
      o.x = w.x1, o.y = w.y1, o.width = w.x2, o.height = w.y2;
      o.cropped = flags & 32;
      o.cropX = data[18], o.cropY = data[18] / 2, o.cropW = w.x1, o.cropH = w.y1;
    }
    s.objects[0].fragments = {{0, cut}, {cut, split - cut}};
    s.objects[1].fragments = {{split, uint32_t(stream.size()) - split}};
  }

  const StreamFile file(stream);
  decodeSubtitle(pic, pic, subFormat, file, s, mode);
  pic.overlay.reset(0);
  pic.indexImage.reset(0);
  pic.ocrMask.reset(0);
  return 0;
}
