// The size of the pictures of a stream, by its kind, its video size and its areas.
#include "render/display_size.h"

#include <gtest/gtest.h>

#include "model/subtitle_list.h"

namespace {
struct SizeCase {
  const char* what;
  uint8_t format;
  uint16_t videoWidth, videoHeight;  // of every subtitle
  TSUPWin area;                      // of the last subtitle
  DisplaySize size;
  DisplaySize named;  // by a DVD track's index
};

TEST(DisplaySize, FollowsTheStreamAndHoldsEveryArea) {
  const SizeCase cases[] = {
      {"DVD", sfDVD, 0, 0, {0, 100, 619, 400, 479}, {720, 576}, {}},
      {"DVD area beyond the frame", sfDVD, 0, 0, {0, 100, 1385, 400, 1002}, {1386, 1003}, {}},
      {"DVD area on the last column and row", sfDVD, 0, 0, {0, 0, 719, 0, 575}, {720, 576}, {}},
      {"DVD track whose index names a size", sfDVD, 0, 0, {0, 100, 619, 400, 479}, {1920, 1080}, {1920, 1080}},
      {"DVD index size, an area beyond it", sfDVD, 0, 0, {0, 0, 999, 0, 599}, {1000, 600}, {720, 480}},
      {"HD DVD", sfHDDVD, 0, 0, {0, 0, 1919, 0, 1079}, {1920, 1080}, {}},
      {"HD DVD area beyond the frame", sfHDDVD, 0, 0, {0, 0, 2047, 0, 100}, {2048, 1080}, {}},
      {"Blu-ray naming no size", sfBluRay, 0, 0, {0, 10, 20, 10, 20}, {1920, 1080}, {}},
      {"Blu-ray 720p", sfBluRay, 1280, 720, {0, 496, 784, 681, 720}, {1280, 720}, {}},
      {"Blu-ray 4K", sfBluRay, 3840, 2160, {0, 3000, 3040, 2000, 2020}, {3840, 2160}, {}},
      {"Blu-ray 720p, an area beyond it", sfBluRay, 1280, 720, {0, 1200, 1300, 700, 730}, {1300, 730}, {}},
      {"Blu-ray, an area beyond the largest picture", sfBluRay, 3840, 2160, {0, 0, 65535, 0, 65535}, {4096, 2304}, {}},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<TSUP> subs(2);
    for (TSUP& s : subs) s.videoWidth = c.videoWidth, s.videoHeight = c.videoHeight;
    subs[0].win[0] = TSUPWin{0, 10, 20, 10, 20, 0, 0, 0, 0};
    subs[1].win[0] = c.area;
    EXPECT_EQ(displaySizeOf(c.format, subs, c.named), c.size);
  }
}
}  // namespace
