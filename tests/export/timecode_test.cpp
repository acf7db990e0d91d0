#include "export/timecode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Worked {
  uint32_t ticks;
  std::vector<std::string> perItem;  // rgFrame items 0..5
};

TEST(Timecode, WorkedValuesAtEveryRate) {
  const std::vector<Worked> worked = {
      {0, {"00:00:00:00", "00:00:00:00", "00:00:00:00", "00:00:00:00", "00:00:00:00", "00:00:00:00"}},
      {90000, {"00:00:00:23", "00:00:01:00", "00:00:01:00", "00:00:00:29", "00:00:01:00", "00:00:00:59"}},
      {135000, {"00:00:01:11", "00:00:01:12", "00:00:01:12", "00:00:01:14", "00:00:01:25", "00:00:01:29"}},
      {324000000, {"00:59:56:09", "01:00:00:00", "01:00:00:00", "00:59:56:12", "01:00:00:00", "00:59:56:24"}},
      {4294967295u, {"13:14:34:04", "13:15:21:20", "13:15:21:21", "13:14:34:05", "13:15:21:42", "13:14:34:11"}},
  };
  for (const Worked& w : worked)
    for (int item = 0; item < kFrameRateItems; ++item)
      EXPECT_EQ(pts2tc(w.ticks, item), w.perItem[size_t(item)]) << w.ticks << " at item " << item;
}

TEST(Timecode, FramesAreTruncatedAndPadded) {
  // 1.500 s at 25 fps is frame 12, not 13.
  EXPECT_EQ(pts2tc(135000, 2), "00:00:01:12");
  // 0.280 s at 25 fps: frame 7 prints with two digits.
  EXPECT_EQ(pts2tc(25200, 2), "00:00:00:07");
  // Counts from 2^31 up are later times, not negative ones.
  EXPECT_EQ(pts2tc(2147483648u, 1).substr(0, 8), "06:37:40");
  EXPECT_EQ(pts2tc(123456, 99), pts2tc(123456, 0));  // an unknown item counts as the default
}

TEST(FrameRates, CodesAndNamesAgreeWithTheCaptions) {
  const char* captions[] = {"23.976", "24", "25", "29.97", "50", "59.94"};
  for (int item = 0; item < kFrameRateItems; ++item)
    EXPECT_STREQ(frameRateNames[frameRateCodes[size_t(item)]], captions[item]);
  for (int code : {0, 5, 8, 15}) EXPECT_STREQ(frameRateNames[size_t(code)], "reserved");
}

// A clock that advances by a fixed step at every reading.
WallClock steppingClock(DayTime start, DayTime step) {
  auto t = std::make_shared<DayTime>(start);
  return [t, step] { return *t += step; };
}

TEST(RemainingTime, EstimatesFromTheElapsedShare) {
  constexpr DayTime kSecond = 1.0 / 86400.0;
  // 10 s elapsed for 1 of 4 steps: 40 s in all, 30 s left, plus the added second.
  EXPECT_EQ(remainingTime(0.5, 1, 4, steppingClock(0.5 + 10 * kSecond, 0)), "00:00:31");
  // 2 h elapsed for 1 of 3 steps.
  EXPECT_EQ(remainingTime(0.25, 1, 3, steppingClock(0.25 + 7200 * kSecond, 0)), "04:00:01");
  // On the last step only the added second remains.
  EXPECT_EQ(remainingTime(0.5, 7, 7, steppingClock(0.5 + 100 * kSecond, 0)), "00:00:01");
  // The second reading of the clock is later than the first; the estimate keeps its base.
  EXPECT_EQ(remainingTime(0.5, 5, 5, steppingClock(0.5, 0.4 * kSecond)), "00:00:00");
  // A clock set back and a zero step count give no nonsense.
  EXPECT_EQ(remainingTime(0.5, 1, 2, steppingClock(0.4, 0)), "00:00:00");
  EXPECT_EQ(remainingTime(0.5, 0, 2, steppingClock(0.5 + 10 * kSecond, 0)), "00:00:11");
}
}  // namespace
