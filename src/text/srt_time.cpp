#include "text/srt_time.h"

namespace {
std::optional<uint32_t> field(std::string_view t, size_t pos, size_t len) {
  if (pos + len > t.size()) return std::nullopt;
  uint32_t v = 0;
  for (char c : t.substr(pos, len)) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + uint32_t(c - '0');
  }
  return v;
}
}  // namespace

std::optional<uint32_t> txt2ptm(std::string_view t) {
  const auto hh = field(t, 0, 2), mm = field(t, 3, 2), ss = field(t, 6, 2), zzz = field(t, 9, 3);
  if (!hh || !mm || !ss || !zzz) return std::nullopt;
  return *hh * 324000000u + *mm * 5400000u + *ss * 90000u + *zzz * 90u;
}
