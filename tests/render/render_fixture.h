#pragma once
// A program state with a hand-made Blu-ray or DVD stream loaded into its list, for tests of
// the renderer.
#include <string>
#include <vector>

#include "app/app.h"
#include "support/pgs_rle.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

struct BdTestSub {
  int x = 0, y = 0;  // window position
  IndexRows rows;    // the object's pixels; the window is as large
  std::vector<PgsEntry> palette;
  IndexRows second;  // a second object in a second window, when not empty
  int x2 = 0, y2 = 0;
};

// White 1, black 2, half-transparent grey 3; 0 stays transparent.
inline std::vector<PgsEntry> standardPalette() {
  return {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 16, 128, 128, 255}, {3, 126, 128, 128, 128}};
}

// A w x h picture: a frame of 2 around a block of 1, the rest 0.
inline IndexRows framedBlock(int w, int h) {
  IndexRows rows(size_t(h), std::vector<uint8_t>(size_t(w), 0));
  for (int y = 2; y < h - 2; ++y)
    for (int x = 2; x < w - 2; ++x) rows[size_t(y)][size_t(x)] = (y == 2 || y == h - 3 || x == 2 || x == w - 3) ? 2 : 1;
  return rows;
}

class RenderFixture {
 public:
  TestHost host;
  App app{host};
  TempDir dir;

  // Writes the subtitles as palette and run-length blocks of a stream file and lists them
  // the way the reader would.
  void loadBluRay(const std::vector<BdTestSub>& subs) {
    std::vector<uint8_t> file = {'P', 'G'};
    app.subs.clear();
    app.subFormat = sfBluRay;
    for (const BdTestSub& t : subs) {
      TSUP& s = app.appendSub();
      s.num = int(app.subs.size());
      s.startTime = "00:00:0" + std::to_string(s.num) + ",000";
      s.endTime = "00:00:0" + std::to_string(s.num) + ",500";
      s.text = "line " + std::to_string(s.num);
      s.fontMode = fmUnrecognised;
      const auto pal = pgsPalette(t.palette);
      s.colorOfs = uint32_t(file.size());
      s.palCount = uint32_t(t.palette.size());
      file.insert(file.end(), pal.begin(), pal.end());
      place(file, s, 0, t.x, t.y, t.rows);
      if (!t.second.empty()) place(file, s, 1, t.x2, t.y2, t.second);
    }
    app.ui.eSUPfile.text = dir.write("bd.sup", file);
    app.ui.udSubs.max = int(app.subs.size());
  }

 private:
  // Object k in window k, the window as large as the object.
  static void place(std::vector<uint8_t>& file, TSUP& s, int k, int x, int y, const IndexRows& rows) {
    const auto rle = encodePgsRle(rows);
    TSUPObject& o = s.objects.emplace_back();
    o.objId = uint16_t(k);
    o.winId = uint8_t(k);
    o.x = uint16_t(x);
    o.y = uint16_t(y);
    o.width = uint16_t(rows.empty() ? 0 : rows[0].size());
    o.height = uint16_t(rows.size());
    o.fragments = {{uint32_t(file.size()), uint32_t(rle.size())}};
    TSUPWin& w = s.win[size_t(k)];
    w.x1 = uint16_t(x);
    w.y1 = uint16_t(y);
    w.x2 = uint16_t(x + int(rows.empty() ? 0 : rows[0].size()));
    w.y2 = uint16_t(y + int(rows.size()));
    w.dataPos = uint32_t(file.size());
    w.dataLen = uint32_t(rle.size());
    file.insert(file.end(), rle.begin(), rle.end());
  }
};
