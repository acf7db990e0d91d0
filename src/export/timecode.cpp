#include "export/timecode.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {
constexpr double kMsPerDay = 86400000.0;
// The time separator; a platform without locale time settings gets the usual ':'.
constexpr char kTimeSep = ':';

struct RateRule {
  bool slowClock;  // the timecode runs at 1000/1001 of the clock
  unsigned framesPer, perMs;
};
constexpr std::array<RateRule, kFrameRateItems> kRateRules{{
    {true, 24, 1001}, {false, 24, 1000}, {false, 25, 1000}, {true, 30, 1001}, {false, 50, 1000}, {true, 60, 1001}}};

// hh:mm:ss with the locale separator.
std::string hms(uint64_t ms) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u%c%02u%c%02u", unsigned(ms / 3600000 % 100), kTimeSep,
                unsigned(ms / 60000 % 60), kTimeSep, unsigned(ms / 1000 % 60));
  return buf;
}
}  // namespace

std::string pts2tc(uint32_t ticks, int rateItem) {
  const RateRule& rule = kRateRules[rateItem >= 0 && rateItem < kFrameRateItems ? size_t(rateItem) : 0];
  double day = double(ticks) / 90000.0 / 86400.0;
  if (rule.slowClock) day = day * 1000.0 / 1001.0;
  // The largest tick count is below 14 hours: the hours never wrap.
  const uint64_t ms = uint64_t(std::llround(day * kMsPerDay));
  const unsigned frame = unsigned(ms % 1000) * rule.framesPer / rule.perMs;
  char ff[8];
  std::snprintf(ff, sizeof ff, "%c%02u", kTimeSep, frame);
  return hms(ms) + ff;
}

DayTime localNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  const double secondsOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + double(ms) / 1000.0;
  // Whole days since the epoch keep estimates right across midnight.
  const double days = std::floor(double(t + local.tm_gmtoff) / 86400.0);
  return days + secondsOfDay / 86400.0;
}

std::string remainingTime(DayTime startClock, int done, int total, const WallClock& now) {
  const double elapsed = now() - startClock;
  const double estimate = elapsed * double(total) / double(done < 1 ? 1 : done);
  double remaining = estimate - (now() - startClock) + 1.0 / 86400.0;
  // A clock set back during the operation must not print a negative time.
  if (!(remaining > 0)) remaining = 0;
  const uint64_t ms = uint64_t(std::llround(remaining * kMsPerDay)) % uint64_t(kMsPerDay);
  return hms(ms);
}
