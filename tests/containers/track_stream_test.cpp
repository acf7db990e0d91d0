// Packets of a video file's subtitle track into the stream form the readers take, and the
// header of a VobSub index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/dvd_index.h"
#include "readers/track_stream.h"

namespace {
using Bytes = std::vector<uint8_t>;

struct Packet {
  Bytes bytes;
  int64_t ticks;
  bool hasTime = true;
};

Bytes streamOf(TrackKind kind, const std::vector<Packet>& packets, size_t* broken = nullptr) {
  TrackStream s(kind);
  for (const Packet& p : packets) s.add(p.bytes, p.ticks, p.hasTime);
  Bytes out = s.take();
  if (broken) *broken = s.brokenUnits();
  return out;
}

Bytes pg(uint32_t pts, uint8_t type, const Bytes& payload) {
  Bytes b = {'P', 'G', uint8_t(pts >> 24), uint8_t(pts >> 16), uint8_t(pts >> 8), uint8_t(pts), 0, 0, 0, 0, type,
             uint8_t(payload.size() >> 8), uint8_t(payload.size())};
  b.insert(b.end(), payload.begin(), payload.end());
  return b;
}

Bytes sp(uint32_t pts, const Bytes& unit) {
  Bytes b = {'S', 'P', uint8_t(pts), uint8_t(pts >> 8), uint8_t(pts >> 16), uint8_t(pts >> 24), 0, 0, 0, 0};
  b.insert(b.end(), unit.begin(), unit.end());
  return b;
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A DVD unit of the given size: its header, then filler bytes.
Bytes dvdUnit(uint16_t size, uint8_t fill) {
  Bytes u = {uint8_t(size >> 8), uint8_t(size), 0, 4};
  u.resize(size, fill);
  return u;
}
}  // namespace

TEST(TrackStream, BluRayPacketsBecomeFramedSegments) {
  struct Case {
    const char* what;
    std::vector<Packet> packets;
    Bytes expected;
  };
  const Bytes pcs = {0x16, 0, 2, 0xAA, 0xBB}, end = {0x80, 0, 0};
  const std::vector<Case> cases = {
      {"one segment per packet", {{pcs, 90000}, {end, 90001}}, pg(90000, 0x16, {0xAA, 0xBB}) + pg(90001, 0x80, {})},
      {"a display set in one packet", {{pcs + end, 450}}, pg(450, 0x16, {0xAA, 0xBB}) + pg(450, 0x80, {})},
      {"a segment cut short keeps what is there", {{{0x15, 0, 9, 1, 2, 3}, 7}}, pg(7, 0x15, {1, 2, 3})},
      {"bytes too few for a segment header are dropped", {{pcs + Bytes{0x80, 0}, 7}}, pg(7, 0x16, {0xAA, 0xBB})},
      {"times before 0 start at 0", {{end, -5000}}, pg(0, 0x80, {})},
      {"times beyond 32 bits wrap", {{end, (int64_t(1) << 32) + 12}}, pg(12, 0x80, {})},
  };
  for (const Case& c : cases) EXPECT_EQ(streamOf(TrackKind::bluRay, c.packets), c.expected) << c.what;
}

TEST(TrackStream, DvdUnitsArePutTogetherAndWrapped) {
  struct Case {
    const char* what;
    std::vector<Packet> packets;
    Bytes expected;
    size_t broken;
  };
  const Bytes a = dvdUnit(12, 0xA1), b = dvdUnit(8, 0xB2);
  const Bytes aHead(a.begin(), a.begin() + 5), aTail(a.begin() + 5, a.end());
  const Bytes hd = {0, 0, 0, 0, 0, 12, 0, 0, 0, 10, 0xFF, 0xFF};
  const std::vector<Case> cases = {
      {"whole units", {{a, 900}, {b, 1800}}, sp(900, a) + sp(1800, b), 0},
      {"a unit in two parts", {{aHead, 900}, {aTail, 0, false}, {b, 1800}}, sp(900, a) + sp(1800, b), 0},
      {"parts repeating the unit's time", {{aHead, 900}, {aTail, 900}}, sp(900, a), 0},
      {"padding after the unit is cut off", {{a + Bytes{0, 0, 0}, 900}, {b, 1800}}, sp(900, a) + sp(1800, b), 0},
      {"a unit cut short by the next", {{aHead, 900}, {b, 1800}}, sp(1800, b), 1},
      {"a part whose start was lost", {{aTail, 0, false}, {b, 1800}}, sp(1800, b), 0},
      {"a unit still open at the end", {{b, 1800}, {aHead, 2700}}, sp(1800, b), 1},
      {"a size smaller than its header", {{{0, 3, 0, 0}, 900}, {b, 1800}}, sp(1800, b), 1},
      {"an HD DVD unit", {{hd, 900}}, sp(900, hd), 0},
      {"an HD DVD unit of size 0", {{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 900}, {b, 1800}}, sp(1800, b), 1},
  };
  for (const Case& c : cases) {
    size_t broken = 99;
    EXPECT_EQ(streamOf(TrackKind::dvd, c.packets, &broken), c.expected) << c.what;
    EXPECT_EQ(broken, c.broken) << c.what;
  }
}

TEST(TrackStream, OtherKindsGiveNothing) { EXPECT_TRUE(streamOf(TrackKind::other, {{{1, 2, 3}, 0}}).empty()); }

TEST(DvdIndexHeader, PaletteSizeAndTracks) {
  const std::string palette =
      "palette: 000000, 0000ff, 00ff00, ff0000, ffff00, ff00ff, 00ffff, ffffff, 808000, 8080ff, 800080, 80ff80, "
      "008080, ff8080, 555555, aaaaaa";
  const std::string two = "id: de, index: 0\ntimestamp: 00:00:01:000, filepos: 000000000\n"
                          "timestamp: 00:00:02:000, filepos: 000000800\nid: en, index: 1\n"
                          "timestamp: 00:00:01:500, filepos: 000001000\n";
  struct Case {
    std::string text;
    bool hasPalette;
    int width, height;
    std::string tracks;  // language:units, ...
  };
  const std::vector<Case> cases = {
      {"# VobSub index file, v7\nsize: 720x480\n" + palette + "\n" + two, true, 720, 480, "de:2 en:1 "},
      {"size: 1920x1080\r\n" + palette + "\r\nid: fr\r\n", true, 1920, 1080, "fr:0 "},
      {"timestamp: 00:00:01:000, filepos: 0\npalette: 000000, 0000ff\nsize: 720 x 576\n", false, 720, 576, ""},
      {palette + ", 123456\n", false, 0, 0, ""},                                    // too many colours
      {"palette: 000000, 0000fg, 00ff00\n", false, 0, 0, ""},                       // not a colour
      {"size: 0x480\n", false, 0, 0, ""},
      {"size: 99999x480\n", false, 0, 0, ""},
      {"size: 720x\nsizes: 1x1\n", false, 0, 0, ""},
      {"", false, 0, 0, ""},
  };
  for (const Case& c : cases) {
    const DvdIndex idx = parseDvdIndex(c.text);
    EXPECT_EQ(idx.palette.has_value(), c.hasPalette) << c.text;
    EXPECT_EQ(idx.width, c.width) << c.text;
    EXPECT_EQ(idx.height, c.height) << c.text;
    std::string tracks;
    for (const DvdIndex::Track& t : idx.tracks) tracks += t.language + ":" + std::to_string(t.units) + " ";
    EXPECT_EQ(tracks, c.tracks) << c.text;
  }
  const DvdIndex idx = parseDvdIndex(palette);
  ASSERT_TRUE(idx.palette);
  EXPECT_EQ((*idx.palette)[1], 0x0000FFu);
  EXPECT_EQ((*idx.palette)[3], 0xFF0000u);
  EXPECT_EQ((*idx.palette)[15], 0xAAAAAAu);
}
