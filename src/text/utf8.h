#pragma once
// UTF-8, the encoding of most text files today and of the program's JSON output.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

void appendUtf8(std::string& out, char32_t cp);
// The code point of the well-formed sequence at `pos`, advancing `pos` past it; nothing (and
// `pos` unchanged) for a stray, overlong, truncated or surrogate sequence.
std::optional<char32_t> nextUtf8(std::string_view text, size_t& pos);
