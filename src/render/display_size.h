#pragma once
// The size of the picture the subtitles of a stream are shown and saved on.
#include <cstdint>
#include <vector>

#include "model/subtitle.h"

// Large enough for 3840 x 2160 video; areas beyond it are cut at its edges.
inline constexpr int kMaxDisplayWidth = 4096;
inline constexpr int kMaxDisplayHeight = 2304;

struct DisplaySize {
  int width = 0, height = 0;
  bool operator==(const DisplaySize&) const = default;
};

// Blu-ray: the video size the compositions name (1920 x 1080 when they name none); DVD:
// the size `indexSize` (a track's index) gives, else 720 x 576; HD DVD: 1920 x 1080. Grown to
// hold every area of the list, so that a picture placed beyond that size still shows, and
// every picture of the list has the same size.
DisplaySize displaySizeOf(uint8_t subFormat, const std::vector<TSUP>& subs, DisplaySize indexSize = {});
