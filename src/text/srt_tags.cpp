#include "text/srt_tags.h"

#include <optional>

namespace {
struct Tag {
  std::u32string_view open;  // lower case; a tag with attributes ends with a blank here
  unsigned kind;             // 0: italic, kept
};

constexpr Tag kTags[] = {
    {U"<i>", 0},          {U"</i>", 0},          {U"<b>", rtBold},     {U"</b>", rtBold},
    {U"<u>", rtUnderline}, {U"</u>", rtUnderline}, {U"<s>", rtStrike},   {U"</s>", rtStrike},
    {U"<font ", rtFont},  {U"<font>", rtFont},   {U"</font>", rtFont},
};

char32_t lower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool startsWithNoCase(std::u32string_view text, std::u32string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[i]) != prefix[i]) return false;
  return true;
}

// Length of the tag at the start of `text` and its kind; a "<font ...>" reaches to its ">",
// a "{\...}" block to its "}". Nothing when the text does not start with a whole tag.
std::optional<std::pair<size_t, const Tag*>> tagAt(std::u32string_view text) {
  static constexpr Tag kOverride{U"{\\", rtOverride};
  if (text.starts_with(kOverride.open)) {
    const size_t end = text.find(U'}');
    if (end == std::u32string_view::npos) return std::nullopt;
    return std::pair{end + 1, &kOverride};
  }
  for (const Tag& t : kTags) {
    if (!startsWithNoCase(text, t.open)) continue;
    if (t.open.back() != U' ') return std::pair{t.open.size(), &t};
    const size_t end = text.find(U'>');
    if (end == std::u32string_view::npos) return std::nullopt;
    return std::pair{end + 1, &t};
  }
  return std::nullopt;
}
}  // namespace

std::u32string drawableTags(std::u32string_view line, unsigned& removed) {
  std::u32string out;
  out.reserve(line.size());
  for (size_t i = 0; i < line.size();) {
    const auto tag = line[i] == U'<' || line[i] == U'{' ? tagAt(line.substr(i)) : std::nullopt;
    if (!tag) {
      out += line[i++];
      continue;
    }
    if (tag->second->kind == 0) out += tag->second->open;
    removed |= tag->second->kind;
    i += tag->first;
  }
  return out;
}

std::string removedTagNames(unsigned removed) {
  static constexpr std::pair<unsigned, const char*> kNames[] = {
      {rtBold, "<b>"}, {rtUnderline, "<u>"}, {rtStrike, "<s>"}, {rtFont, "<font>"}, {rtOverride, "{\\...}"}};
  std::string out;
  for (const auto& [kind, name] : kNames) {
    if (!(removed & kind)) continue;
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}
