// The files "Save bitmaps" writes, opened by programs other than this one: pngcheck reads
// the PNG files as 8-bit palette pictures with a transparency chunk, FFmpeg reads the BMP
// files as 24-bit pictures of the display size and decodes the PNG pixels, and xmllint parses
// the BDN file, whose events name the pictures on disk with their subtitles' times.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "export/authoring_scripts.h"
#include "app/bitmap_export.h"
#include "export/export_check.h"
#include "export/timecode.h"
#include "render/display_size.h"
#include "render/render_fixture.h"
#include "support/ffmpeg_frames.h"

namespace {
bool haveTools() {
  static const bool have = std::system("command -v pngcheck >/dev/null && command -v xmllint >/dev/null && "
                                       "command -v ffprobe >/dev/null") == 0;
  return have;
}

std::string output(const std::string& cmd) {
  std::string out;
  FILE* p = ::popen((cmd + " 2>&1").c_str(), "r");
  if (!p) return out;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  if (::pclose(p) != 0) out += "\n(failed)";
  return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// pngcheck's verdict on a palette PNG of the given size.
void expectPalettePng(const std::string& path, int width, int height) {
  SCOPED_TRACE(path);
  const std::string v = output("pngcheck -v '" + path + "'");
  EXPECT_TRUE(contains(v, std::to_string(width) + " x " + std::to_string(height) + " image, 8-bit palette, non-interlaced")) << v;
  EXPECT_TRUE(contains(v, "256 palette entries")) << v;
  EXPECT_TRUE(contains(v, "256 transparency entries")) << v;
  EXPECT_TRUE(contains(v, "No errors detected")) << v;
}

std::string bmpFormat(const std::string& path) {
  return output("ffprobe -v error -show_entries stream=width,height,pix_fmt -of csv=p=0 '" + path + "'");
}

std::string xpath(const std::string& file, const std::string& expr) {
  std::string v = output("xmllint --xpath \"" + expr + "\" '" + file + "'");
  if (!v.empty() && v.back() == '\n') v.pop_back();
  return v;
}
}  // namespace

TEST(SavedFiles, OpenInIndependentReaders) {
  if (!haveTools()) GTEST_SKIP() << "pngcheck, xmllint or ffprobe not installed";
  RenderFixture f;
  App& app = f.app;
  f.loadBluRay({{100, 900, framedBlock(40, 12), standardPalette(), {}, 0, 0},
                {600, 850, framedBlock(300, 40), standardPalette(), framedBlock(20, 20), 1000, 100}});
  for (size_t i = 0; i < app.subs.size(); ++i) {
    app.subs[i].startPts = uint32_t(90000 * (2 * i + 1) + 1800 * i);
    app.subs[i].endPts = app.subs[i].startPts + 135000;
  }
  app.ui.eWorkDir.text = f.dir.path().string();
  app.ui.cbBMP.checked = app.ui.cbPNG.checked = app.ui.cbBDN.checked = true;
  app.ui.rgFrame.itemIndex = 2;  // 25
  bSaveBMPClick(app);
  ASSERT_EQ(app.lastError, "");
  const std::string folder = f.dir.file("bd.sup.bitmaps") + "/";

  for (size_t n = 0; n <= app.subs.size(); ++n) {
    expectPalettePng(folder + pictureName(n) + ".png", 1920, 1080);
    EXPECT_EQ(bmpFormat(folder + pictureName(n) + ".bmp"), "1920,1080,bgr24\n");
  }
  // FFmpeg's reading of the pixels: the white block opaque, the canvas around it clear.
  const std::vector<uint8_t> rgba = ffmpegRgba(folder + "line0001.png", f.dir.path().string(), 1920, 1080);
  ASSERT_FALSE(rgba.empty());
  auto pixel = [&](int x, int y) { return &rgba[(size_t(y) * 1920 + size_t(x)) * 4]; };
  EXPECT_EQ(pixel(110, 906)[0], 255);
  EXPECT_EQ(pixel(110, 906)[3], 255);
  EXPECT_EQ(pixel(102, 902)[3], 255);  // the dark frame
  EXPECT_LT(pixel(102, 902)[0], 40);
  EXPECT_EQ(pixel(99, 906)[3], 0);
  EXPECT_EQ(pixel(0, 0)[3], 0);

  const std::string bdn = folder + "subtitles.bdn.xml";
  EXPECT_EQ(output("xmllint --noout '" + bdn + "'"), "");
  EXPECT_EQ(xpath(bdn, "count(//Events/Event)"), "3");
  EXPECT_EQ(xpath(bdn, "string(//Description/Events/@NumberofEvents)"), "2");
  for (size_t k = 0; k <= app.subs.size(); ++k) {
    const std::string event = "//Events/Event[" + std::to_string(k + 1) + "]";
    const std::string got = xpath(bdn, "concat(" + event + "/@InTC, ' ', " + event + "/@OutTC, ' ', " + event +
                                           "/Graphic/@Width, 'x', " + event + "/Graphic/@Height, ' ', " + event +
                                           "/Graphic)");
    const std::string times =
        k == 0 ? "00:00:00.000 00:00:00.100"
               : pts2tc(app.subs[k - 1].startPts, 2) + " " + pts2tc(app.subs[k - 1].endPts, 2);
    EXPECT_EQ(got, times + " 1920x1080 " + pictureName(k) + ".png");
    EXPECT_TRUE(std::filesystem::exists(folder + pictureName(k) + ".png")) << k;
  }
}

TEST(SavedFiles, DvdBitmapsHaveTheDisplaySizeAndReducedPngs720Lines) {
  if (!haveTools()) GTEST_SKIP() << "pngcheck, xmllint or ffprobe not installed";
  std::string sample;
  for (const std::string& s : sampleStreams())
    if (contains(s, "/dvd/")) sample = s;
  if (sample.empty()) GTEST_SKIP() << "no DVD sample stream in " MARROWBY_SAMPLES_DIR;
  Program p;
  ASSERT_TRUE(p.load(sample)) << p.app.lastError;
  TempDir dir;
  App& app = p.app;
  app.subs.resize(std::min<size_t>(app.subs.size(), 2));
  app.ui.udSubs.max = int(app.subs.size());
  app.ui.eWorkDir.text = dir.path().string();
  app.ui.cbBMP.checked = app.ui.cbPNG.checked = app.ui.cb720p.checked = true;
  bSaveBMPClick(app);
  ASSERT_EQ(app.lastError, "");
  const std::string folder = dir.file(std::filesystem::path(sample).filename().string() + ".bitmaps") + "/";
  // The DVD size, grown to hold the areas of this sample's high-definition video.
  const DisplaySize size = displaySizeOf(sfDVD, app.subs);
  EXPECT_EQ(bmpFormat(folder + "line0001.bmp"),
            std::to_string(size.width) + "," + std::to_string(size.height) + ",bgr24\n");
  expectPalettePng(folder + "line0001.png", 1280, 720);
}
