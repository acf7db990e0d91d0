#include "render/grey_png.h"

#include <png.h>

#include <cerrno>
#include <cstdio>

#include "model/file_error.h"
#include "model/output_file.h"

namespace {
// The largest picture a sheet may reasonably be; keeps a forged header from asking for
// gigabytes.
constexpr png_uint_32 kMaxSide = 16384;

FileError pictureError(const std::string& path, const std::string& reason) {
  return FileError("Cannot read picture \"" + path + "\". " + reason);
}
}  // namespace

GreyImage readGreyPng(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw openError(path, errno);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_stdio(&image, f)) {
    std::fclose(f);
    throw pictureError(path, image.message);
  }
  std::string refused;
  if (image.format & (PNG_FORMAT_FLAG_COLOR | PNG_FORMAT_FLAG_ALPHA))
    refused = "It is not a grey picture without transparency.";
  else if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide)
    refused = "Its size is not supported.";
  if (!refused.empty()) {
    png_image_free(&image);
    std::fclose(f);
    throw pictureError(path, refused);
  }
  image.format = PNG_FORMAT_GRAY;
  GreyImage out(int(image.width), int(image.height), 0);
  const bool ok = png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr);
  std::fclose(f);
  if (!ok) {
    const std::string reason = image.message;
    png_image_free(&image);
    throw pictureError(path, reason);
  }
  return out;
}

void writeGreyPng(const std::string& path, const GreyImage& img) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(img.width);
  image.height = png_uint_32(img.height);
  image.format = PNG_FORMAT_GRAY;
  OutputFile out(path);
  errno = 0;
  if (!png_image_write_to_stdio(&image, out.stream(), 0, img.pixels.data(), img.width, nullptr))
    throw writeError(path, errno ? errno : EIO);
  out.commit();
}
