#include "model/pts.h"

#include <cstdio>

std::string pts2str(uint32_t ticks) {
  // ticks / 90 rounded; the largest count stays below one day, so hours never wrap.
  const uint64_t ms = (uint64_t(ticks) + 45) / 90;
  const unsigned h = unsigned(ms / 3600000), m = unsigned(ms / 60000 % 60), s = unsigned(ms / 1000 % 60),
                 z = unsigned(ms % 1000);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u,%03u", h, m, s, z);
  return buf;
}
