#include "support/generated_stream.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/app.h"
#include "model/output_file.h"
#include "export/pg_stream_writer.h"
#include "model/subtitle_list.h"
#include "app/stream_loading.h"

namespace {
constexpr EncodeArea kArea{460, 900, 1460, 1020};

void paintSubtitle(IndexImage& img, const EncodeArea& a, uint32_t seed) {
  for (int y = a.y1; y < a.y2; ++y)
    for (int x = a.x1; x < a.x2; ++x) {
      const int row = (y - a.y1) % 60, cell = (x - a.x1) / 18, col = (x - a.x1) % 18;
      const bool letter = row < 48 && ((seed * 2654435761u) >> (cell % 29) & 1);
      uint8_t c = 0;
      if (letter && ((col >= 4 && col <= 7) || (row % 24 >= 10 && row % 24 <= 13 && col < 14))) c = 1;
      else if (letter && (col == 3 || col == 8)) c = 2;
      img.set(x, y, c);
    }
}
}  // namespace

const std::string& benchFolder() {
  // Removed with everything in it when the program ends.
  static const struct Folder {
    std::string path;
    Folder() : path((std::filesystem::temp_directory_path() / "marrowby-bench-XXXXXX").string()) {
      if (!::mkdtemp(path.data())) std::abort();
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  } folder;
  return folder.path;
}

const std::string& generatedBluRayStream() {
  static const std::string path = [] {
    const std::string file = benchFolder() + "/generated.sup";
    auto img = std::make_unique<IndexImage>();
    PaletteState pal;
    pal.palYCrCb[1] = {235, 128, 128};
    pal.palAlpha[1] = 255;
    pal.palYCrCb[2] = {30, 128, 128};
    pal.palAlpha[2] = 255;
    std::vector<uint8_t> buf(kStreamBufSize);
    OutputFile out(file);
    PGStreamWriter writer(buf, out, 1, DisplaySize{1920, 1080});
    for (int i = 0; i < kGeneratedSubtitles; ++i) {
      paintSubtitle(*img, kArea, uint32_t(i + 1));
      const uint32_t start = uint32_t(90000 * (3 * i + 1));
      writer.write(start, start + 180000, 3, {kArea}, pal, *img);
    }
    out.commit();
    return file;
  }();
  return path;
}

bool loadGeneratedStream(App& app, benchmark::State& state) {
  app.ui.eSUPfile.text = generatedBluRayStream();
  bReadSUPClick(app);
  if (app.subs.size() == size_t(kGeneratedSubtitles)) return true;
  state.SkipWithError("the generated stream did not read back");
  return false;
}
