#include "render/png_file.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>

#include "model/file_error.h"
#include "model/output_file.h"

static_assert(Z_RLE == 3, "PngSettings names zlib's run-length strategy by number");

namespace {
void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

// Runs the encoder; returns false when libpng reported an error. Nothing in here may need a
// destructor, since an error leaves through longjmp.
bool encode(png_structp png, png_infop info, std::FILE* f, const Plane<uint8_t>& pixels, const png_color* palette,
            const png_byte* alpha, const PngSettings& s) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette, 256);
  png_set_tRNS(png, info, alpha, 256, nullptr);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, s.filter == 0 ? PNG_FILTER_NONE : s.filter);
  png_set_compression_level(png, s.compressionLevel);
  png_set_compression_strategy(png, s.strategy);
  png_write_info(png, info);
  for (int y = 0; y < pixels.height(); ++y) png_write_row(png, pixels.row(y));
  png_write_end(png, info);
  return true;
}
}  // namespace

void writePalettePng(const std::string& path, const Plane<uint8_t>& pixels,
                     const std::array<PackedColor, 256>& palette, const std::array<uint8_t, 256>& transparency,
                     const PngSettings& settings) {
  png_color colours[256];
  for (size_t i = 0; i < 256; ++i)
    colours[i] = {png_byte(palette[i]), png_byte(palette[i] >> 8), png_byte(palette[i] >> 16)};
  OutputFile out(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw writeError(path, ENOMEM);
  }
  errno = 0;
  const bool ok = encode(png, info, out.stream(), pixels, colours, transparency.data(), settings);
  const int err = errno;
  png_destroy_write_struct(&png, &info);
  if (!ok) throw writeError(path, err ? err : EIO);
  out.commit();
}
