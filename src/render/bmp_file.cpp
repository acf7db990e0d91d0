#include "render/bmp_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "model/file_error.h"
#include "model/output_file.h"
#include "readers/stream_file.h"

namespace {
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;
// Larger pictures are no backgrounds; the limit keeps every size product far from overflow.
constexpr int64_t kMaxSide = 32768;

FileError pictureError(const std::string& path, const char* reason) {
  return FileError("Cannot load picture \"" + path + "\". " + reason);
}

// n bytes at pos, or the error of a file shorter than its header says.
std::span<const uint8_t> need(const StreamFile& file, uint64_t pos, uint64_t n, const std::string& path) {
  if (pos > file.size() || n > file.size() - pos) throw pictureError(path, "The bitmap is truncated.");
  return file.at(pos, n);
}

uint32_t le16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t le32(std::span<const uint8_t> b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

struct BmpLayout {
  int64_t width = 0, height = 0;  // height < 0: rows stored top-down
  uint32_t bits = 0, pixelOffset = 0;
  std::vector<Rgb> palette;
};

BmpLayout readLayout(const StreamFile& file, const std::string& path) {
  if (file.size() < kFileHeaderSize + kCoreHeaderSize) throw pictureError(path, "Not a Windows bitmap.");
  const auto head = need(file, 0, kFileHeaderSize + 4, path);
  if (head[0] != 'B' || head[1] != 'M') throw pictureError(path, "Not a Windows bitmap.");
  BmpLayout l;
  l.pixelOffset = le32(head, 10);
  const uint32_t headerSize = le32(head, 14);
  uint32_t compression = kBiRgb, colours = 0, paletteEntry = 4;
  if (headerSize == kCoreHeaderSize) {
    const auto h = need(file, kFileHeaderSize, kCoreHeaderSize, path);
    l.width = le16(h, 4);
    l.height = le16(h, 6);
    l.bits = le16(h, 10);
    paletteEntry = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= 1024) {
    const auto h = need(file, kFileHeaderSize, kInfoHeaderSize, path);
    l.width = int32_t(le32(h, 4));
    l.height = int32_t(le32(h, 8));
    l.bits = le16(h, 14);
    compression = le32(h, 16);
    colours = le32(h, 32);
  } else {
    throw pictureError(path, "Unsupported bitmap format.");
  }
  const bool standardMasks32 = [&] {
    if (compression != kBiBitfields || l.bits != 32) return false;
    const auto m = need(file, kFileHeaderSize + kInfoHeaderSize, 12, path);
    return le32(m, 0) == 0xFF0000 && le32(m, 4) == 0xFF00 && le32(m, 8) == 0xFF;
  }();
  const bool bitsOk = l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 24 || l.bits == 32;
  if (!bitsOk || (compression != kBiRgb && !standardMasks32) || l.width < 1 || l.width > kMaxSide ||
      l.height == 0 || l.height > kMaxSide || l.height < -kMaxSide)
    throw pictureError(path, "Unsupported bitmap format.");
  if (l.bits <= 8) {
    const uint32_t count = colours == 0 || colours > (1u << l.bits) ? 1u << l.bits : colours;
    const auto pal = need(file, kFileHeaderSize + headerSize, uint64_t(count) * paletteEntry, path);
    for (uint32_t i = 0; i < count; ++i)
      l.palette.push_back({pal[i * paletteEntry + 2], pal[i * paletteEntry + 1], pal[i * paletteEntry]});
    l.palette.resize(size_t(1) << l.bits);  // indexes past the listed colours read as black
  }
  return l;
}

Rgb pixelAt(const BmpLayout& l, const uint8_t* row, int64_t x) {
  switch (l.bits) {
    case 24:
      return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    case 32:
      return {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
    default: {
      const int64_t bit = x * l.bits;
      const unsigned v = unsigned(row[bit / 8] >> (8 - l.bits - bit % 8)) & ((1u << l.bits) - 1);
      return l.palette[v];
    }
  }
}

void putLe16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v), p[1] = uint8_t(v >> 8);
}
void putLe32(uint8_t* p, uint32_t v) {
  putLe16(p, v), putLe16(p + 2, v >> 16);
}
}  // namespace

void loadBmpInto(const std::string& path, Plane<Rgb>& picture) {
  const StreamFile file(path);
  const BmpLayout l = readLayout(file, path);
  const int64_t rows = l.height < 0 ? -l.height : l.height;
  const uint64_t stride = uint64_t((l.width * l.bits + 31) / 32 * 4);
  const auto pixels = need(file, l.pixelOffset, stride * uint64_t(rows), path);
  const int w = int(std::min<int64_t>(l.width, picture.width()));
  const int h = int(std::min<int64_t>(rows, picture.height()));
  for (int y = 0; y < h; ++y) {
    const int64_t stored = l.height < 0 ? y : rows - 1 - y;
    const uint8_t* src = pixels.data() + uint64_t(stored) * stride;
    Rgb* dst = picture.span(y, 0, w);
    for (int x = 0; x < w; ++x) dst[x] = pixelAt(l, src, x);
  }
}

void writeBmp(const std::string& path, const Plane<Rgb>& picture) {
  const uint32_t w = uint32_t(picture.width()), h = uint32_t(picture.height());
  const uint32_t stride = (w * 3 + 3) / 4 * 4;
  uint8_t header[kFileHeaderSize + kInfoHeaderSize] = {'B', 'M'};
  putLe32(header + 2, uint32_t(sizeof header) + stride * h);
  putLe32(header + 10, uint32_t(sizeof header));
  putLe32(header + 14, kInfoHeaderSize);
  putLe32(header + 18, w);
  putLe32(header + 22, h);
  putLe16(header + 26, 1);
  putLe16(header + 28, 24);
  putLe32(header + 34, stride * h);
  OutputFile out(path);
  out.write(header, sizeof header);
  std::vector<uint8_t> row(stride);
  for (uint32_t y = h; y-- > 0;) {
    const Rgb* src = picture.row(int(y));
    for (uint32_t x = 0; x < w; ++x) {
      row[3 * x] = src[x].b;
      row[3 * x + 1] = src[x].g;
      row[3 * x + 2] = src[x].r;
    }
    out.write(row.data(), row.size());
  }
  out.commit();
}
