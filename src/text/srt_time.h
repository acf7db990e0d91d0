#pragma once
// The time line of an SRT cue: "hh:mm:ss,zzz --> hh:mm:ss,zzz".
#include <cstdint>
#include <optional>
#include <string_view>

struct CueSpanMs {
  uint64_t start = 0;
  uint64_t end = 0;
};

// The latest time a 32-bit count of 90 kHz ticks holds: 13:15:21,858.
inline constexpr uint64_t kMaxTimeMs = 0xFFFFFFFFu / 90;

// Whether the line is meant as a time line: it holds the arrow.
bool isTimeLine(std::string_view line);
// Start and end in milliseconds. Each time is hours:minutes:seconds with an optional fraction
// after "," or "."; blanks around them, and position values after the end time, are allowed.
// Nothing when either time cannot be read.
std::optional<CueSpanMs> readTimeLine(std::string_view line);
