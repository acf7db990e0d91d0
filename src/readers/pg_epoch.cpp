#include "readers/pg_epoch.h"

#include <array>

namespace {
constexpr size_t kEntryBytes = 5;
constexpr uint16_t kUnnamed = 0xFFFF;
}  // namespace

uint32_t PgPaletteDef::opacity() const {
  uint32_t sum = 0;
  for (uint32_t e : entries) sum += e & 0xFF;
  return sum;
}

void PgEpoch::reset() {
  objects_.clear();
  palettes_.clear();
}

void PgEpoch::defineObject(uint16_t id, uint16_t width, uint16_t height, TSUPData data) {
  PgObjectDef& o = objects_[id];
  o.width = width;
  o.height = height;
  o.fragments.assign(1, data);
}

void PgEpoch::continueObject(uint16_t id, TSUPData data) {
  const auto it = objects_.find(id);
  if (it != objects_.end() && it->second.fragments.size() < kMaxObjectFragments) it->second.fragments.push_back(data);
}

const PgObjectDef* PgEpoch::object(uint16_t id) const {
  const auto it = objects_.find(id);
  return it == objects_.end() ? nullptr : &it->second;
}

void PgEpoch::definePalette(uint8_t id, TSUPPalette where, std::span<const uint8_t> entries) {
  auto [it, added] = palettes_.try_emplace(id);
  Palette& p = it->second;
  if (added) p.namedBy.fill(kUnnamed);
  const uint16_t seg = uint16_t(p.def.segments.size());
  p.def.segments.push_back(where);
  for (size_t i = 0; i + kEntryBytes <= entries.size(); i += kEntryBytes) {
    const uint8_t e = entries[i];
    p.def.entries[e] = uint32_t(entries[i + 1]) << 24 | uint32_t(entries[i + 2]) << 16 |
                       uint32_t(entries[i + 3]) << 8 | entries[i + 4];
    p.namedBy[e] = seg;
  }
  // Segments whose every entry a later one named again add nothing: dropping them keeps
  // the list as short as the palette's history needs: at most one segment per entry.
  std::array<uint16_t, 258> moved;
  moved.fill(kUnnamed);
  for (uint16_t s : p.namedBy)
    if (s != kUnnamed) moved[s] = 0;
  size_t kept = 0;
  for (size_t s = 0; s < p.def.segments.size(); ++s)
    if (moved[s] != kUnnamed) {
      moved[s] = uint16_t(kept);
      p.def.segments[kept++] = p.def.segments[s];
    }
  p.def.segments.resize(kept);
  for (uint16_t& s : p.namedBy)
    if (s != kUnnamed) s = moved[s];
}

const PgPaletteDef* PgEpoch::palette(uint8_t id) const {
  const auto it = palettes_.find(id);
  return it == palettes_.end() ? nullptr : &it->second.def;
}
