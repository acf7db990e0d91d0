// Display sets of the Blu-ray writer, from a picture and palette set by hand.
#include "export/pg_stream_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "export/bd_runs.h"
#include "render/colour.h"
#include "paint.h"
#include "support/temp_dir.h"
#include "written_streams.h"

namespace {
struct PGFixture {
  TempDir dir;
  std::vector<uint8_t> streamBuf = std::vector<uint8_t>(262144);
  PaletteState pal;
  IndexImage img;

  std::vector<PGSegmentView> write(const std::vector<TSUP>& subs, const std::vector<std::vector<EncodeArea>>& areas,
                                   uint8_t rateCode = 1) {
    const std::string path = dir.file("out.sup");
    {
      OutputFile file(path);
      PGStreamWriter w(streamBuf, file, rateCode, video);
      for (size_t i = 0; i < subs.size(); ++i)
        w.write(subs[i].startPts, subs[i].endPts, subs[i].palCount, areas[i], pal, img);
      file.commit();
    }
    bytes = readFileBytes(path);
    return splitPG(bytes);
  }
  std::vector<uint8_t> bytes;
  DisplaySize video{1920, 1080};
};

TSUP sub(uint32_t start, uint32_t end, uint32_t palCount = 2) {
  TSUP s;
  s.startPts = start;
  s.endPts = end;
  s.palCount = palCount;
  return s;
}

}  // namespace

TEST(PGStreamWriter, OneSubtitleGivesEightSegments) {
  PGFixture f;
  const EncodeArea area{600, 900, 1320, 1000};
  paintRect(f.img, {700, 950, 710, 960}, 1);
  const auto segs = f.write({sub(900000, 1080000)}, {{area}});
  ASSERT_EQ(segs.size(), 8u);
  struct Expect {
    uint8_t type;
    uint32_t pts, dts;
  };
  // A = 206, C = 5832, D = 406.
  const Expect expect[] = {{pgPCS, 900000, 893962},   {pgWDS, 899794, 893962},   {pgPDS, 893962, 0},
                           {pgODS, 894368, 893962},   {pgEND, 894368, 0},        {pgPCS, 1080000, 1079794},
                           {pgWDS, 1079795, 1079794}, {pgEND, 1079795, 0}};
  for (size_t k = 0; k < 8; ++k) {
    EXPECT_EQ(segs[k].type, expect[k].type) << k;
    EXPECT_EQ(segs[k].pts, expect[k].pts) << k;
    EXPECT_EQ(segs[k].dts, expect[k].dts) << k;
  }
  const auto& show = segs[0].payload;
  EXPECT_EQ(show, (std::vector<uint8_t>{0x07, 0x80, 0x04, 0x38, 0x10, 0, 0, 0x80, 0, 0, 1,  // 1920 x 1080
                                        0, 0, 0, 0, 0x02, 0x58, 0x03, 0x84}));
  EXPECT_EQ(segs[5].payload, (std::vector<uint8_t>{0x07, 0x80, 0x04, 0x38, 0x10, 0, 1, 0x00, 0, 0, 0}));
  const std::vector<uint8_t> window{1, 0, 0x02, 0x58, 0x03, 0x84, 0x02, 0xD0, 0x00, 0x64};
  EXPECT_EQ(segs[1].payload, window);
  EXPECT_EQ(segs[6].payload, window);
  EXPECT_TRUE(segs[4].payload.empty());

  // The object: one fragment, its data length counting width and height.
  const auto& ods = segs[3].payload;
  EXPECT_EQ(be16(ods, 0), 0u);
  EXPECT_EQ(ods[3], 0xC0);
  EXPECT_EQ(be24(ods, 4), ods.size() - 7);
  EXPECT_EQ(be16(ods, 7), 720u);
  EXPECT_EQ(be16(ods, 9), 100u);
  // Row 0 of the area is one run of 720 pixels of index 0.
  EXPECT_EQ(std::vector<uint8_t>(ods.begin() + 11, ods.begin() + 16), (std::vector<uint8_t>{0, 0x42, 0xD0, 0, 0}));
}

TEST(PGStreamWriter, CompositionsNameTheVideoSize) {
  PGFixture f;
  for (DisplaySize size : {DisplaySize{1280, 720}, DisplaySize{3840, 2160}, DisplaySize{720, 576}}) {
    f.video = size;
    const auto segs = f.write({sub(90000, 180000)}, {{{0, 0, 10, 10}}});
    for (size_t k : {0u, 5u}) {
      EXPECT_EQ(be16(segs[k].payload, 0), uint32_t(size.width));
      EXPECT_EQ(be16(segs[k].payload, 2), uint32_t(size.height));
    }
  }
}

TEST(PGStreamWriter, TimeStampsWrapAroundAndCompositionsCount) {
  PGFixture f;
  const EncodeArea area{0, 0, 720, 100};
  const auto segs = f.write({sub(0, 90000), sub(100000, 190000)}, {{area}, {area}}, 7);
  ASSERT_EQ(segs.size(), 16u);
  EXPECT_EQ(segs[0].dts, uint32_t(4294967296ull - 206 - 5832));
  EXPECT_EQ(segs[1].pts, uint32_t(4294967296ull - 206));
  EXPECT_EQ(segs[0].payload[4], 0x70);  // frame-rate code 7
  for (size_t k : {0u, 5u, 8u, 13u}) EXPECT_EQ(be16(segs[k].payload, 5), k < 8 ? k / 5 : 2 + (k - 8) / 5) << k;
}

TEST(PGStreamWriter, PaletteListsEveryEntryThePictureUses) {
  PGFixture f;
  for (int k = 0; k < 256; ++k) {
    f.pal.palYCrCb[size_t(k)] = {uint8_t(k), uint8_t(255 - k), 7};
    f.pal.palAlpha[size_t(k)] = uint8_t(k ^ 2);
  }
  const EncodeArea area{10, 10, 20, 12};
  // The recorded count: entries 0 to 2, as the list says.
  auto segs = f.write({sub(90000, 180000, 3)}, {{area}});
  ASSERT_EQ(segs[2].type, pgPDS);
  const auto& pds = segs[2].payload;
  ASSERT_EQ(pds.size(), 2u + 3 * 5);
  // The stream's own colours, as they are; the transparent entry 2 black.
  for (size_t k = 0; k < 3; ++k) {
    const YCrCb c = k == 2 ? YCrCb{16, 128, 128} : f.pal.palYCrCb[k];
    EXPECT_EQ(std::vector<uint8_t>(pds.begin() + long(2 + 5 * k), pds.begin() + long(7 + 5 * k)),
              (std::vector<uint8_t>{uint8_t(k), c.y, c.cr, c.cb, uint8_t(k ^ 2)}));
  }
  // A picture using entry 3 of a list recording 3 entries (or a DVD list recording none)
  // gets entries 0 to 3, or entry 3 would turn invisible.
  paintRect(f.img, {12, 10, 13, 11}, 3);
  segs = f.write({sub(90000, 180000, 3)}, {{area}});
  EXPECT_EQ(segs[2].payload.size(), 2u + 4 * 5);
  segs = f.write({sub(90000, 180000, 0)}, {{area}});
  EXPECT_EQ(segs[2].payload.size(), 2u + 4 * 5);
  // A count beyond the table is cut to its 256 entries.
  segs = f.write({sub(90000, 180000, 13000)}, {{area}});
  EXPECT_EQ(segs[2].payload.size(), 2u + 256 * 5);
}

TEST(PGStreamWriter, LargeObjectsAreSplitIntoFragments) {
  PGFixture f;
  // Every other pixel differs: about 1.5 bytes a pixel, some 3 MB, far beyond streamBuf.
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1920; ++x) paint(f.img, x, y, uint8_t((x + y) % 2 ? 1 + (x % 200) : 0));
  const EncodeArea area{0, 0, 1920, 1080};
  const auto segs = f.write({sub(900000, 1800000)}, {{area}});

  std::vector<uint8_t> expected;
  std::vector<uint32_t> cuts;
  {
    BitBuffer b(expected);
    encodeBDObject(b, f.img, 0, area, cuts);
    expected.resize(b.outLen);
  }
  std::vector<uint8_t> data;
  std::vector<const PGSegmentView*> fragments;
  for (const auto& s : segs)
    if (s.type == pgODS) fragments.push_back(&s);
  ASSERT_GT(fragments.size(), 40u);
  for (size_t k = 0; k < fragments.size(); ++k) {
    const PGSegmentView& s = *fragments[k];
    EXPECT_LE(s.size(), kPGMaxFragment) << k;
    EXPECT_EQ(s.pts, fragments[0]->pts);
    EXPECT_EQ(s.dts, fragments[0]->dts);
    EXPECT_EQ(s.payload[3], k == 0 ? 0x80 : k + 1 == fragments.size() ? 0x40 : 0x00) << k;
    data.insert(data.end(), s.payload.begin() + (k == 0 ? 11 : 4), s.payload.end());
    if (k + 1 == fragments.size()) break;
    // A fragment ends after a run (its end-of-line code goes on with the next run), and
    // only when the next run no longer fits.
    const auto at = std::find(cuts.begin(), cuts.end(), uint32_t(data.size()));
    ASSERT_NE(at, cuts.end()) << k;
    EXPECT_GT(s.size() + (at[1] - at[0]), kPGMaxFragment) << k;
  }
  EXPECT_EQ(data, expected);
  EXPECT_EQ(be24(fragments[0]->payload, 4), 4 + expected.size());
  // Nothing but the object was split: 5 + 3 segments besides the fragments.
  EXPECT_EQ(segs.size(), fragments.size() + 7);
}

TEST(PGStreamWriter, TwoAreasGiveTwoWindowsAndTwoObjects) {
  PGFixture f;
  const EncodeArea top{100, 100, 300, 150}, bottom{400, 900, 1000, 980};
  paintRect(f.img, top, 2);
  paintRect(f.img, bottom, 3);
  const auto segs = f.write({sub(900000, 1080000, 4)}, {{top, bottom}});
  ASSERT_EQ(segs.size(), 9u);
  const auto& pcs = segs[0].payload;
  ASSERT_EQ(pcs.size(), 27u);
  EXPECT_EQ(pcs[10], 2);
  EXPECT_EQ(std::vector<uint8_t>(pcs.begin() + 11, pcs.end()),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 100, 0, 100, 0, 1, 1, 0, 0x01, 0x90, 0x03, 0x84}));
  EXPECT_EQ(segs[1].payload, (std::vector<uint8_t>{2, 0, 0, 100, 0, 100, 0, 200, 0, 50,  //
                                                   1, 0x01, 0x90, 0x03, 0x84, 0x02, 0x58, 0, 80}));
  ASSERT_EQ(segs[3].type, pgODS);
  ASSERT_EQ(segs[4].type, pgODS);
  EXPECT_EQ(be16(segs[3].payload, 0), 0u);
  EXPECT_EQ(be16(segs[4].payload, 0), 1u);
  EXPECT_EQ(be16(segs[4].payload, 7), 600u);
  // The clear time counts both areas; the second object decodes after the first.
  const uint32_t A = (200 * 50 + 600 * 80 + 175) / 350, start = 900000 - A - 5832;
  EXPECT_EQ(segs[3].dts, start);
  EXPECT_EQ(segs[3].pts, start + 200 * 50 * 9 / 1600 + 1);
  EXPECT_EQ(segs[4].dts, segs[3].pts);
  EXPECT_EQ(segs[4].pts, segs[3].pts + 600 * 80 * 9 / 1600 + 1);
  EXPECT_EQ(segs[5].pts, segs[4].pts);
  EXPECT_EQ(segs[7].payload.size(), 19u);  // the clearing set repeats both windows
}

TEST(PGStreamWriter, UnknownEndLeavesTheSubtitleShown) {
  PGFixture f;
  const EncodeArea area{0, 0, 10, 10};
  const auto segs = f.write({sub(90000, 0), sub(180000, 270000)}, {{area}, {area}});
  ASSERT_EQ(segs.size(), 13u);
  EXPECT_EQ(segs[4].type, pgEND);
  EXPECT_EQ(segs[5].type, pgPCS);
  EXPECT_EQ(segs[5].pts, 180000u);
  EXPECT_EQ(be16(segs[5].payload, 5), 1u);
}
