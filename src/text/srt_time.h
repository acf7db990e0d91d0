#pragma once
// Times of SRT cues: "hh:mm:ss,zzz".
#include <cstdint>
#include <optional>
#include <string_view>

// 90 kHz ticks of a time text: hh, mm, ss and zzz are read from characters 1-2, 4-5, 7-8 and
// 10-12 (the separators are not checked), in 32-bit arithmetic that wraps (exact up to
// 13:15:21,858). No value when the text is shorter or a field is not all digits.
std::optional<uint32_t> txt2ptm(std::string_view t);
