#include "export_check.h"

#include <algorithm>
#include <filesystem>

#include "export/export_areas.h"
#include "model/file_names.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"
#include "app/srt_loading.h"
#include "render/work_images.h"

std::vector<std::string> sampleStreams() {
  std::vector<std::string> out;
  for (const char* sub : {"/pgs", "/dvd"}) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(std::string(MARROWBY_SAMPLES_DIR) + sub, ec))
      if (e.path().extension() == ".sup") out.push_back(e.path().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool Program::load(const std::string& path) {
  app.clearLastError();
  if (upperExtension(path) == ".SRT") {
    loadLetterSheet(app, MARROWBY_DATA_DIR);
    app.srcName = path;
    ReadSRT(app);
  } else {
    app.ui.eSUPfile.text = path;
    bReadSUPClick(app);
  }
  return app.lastError.empty() && !app.subs.empty();
}

std::vector<EncodeArea> encodedParts(const App& app, const TSUP& s, bool hd) {
  const std::vector<int> drawn = drawnAreas(app.subFormat, s);
  std::vector<EncodeArea> parts;
  if (hd) {
    parts.push_back(hdArea(app.subFormat, s, drawn));
  } else {
    for (int j : drawn) parts.push_back(encodeArea(app.subFormat, s.win[size_t(j)]));
  }
  for (EncodeArea& a : parts) {
    a.x2 = std::min(a.x2, kCanvasWidth);
    a.y2 = std::min(a.y2, kCanvasHeight);
  }
  return parts;
}
