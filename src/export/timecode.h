#pragma once
// Frame timecodes, remaining-time estimates and the frame-rate tables of the exporters.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

// Items of the "Rate" choice rgFrame, in order: 23.976, 24, 25, 29.97, 50, 59.94.
inline constexpr int kFrameRateItems = 6;

// Blu-ray presentation-graphics frame-rate code of each rgFrame item.
inline constexpr std::array<uint8_t, kFrameRateItems> frameRateCodes{1, 2, 3, 4, 6, 7};
// The code of an rgFrame item; an item outside 0..5 counts as item 0, the default.
constexpr uint8_t frameRateCode(int item) {
  return frameRateCodes[item >= 0 && item < kFrameRateItems ? size_t(item) : 0];
}

// Name of each 4-bit frame-rate code; for the selectable rates it equals the item's caption.
inline constexpr std::array<const char*, 16> frameRateNames{
    "reserved", "23.976",   "24",       "25",       "29.97",    "reserved", "50",       "59.94",
    "reserved", "reserved", "reserved", "reserved", "reserved", "reserved", "reserved", "reserved"};

// 90 kHz ticks as the non-drop timecode hh:mm:ss:ff at the rate of rgFrame item rateItem.
// An item outside 0..5 counts as item 0, the default.
std::string pts2tc(uint32_t ticks, int rateItem);

// Wall-clock time in days; the fraction is the time of day.
using DayTime = double;
using WallClock = std::function<DayTime()>;
// The local clock, to the millisecond.
DayTime localNow();

// Estimated time left, as hh:mm:ss, when step `done` of `total` steps is reported for an
// operation that began at startClock. `now` is the clock (tests pass their own).
std::string remainingTime(DayTime startClock, int done, int total, const WallClock& now = localNow);
