#pragma once
// A VobSub index (".idx" file), or its header alone as the private data of a DVD subtitle
// track in a video file: the sixteen colours the subpicture units index, the picture size,
// and the index's tracks with the number of units each lists.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DvdIndex {
  std::optional<std::array<uint32_t, 16>> palette;  // 0xRRGGBB, as the index writes them
  int width = 0, height = 0;                         // 0 when not given
  struct Track {
    std::string language;
    uint64_t units = 0;
  };
  std::vector<Track> tracks;  // in the order of their "id:" lines
};

// Lines it does not know, and values it cannot read, are passed over: such a header gives
// no palette or no size rather than a wrong one.
DvdIndex parseDvdIndex(std::string_view text);
