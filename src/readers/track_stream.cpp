#include "readers/track_stream.h"

#include <algorithm>
#include <optional>

namespace {
constexpr size_t kSegmentHeader = 3;  // type, 16-bit size
constexpr size_t kDvdUnitHeader = 4;  // 16-bit size, 16-bit control offset
constexpr size_t kHdUnitHeader = 10;  // zero word, 32-bit size, 32-bit control offset

void put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x >> 8));
  v.push_back(uint8_t(x));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
  put16(v, x >> 16);
  put16(v, x);
}
void put32le(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

// The stream's time fields hold 32 bits: later times wrap as a 33-bit transport stream clock
// wraps, earlier ones start at 0.
uint32_t streamTime(int64_t ticks) { return ticks < 0 ? 0 : uint32_t(uint64_t(ticks)); }

// The size a unit's header gives, once enough of the header is there.
std::optional<uint64_t> unitSizeOf(const std::vector<uint8_t>& u) {
  if (u.size() < 2) return std::nullopt;
  const uint32_t first = uint32_t(u[0]) << 8 | u[1];
  if (first != 0) return first;
  if (u.size() < 6) return std::nullopt;
  return uint64_t(u[2]) << 24 | uint64_t(u[3]) << 16 | uint64_t(u[4]) << 8 | u[5];
}

size_t unitHeaderOf(const std::vector<uint8_t>& u) { return u[0] == 0 && u[1] == 0 ? kHdUnitHeader : kDvdUnitHeader; }
}  // namespace

void TrackStream::add(std::span<const uint8_t> packet, int64_t ticks, bool hasTime) {
  const uint32_t pts = streamTime(ticks);
  if (kind_ == TrackKind::bluRay) addSegments(packet, pts);
  else if (kind_ == TrackKind::dvd) addUnitPart(packet, pts, hasTime);
}

void TrackStream::addSegments(std::span<const uint8_t> packet, uint32_t pts) {
  size_t p = 0;
  while (packet.size() - p >= kSegmentHeader) {
    const uint8_t type = packet[p];
    // A segment cut off by the end of its packet keeps what is there, with its size saying
    // so, so that the segment after it is still found where the reader looks for it.
    const size_t size = std::min<size_t>(size_t(packet[p + 1]) << 8 | packet[p + 2], packet.size() - p - kSegmentHeader);
    out_.push_back('P');
    out_.push_back('G');
    put32(out_, pts);
    put32(out_, 0);  // the decoding time: the readers do not use it
    out_.push_back(type);
    put16(out_, uint32_t(size));
    const auto payload = packet.subspan(p + kSegmentHeader, size);
    out_.insert(out_.end(), payload.begin(), payload.end());
    p += kSegmentHeader + size;
  }
}

void TrackStream::addUnitPart(std::span<const uint8_t> part, uint32_t pts, bool hasTime) {
  // Some files repeat the unit's time on each of its parts; only another time starts another
  // unit.
  const bool starts = unit_.empty() || (hasTime && pts != unitPts_);
  if (starts) {
    if (!unit_.empty()) ++broken_;  // the unit before was cut short
    unit_.clear();
    if (!hasTime) return;           // the rest of a unit whose start was lost
    unitPts_ = pts;
  }
  unit_.insert(unit_.end(), part.begin(), part.end());
  const auto size = unitSizeOf(unit_);
  if (!size) return;
  if (*size < unitHeaderOf(unit_)) {
    ++broken_;
    unit_.clear();
  } else if (unit_.size() >= *size) {
    finishUnit(*size);
  }
}

void TrackStream::finishUnit(uint64_t size) {
  out_.push_back('S');
  out_.push_back('P');
  put32le(out_, unitPts_);
  put32le(out_, 0);
  // Padding after the unit would stand where the next packet's tag is expected.
  out_.insert(out_.end(), unit_.begin(), unit_.begin() + std::ptrdiff_t(size));
  unit_.clear();
}

std::vector<uint8_t> TrackStream::take() {
  if (!unit_.empty()) {
    ++broken_;
    unit_.clear();
  }
  return std::move(out_);
}
