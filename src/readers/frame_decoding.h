#pragma once
// Frames of a Matroska track stored compressed: zlib-compressed, or with the bytes every frame
// starts with stripped off.
#include <cstdint>
#include <span>
#include <vector>

#include "readers/matroska_layout.h"

// The frame as written before it was stored; throws ContainerError when it cannot be
// inflated or would grow beyond what a subtitle packet holds.
std::vector<uint8_t> decodeFrame(FrameCoding coding, const std::vector<uint8_t>& strippedHeader,
                                 std::span<const uint8_t> frame);
