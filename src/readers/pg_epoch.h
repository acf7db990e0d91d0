#pragma once
// What a Blu-ray decoder keeps for the length of an epoch: the objects and palettes defined
// so far, by id. An epoch start forgets them; every other composition builds on them.
#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "model/subtitle.h"

// An object's data may take this many fragments: its 24-bit length in fragments of a
// 16-bit segment. Further continuations of a damaged stream are not kept.
inline constexpr size_t kMaxObjectFragments = 512;

struct PgObjectDef {
  uint16_t width = 0, height = 0;
  std::vector<TSUPData> fragments;
};

// One palette as the segments of the epoch have left it.
struct PgPaletteDef {
  // Y, Cr, Cb and alpha of each entry, packed; entries no segment named are 0 (transparent).
  std::array<uint32_t, 256> entries{};
  // The segments that named an entry not named again since, oldest first: applied in this
  // order they give `entries`.
  std::vector<TSUPPalette> segments;
  // The sum of the entries' alpha values: which palette of a fade shows the most.
  uint32_t opacity() const;
};

class PgEpoch {
 public:
  void reset();

  // A first fragment: the object (re)defined from scratch.
  void defineObject(uint16_t id, uint16_t width, uint16_t height, TSUPData data);
  // A continuation: its data joins the object's, when the object is defined.
  void continueObject(uint16_t id, TSUPData data);
  const PgObjectDef* object(uint16_t id) const;

  // A palette segment at `where` with its 5-byte entries (id, Y, Cr, Cb, alpha).
  void definePalette(uint8_t id, TSUPPalette where, std::span<const uint8_t> entries);
  const PgPaletteDef* palette(uint8_t id) const;

 private:
  struct Palette {
    PgPaletteDef def;
    // For each entry, the index in def.segments of the segment that named it last.
    std::array<uint16_t, 256> namedBy{};
  };
  std::unordered_map<uint16_t, PgObjectDef> objects_;
  std::unordered_map<uint8_t, Palette> palettes_;
};
