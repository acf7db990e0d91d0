#include "text/srt_time.h"

#include <algorithm>

namespace {
constexpr std::string_view kArrow = "-->";
// Hours beyond this many digits are no time a film reaches.
constexpr size_t kMaxHourDigits = 4;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads up to maxDigits digits (at least one) at pos.
std::optional<uint64_t> number(std::string_view t, size_t& pos, size_t maxDigits, size_t* digits = nullptr) {
  const size_t start = pos;
  uint64_t v = 0;
  while (pos < t.size() && pos - start < maxDigits && isDigit(t[pos])) v = v * 10 + uint64_t(t[pos++] - '0');
  if (digits) *digits = pos - start;
  if (pos == start) return std::nullopt;
  return v;
}

// "h:mm:ss", then ",zzz" or ".zzz" (a fraction of a second: ",5" is half a second).
std::optional<uint64_t> readTime(std::string_view t) {
  size_t pos = 0;
  const auto h = number(t, pos, kMaxHourDigits);
  if (!h || pos >= t.size() || t[pos++] != ':') return std::nullopt;
  const auto m = number(t, pos, 2);
  if (!m || pos >= t.size() || t[pos++] != ':') return std::nullopt;
  const auto s = number(t, pos, 2);
  if (!s) return std::nullopt;
  uint64_t ms = ((*h * 60 + *m) * 60 + *s) * 1000;
  if (pos < t.size() && (t[pos] == ',' || t[pos] == '.')) {
    ++pos;
    size_t digits = 0;
    const auto f = number(t, pos, 3, &digits);
    if (!f) return std::nullopt;
    ms += *f * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
  }
  if (pos != t.size()) return std::nullopt;
  return ms;
}

std::string_view trimBlanks(std::string_view t) {
  while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && (isBlank(t.back()) || t.back() == '\r')) t.remove_suffix(1);
  return t;
}
}  // namespace

bool isTimeLine(std::string_view line) { return line.find(kArrow) != std::string_view::npos; }

std::optional<CueSpanMs> readTimeLine(std::string_view line) {
  const size_t arrow = line.find(kArrow);
  if (arrow == std::string_view::npos) return std::nullopt;
  std::string_view right = trimBlanks(line.substr(arrow + kArrow.size()));
  right = right.substr(0, std::min(right.find(' '), right.find('\t')));
  const auto start = readTime(trimBlanks(line.substr(0, arrow)));
  const auto end = readTime(right);
  if (!start || !end) return std::nullopt;
  return CueSpanMs{*start, *end};
}
