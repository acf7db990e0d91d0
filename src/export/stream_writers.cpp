#include "export/stream_writers.h"

#include <algorithm>

#include "app/app.h"
#include "app/output_file.h"
#include "export/export_areas.h"
#include "export/pg_stream_writer.h"
#include "export/sp_packet_writer.h"
#include "export/timecode.h"
#include "render/draw_sub.h"

namespace {
std::string progressText(size_t done, size_t total, DayTime start) {
  return "Subtitle: " + std::to_string(done) + "/" + std::to_string(total) +
         " Remaining time: " + remainingTime(start, int(done), int(total));
}

uint8_t rateCodeOf(const App& app) {
  const int item = app.ui.rgFrame.itemIndex;
  return frameRateCodes[item >= 0 && item < kFrameRateItems ? size_t(item) : 0];
}

void clearStreamBuf(App& app) { std::fill(app.streamBuf.begin(), app.streamBuf.end(), uint8_t(0)); }
}  // namespace

void expBD(App& app, const std::string& fileName) {
  clearStreamBuf(app);
  const DayTime start = localNow();
  OutputFile file(fileName);
  PGStreamWriter writer(app.streamBuf, file, rateCodeOf(app));
  std::vector<EncodeArea> areas;
  // The list is read afresh each turn: the window runs between subtitles.
  for (size_t i = 0; i < app.subs.size(); ++i) {
    app.pslog(progressText(i + 1, app.subs.size(), start), int(i));
    app.host.pump();
    DrawSub(app, int(i + 1));
    const TSUP& s = app.subs[i];
    areas.clear();
    for (int j : drawnAreas(app.subFormat, s)) areas.push_back(blurayArea(s.win[size_t(j)]));
    writer.write(s, areas, app, app.indexImage);
    if (app.cancelReq) break;
  }
  file.commit();
}

void expHD(App& app, const std::string& fileName) {
  clearStreamBuf(app);
  const DayTime start = localNow();
  OutputFile file(fileName);
  BitBuffer out(app.streamBuf);
  for (size_t i = 0; i < app.subs.size(); ++i) {
    app.slog(progressText(i + 1, app.subs.size(), start), 1);
    app.ui.ProgressBar.position = int(i);
    app.host.pump();
    DrawSub(app, int(i + 1));
    TSUP& s = app.subs[i];
    const std::vector<int> drawn = drawnAreas(app.subFormat, s);
    const EncodeArea area = hdArea(s, drawn);
    clearOutsideWindows(app.indexImage, app.palAlpha, app.subFormat, s, drawn, area);
    // The fields are encoded from the odd row; the display area and, lastingly, the list
    // say the even row above it.
    putSPPacket(out, s.startPts, s.endPts, area, area.y1 & ~1, app, app.indexImage);
    if (area.y1 % 2 == 1)
      for (int j : drawn) --s.win[size_t(j)].y1;
    file.write(out.bytes().data(), out.bytes().size());
    out.restart();
    if (app.cancelReq) break;
  }
  file.commit();
}
