#pragma once
// Turns the packets of a subtitle track into the stream form the readers take: Blu-ray
// segments each framed as "PG" with the packet's time, DVD subpicture units each wrapped in
// an "SP" packet. Units that a container splits over several packets are put together again.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "readers/subtitle_track.h"

class TrackStream {
 public:
  explicit TrackStream(TrackKind kind) : kind_(kind) {}

  // One packet of the track with its time in 90 kHz ticks (times before 0 count as 0).
  // Blu-ray: one or more whole segments. DVD: a whole unit, or a part of one; a unit starts
  // with a part that has a time.
  void add(std::span<const uint8_t> packet, int64_t ticks, bool hasTime = true);
  // The stream; a DVD unit still incomplete at the end is left out.
  std::vector<uint8_t> take();

  size_t size() const { return out_.size(); }
  // Units left out because they were incomplete (a damaged or cut file).
  size_t brokenUnits() const { return broken_; }

 private:
  void addSegments(std::span<const uint8_t> packet, uint32_t pts);
  void addUnitPart(std::span<const uint8_t> part, uint32_t pts, bool hasTime);
  void finishUnit(uint64_t size);

  TrackKind kind_;
  std::vector<uint8_t> out_;
  std::vector<uint8_t> unit_;  // the DVD unit being put together
  uint32_t unitPts_ = 0;
  size_t broken_ = 0;
};
