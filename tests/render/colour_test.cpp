#include "render/colour.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "app/converter_check.h"
#include "support/test_host.h"

TEST(Colour, YCrCbToRgbWorkedValues) {
  EXPECT_EQ(YCrCbToRGB(235, 128, 128), 0xFFFFFFu);
  EXPECT_EQ(YCrCbToRGB(16, 128, 128), 0u);
  EXPECT_EQ(YCrCbToRGB(81, 240, 90), 0x0000FEu);
  // Only the results are limited, not the inputs.
  EXPECT_EQ(YCrCbToRGB(0, 0, 0), 0x008700u);
}

TEST(Colour, RgbToYCrCbWorkedValues) {
  EXPECT_EQ(RGBToYCrCb(0xFFFFFF), (YCrCb{235, 128, 128}));
  EXPECT_EQ(RGBToYCrCb(0), (YCrCb{16, 128, 128}));
  EXPECT_EQ(RGBToYCrCb(0x0000FE), (YCrCb{81, 240, 91}));  // Cb truncates toward zero
}

TEST(Colour, RgbToYCrCbStaysInsideTheVideoRange) {
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 5) {
        const YCrCb v = RGBToYCrCb(packColour(uint8_t(r), uint8_t(g), uint8_t(b)));
        ASSERT_TRUE(v.y >= 16 && v.y <= 235 && v.cr >= 16 && v.cr <= 240 && v.cb >= 16 && v.cb <= 240);
      }
}

TEST(Colour, ConverterCheckLogsBothDirections) {
  TestHost host;
  App app(host);
  app.ui.HexEdit1.text = "EB";
  app.ui.HexEdit2.text = "80";
  app.ui.HexEdit3.text = "80";
  Button1Click(app);
  app.ui.HexEdit1.text = "51";
  app.ui.HexEdit2.text = "F0";
  app.ui.HexEdit3.text = "5A";
  Button1Click(app);
  EXPECT_EQ(app.messages.plainText(), "EB8080 -> RGB: FFFFFF\nEB8080\n51F05A -> RGB: 0000FE\n51F05B\n");
}
