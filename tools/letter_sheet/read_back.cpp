#include "read_back.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "app/app.h"
#include "app/stream_export.h"
#include "app/ocr_commands.h"
#include "app/stream_loading.h"
#include "app/srt_loading.h"

namespace {
class QuietHost : public Host {};

std::string srtTime(long long ms) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                ms % 1000);
  return buf;
}

std::string srtOf(const std::vector<std::string>& cues) {
  std::string srt;
  for (size_t i = 0; i < cues.size(); ++i) {
    std::string text = cues[i];
    std::replace(text.begin(), text.end(), '|', '\n');
    const long long start = 1000 + (long long)i * 2000;
    srt += std::to_string(i + 1) + "\n" + srtTime(start) + " --> " + srtTime(start + 1500) + "\n" + text + "\n\n";
  }
  return srt;
}
}  // namespace

std::vector<std::string> readBack(const GreyImage& sheet, const std::vector<std::string>& cues, bool english) {
  const std::string stream =
      (std::filesystem::temp_directory_path() / ("marrowby-letter-sheet-" + std::to_string(getpid()) + ".sup"))
          .string();
  QuietHost host;
  {
    App source{host};
    source.letterSheet = sheet;
    importSrt(source, srtOf(cues));
    if (source.subs.size() != cues.size()) throw std::runtime_error("the read-back cues do not import");
    bExportClick(source, stream);
    if (!source.lastError.empty()) throw std::runtime_error(source.lastError);
  }
  App app{host};
  app.ui.eSUPfile.text = stream;
  bReadSUPClick(app);
  if (app.subs.size() != cues.size()) throw std::runtime_error("the read-back stream lost subtitles");
  app.ui.cbTags.checked = true;
  app.ui.coLang.itemIndex = english ? 1 : 0;
  bOCRallClick(app);  // draws every subtitle from the stream file again
  std::filesystem::remove(stream);
  if (!app.lastError.empty()) throw std::runtime_error(app.lastError);
  std::vector<std::string> texts;
  for (const TSUP& s : app.subs) texts.push_back(s.text);
  return texts;
}
