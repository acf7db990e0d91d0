#pragma once
// The list of subtitles and the program-wide values that describe what was loaded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/subtitle.h"

// Kind of the loaded list.
enum SubFormat : uint8_t { sfDVD = 0, sfHDDVD = 1, sfBluRay = 2, sfSRT = 3 };

inline constexpr size_t kStreamBufSize = 262144;

struct SubtitleList {
  std::vector<TSUP> subs;  // element i is subtitle number i + 1 to the user
  uint8_t subFormat = sfDVD;
  std::vector<uint8_t> streamBuf = std::vector<uint8_t>(kStreamBufSize);
  std::string srcName;
  int32_t curSub = 0;  // 0-based index of the subtitle drawn last
  std::string timeFmt = "hh:mm:ss,zzz";
  bool busy = false;
  bool cancelReq = false;
  bool srtDirty = false;

  // Appends one zero-filled subtitle and returns it.
  TSUP& appendSub() { return subs.emplace_back(); }
};
