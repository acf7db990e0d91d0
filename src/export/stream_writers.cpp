#include "export/stream_writers.h"

#include <algorithm>
#include <functional>

#include "model/output_file.h"
#include "export/export_areas.h"
#include "export/export_order.h"
#include "export/pg_stream_writer.h"
#include "export/sp_packet_writer.h"
#include "export/timecode.h"
#include "readers/stream_file.h"
#include "render/display_size.h"
#include "render/index_image.h"

namespace {
std::string progressText(size_t done, size_t total, DayTime start) {
  return "Subtitle: " + std::to_string(done) + "/" + std::to_string(total) +
         " Remaining time: " + remainingTime(start, int(done), int(total));
}

void clearStreamBuf(SubtitleList& list) { std::fill(list.streamBuf.begin(), list.streamBuf.end(), uint8_t(0)); }

// The subtitles to write, with a line in the log for each one left out, moved or cut.
std::vector<ExportItem> writtenSubtitles(const SubtitleList& list, LogSink& log) {
  std::vector<std::string> notes;
  std::vector<ExportItem> items = exportOrder(list.subs, notes);
  for (const std::string& note : notes) {
    log.logn(note);
    log.log("");
  }
  return items;
}

// Draws each subtitle to write into the index image in turn and hands it to `write`. The list
// is read afresh each turn: the window runs between subtitles. A subtitle begun when "Cancel"
// came is still written whole.
void writeEach(Drawing& d, const std::vector<ExportItem>& items, const StreamFile* stream, DisplaySize size,
               DayTime start, ProgressSink& progress, const std::function<void(const ExportItem&, const TSUP&)>& write) {
  for (size_t k = 0; k < items.size(); ++k) {
    progress.progress(progressText(k + 1, items.size(), start), int(k));
    const bool stop = progress.stopRequested();
    const ExportItem& item = items[k];
    if (item.index >= d.list.subs.size()) break;
    drawIndexImage(d, int(item.index + 1), stream, &size);
    write(item, d.list.subs[item.index]);
    if (stop) break;
  }
}
}  // namespace

void expBD(Drawing& d, const std::string& fileName, uint8_t rateCode, LogSink& log, ProgressSink& progress) {
  SubtitleList& list = d.list;
  clearStreamBuf(list);
  const DayTime start = localNow();
  const std::vector<ExportItem> items = writtenSubtitles(list, log);
  const std::unique_ptr<StreamFile> stream = openListStream(d);
  OutputFile file(fileName);
  // The stream keeps the size of the picture its subtitles are placed on.
  const DisplaySize size = listDisplaySize(d);
  PGStreamWriter writer(list.streamBuf, file, rateCode, size);
  std::vector<EncodeArea> areas;
  writeEach(d, items, stream.get(), size, start, progress, [&](const ExportItem& item, const TSUP& s) {
    areas.clear();
    for (int j : drawnAreas(list.subFormat, s)) areas.push_back(encodeArea(list.subFormat, s.win[size_t(j)]));
    writer.write(item.startPts, item.endPts, s.palCount, areas, d.palette, d.images.indexImage);
  });
  file.commit();
}

void expHD(Drawing& d, const std::string& fileName, LogSink& log, ProgressSink& progress) {
  SubtitleList& list = d.list;
  clearStreamBuf(list);
  const DayTime start = localNow();
  const std::vector<ExportItem> items = writtenSubtitles(list, log);
  const std::unique_ptr<StreamFile> stream = openListStream(d);
  const DisplaySize size = listDisplaySize(d);
  OutputFile file(fileName);
  BitBuffer out(list.streamBuf);
  writeEach(d, items, stream.get(), size, start, progress, [&](const ExportItem& item, const TSUP& s) {
    const std::vector<int> drawn = drawnAreas(list.subFormat, s);
    const EncodeArea area = hdArea(list.subFormat, s, drawn);
    IndexImage& index = d.images.indexImage;
    clearOutsideWindows(index, d.palette.palAlpha, list.subFormat, s, drawn, area);
    putSPPacket(out, item.startPts, item.endPts, area, d.palette, index);
    file.write(out.bytes().data(), out.bytes().size());
    out.restart();
  });
  file.commit();
}
