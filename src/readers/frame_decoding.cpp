#include "readers/frame_decoding.h"

#include <zlib.h>

#include <algorithm>

#include "readers/container.h"

namespace {
// A display set of several full-screen objects stays far below this; a frame inflating beyond
// it is damaged or hostile.
constexpr size_t kMaxFrame = 64u << 20;

std::vector<uint8_t> inflateFrame(std::span<const uint8_t> frame) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw ContainerError("Cannot inflate a compressed subtitle frame.");
  std::vector<uint8_t> out(std::clamp<size_t>(frame.size() * 4, 1024, kMaxFrame));
  z.next_in = const_cast<Bytef*>(frame.data());
  z.avail_in = uInt(frame.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (z.total_out == out.size()) {
      if (out.size() >= kMaxFrame) break;
      out.resize(std::min(out.size() * 2, kMaxFrame));
    }
    z.next_out = out.data() + z.total_out;
    z.avail_out = uInt(out.size() - z.total_out);
    rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_BUF_ERROR && z.avail_out != 0) break;  // the input ended before the stream did
    if (rc == Z_BUF_ERROR) rc = Z_OK;
  }
  const size_t produced = z.total_out;
  inflateEnd(&z);
  if (rc != Z_STREAM_END) throw ContainerError("Damaged compressed subtitle frame.");
  out.resize(produced);
  return out;
}
}  // namespace

std::vector<uint8_t> decodeFrame(FrameCoding coding, const std::vector<uint8_t>& strippedHeader,
                                 std::span<const uint8_t> frame) {
  switch (coding) {
    case FrameCoding::zlib: return inflateFrame(frame);
    case FrameCoding::headerStripped: {
      std::vector<uint8_t> out(strippedHeader);
      out.insert(out.end(), frame.begin(), frame.end());
      return out;
    }
    default: return {frame.begin(), frame.end()};
  }
}
