// The test stream builder itself: its run-length coding uses the codes the decoders expect,
// and its Blu-ray streams decode in an independent decoder (FFmpeg) to the same picture.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/stream_builder.h"
#include "support/temp_dir.h"

TEST(StreamBuilder, BluRayRunLengthCodes) {
  // One row each: a pixel of 5; 10 of index 0; 10 of 7; 100 of 0; 100 of 7; each row ends 0 0.
  EXPECT_EQ(pgRle(1, 1, Bytes{5}), (Bytes{0x05, 0, 0}));
  EXPECT_EQ(pgRle(10, 1, Bytes(10, 0)), (Bytes{0x00, 0x0A, 0, 0}));
  EXPECT_EQ(pgRle(10, 1, Bytes(10, 7)), (Bytes{0x00, 0x8A, 0x07, 0, 0}));
  EXPECT_EQ(pgRle(100, 1, Bytes(100, 0)), (Bytes{0x00, 0x40, 0x64, 0, 0}));
  EXPECT_EQ(pgRle(100, 1, Bytes(100, 7)), (Bytes{0x00, 0xC0, 0x64, 0x07, 0, 0}));
  EXPECT_EQ(pgRle(2, 2, Bytes{3, 3, 0, 4}), (Bytes{3, 3, 0, 0, 0x00, 0x01, 4, 0, 0}));
}

TEST(StreamBuilder, SubpictureRunLengthCodes) {
  // DVD: one pixel of 1 and three of 2 make the byte 0x5E; rows are byte-aligned; even rows
  // go to the first field, odd rows to the second.
  const auto [top, bottom] = spRle(false, 4, 2, Bytes{1, 2, 2, 2, 3, 3, 3, 3});
  EXPECT_EQ(top, (Bytes{0x5E}));
  EXPECT_EQ(bottom, (Bytes{0x13}));  // 00 0100 11: four pixels of 3
  EXPECT_EQ(spRle(false, 20, 1, Bytes(20, 1)).first, (Bytes{0x05, 0x10}));  // 0000 010100 01
  EXPECT_EQ(spRle(false, 200, 1, Bytes(200, 2)).first, (Bytes{0x03, 0x22}));
  // HD DVD: 00 01 for one pixel of 1; 10 01 0 LLL for 2-9; 10 01 1 L7 for 10-136; 01 c8 for a
  // pixel of a wide index; 11 c8 0 LLL for a short run of one.
  EXPECT_EQ(spRle(true, 1, 1, Bytes{1}).first, (Bytes{0x10}));
  EXPECT_EQ(spRle(true, 5, 1, Bytes(5, 1)).first, (Bytes{0x93}));
  EXPECT_EQ(spRle(true, 10, 1, Bytes(10, 1)).first, (Bytes{0x98, 0x10}));
  EXPECT_EQ(spRle(true, 1, 1, Bytes{0xAB}).first, (Bytes{0x6A, 0xC0}));
  EXPECT_EQ(spRle(true, 3, 1, Bytes(3, 0xAB)).first, (Bytes{0xEA, 0xC4}));
}

namespace {
int run(const std::string& cmd) {
  const int st = std::system(cmd.c_str());
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}
}  // namespace

TEST(StreamBuilder, BluRayStreamDecodesInFfmpegToThePicture) {
  if (run("ffmpeg -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  // Runs of every length class of both kinds (index 1 white, 0 transparent).
  constexpr int w = 300, h = 40, left = 100, top = 200;
  Bytes px(size_t(w) * h, 0);
  const int lens[] = {1, 2, 3, 5, 63, 64, 1, 100, 2, 7, 16, 1};
  for (int y = 0; y < h; ++y)
    for (int x = 0, k = 0; x < w; ++k)
      for (int i = 0; i < lens[(k + y) % 12] && x < w; ++i, ++x) px[size_t(y) * w + size_t(x)] = uint8_t(k % 2);
  PgStream pg;
  pg.show(90000, pgImageFrom(left, top, w, h, px)).clear(180000);
  TempDir dir;
  const std::string sup = dir.write("pattern.sup", pg.bytes()), raw = dir.file("frame.raw");
  ASSERT_EQ(run("ffmpeg -v error -y -copyts -f lavfi -i color=black:s=1920x1080:d=3 -i '" + sup +
                "' -filter_complex '[0:v][1:s]overlay=eof_action=pass' -ss 1.5 -frames:v 1 -f rawvideo "
                "-pix_fmt gray '" + raw + "' 2>'" + dir.file("err.txt") + "'"),
            0);
  EXPECT_TRUE(readFileBytes(dir.file("err.txt")).empty());
  const Bytes frame = readFileBytes(raw);
  ASSERT_EQ(frame.size(), 1920u * 1080u);
  size_t wrong = 0;
  for (int y = 0; y < 1080; ++y)
    for (int x = 0; x < 1920; ++x) {
      const bool inside = x >= left && x < left + w && y >= top && y < top + h;
      const bool white = inside && px[size_t(y - top) * w + size_t(x - left)] == 1;
      wrong += (frame[size_t(y) * 1920 + size_t(x)] > 128) != white;
    }
  EXPECT_EQ(wrong, 0u);
}
