#include "readers/dvd_index.h"

#include <charconv>

namespace {
constexpr int kMaxSide = 4096;  // larger sizes are not subpicture sizes

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The value of "key: value" when the line has that key (case as written by every tool).
std::optional<std::string_view> valueOf(std::string_view line, std::string_view key) {
  line = trim(line);
  if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':') return std::nullopt;
  return trim(line.substr(key.size() + 1));
}

template <class T>
std::optional<T> number(std::string_view s, int base) {
  T v{};
  const auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (err != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<std::array<uint32_t, 16>> readPalette(std::string_view list) {
  std::array<uint32_t, 16> colours{};
  size_t n = 0;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view item = trim(list.substr(0, comma));
    const auto v = item.size() == 6 ? number<uint32_t>(item, 16) : std::nullopt;
    if (!v || n == colours.size()) return std::nullopt;
    colours[n++] = *v;
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  if (n != colours.size()) return std::nullopt;
  return colours;
}

void readSize(std::string_view s, DvdIndex& index) {
  const size_t x = s.find('x');
  if (x == std::string_view::npos) return;
  const auto w = number<int>(trim(s.substr(0, x)), 10), h = number<int>(trim(s.substr(x + 1)), 10);
  if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSide || *h > kMaxSide) return;
  index.width = *w;
  index.height = *h;
}
}  // namespace

DvdIndex parseDvdIndex(std::string_view text) {
  DvdIndex index;
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    const std::string_view line = text.substr(0, nl);
    if (const auto v = valueOf(line, "palette")) index.palette = readPalette(*v);
    else if (const auto s = valueOf(line, "size")) readSize(*s, index);
    else if (const auto id = valueOf(line, "id")) index.tracks.push_back({std::string(trim(id->substr(0, id->find(',')))), 0});
    else if (valueOf(line, "timestamp") && !index.tracks.empty()) ++index.tracks.back().units;
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return index;
}
