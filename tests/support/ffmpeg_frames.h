#pragma once
// FFmpeg as an independent decoder of Blu-ray streams: the pictures it shows at chosen
// moments, drawn over a plain background (1920 x 1080 unless said otherwise).
#include <cstdint>
#include <string>
#include <vector>

#include "model/subtitle.h"

bool haveFFmpeg();

// FFmpeg turns subtitles into overlay pictures as video frames pass; at a few frames per
// second it can miss a subtitle's start altogether, so the background video runs at 10.
inline constexpr int kFFmpegFramesPerSecond = 10;

// A frame at which subtitle i of the list is on screen, well inside its interval (a
// subtitle without an end lasts until the next one); -1 if none.
int ffmpegFrameShowing(const std::vector<TSUP>& subs, size_t i);

// Packed RGB, 3 bytes per pixel, rows from the top.
using RgbFrame = std::vector<uint8_t>;

// The frames numbered `frames` (ascending, counted at kFFmpegFramesPerSecond from time 0 of
// the stream) of the stream drawn over `background` (0xRRGGBB). Empty, with FFmpeg's
// messages in `errors`, when it fails. Blending happens in RGB, so that no chroma
// subsampling blurs the edges.
std::vector<RgbFrame> ffmpegFrames(const std::string& stream, const std::vector<int>& frames, uint32_t background,
                                   const std::string& workDir, std::string& errors, int width = 1920,
                                   int height = 1080);

// A picture file read by FFmpeg as 8-bit RGBA; empty when it cannot be read.
std::vector<uint8_t> ffmpegRgba(const std::string& picture, const std::string& workDir, int width, int height);
