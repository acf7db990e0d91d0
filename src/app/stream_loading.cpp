#include "app/stream_loading.h"

#include <sys/stat.h>

#include <optional>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/command_progress.h"
#include "app/recent_files.h"
#include "app/srt_loading.h"
#include "app/subtitle_display.h"
#include "app/subtitle_selector.h"
#include "app/track_loading.h"
#include "model/file_error.h"
#include "model/file_names.h"
#include "readers/pg_reader.h"
#include "readers/sp_reader.h"

namespace {
constexpr uint16_t kTagSP = 0x5350;
constexpr uint16_t kTagPG = 0x5047;
// Record fields hold 32-bit file positions.
constexpr uint64_t kMaxStreamSize = 0xFFFFFFFFull;

// What "Read SUP" takes besides streams: video files and VobSub pairs that hold subtitle tracks.
bool readableExtension(const std::string& ext) {
  for (const char* e : {".SUP", ".MKV", ".MKS", ".M2TS", ".MTS", ".TS", ".VOB", ".IDX", ".SUB"})
    if (ext == e) return true;
  return false;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Runs the reader the tag names; returns the number of subtitles it leaves.
uint32_t readStream(App& app, StreamFile& file, uint16_t tag) {
  CommandProgress progress(app);
  ReadState rs{file, app, progress, app.ui.cbDetails.checked};
  try {
    if (file.size() > kMaxStreamSize) {
      app.erlog("Stream read error");
      return 0;
    }
    if (tag == kTagSP) {
      app.log2("HD DVD (DVD) subtitle found.");
      readSP(app, rs);
    } else if (tag == kTagPG) {
      app.subFormat = sfBluRay;
      app.log2("Blu-ray presentation graphics found.");
      readPG(app.subs, rs);
    } else {
      app.erlog("Unsupported file format.");
    }
    if (rs.formatError) {
      app.erslog(kSubpictureFormatError);
      app.log2(kSubpictureFormatError);
    }
  } catch (const FileError& e) {
    // A packet that claims more than the file holds: the subtitles read so far stay.
    app.erlog(e.what());
    rs.count = uint32_t(app.subs.size());
  }
  return rs.count;
}
}  // namespace

void bReadSUPClick(App& app) {
  if (refusedWhileBusy(app)) return;
  Controls& ui = app.ui;
  const std::string path = ui.eSUPfile.text;
  if (path.empty()) {
    app.srtDirty = true;
    return;
  }
  if (ui.cbAutoClear.checked) app.clearLog();
  std::optional<StreamFile> file;
  try {
    file.emplace(path);
  } catch (const FileError& e) {
    app.erlog(e.what());  // the list and the window stay as they were
    return;
  }
  app.slog("Loading " + fileNameOf(path), 0);
  app.log(path + " loading");

  ui.mSRT.visible = false;
  uint16_t tag = file->rd16();
  ui.ProgressBar.max = 100;  // the readers show the file position as a percentage
  ui.ProgressBar.position = 0;
  ui.showProgress(true);
  file->seek(0);
  app.subs.clear();
  app.forgetSource();
  TrackLoad track = TrackLoad::notContainer;
  if (tag != kTagSP && tag != kTagPG) {
    track = loadContainerTrack(app, path, file);
    if (track == TrackLoad::loaded) tag = file->be16At(0);
  }
  uint32_t count = track == TrackLoad::failed ? 0 : readStream(app, *file, tag);
  if (count < app.subs.size()) app.subs.resize(count);
  count = uint32_t(app.subs.size());

  ui.showProgress(false);
  file.reset();
  ui.mSRT.visible = true;
  app.host.repaint();

  ui.udSubs.max = int(count);
  app.caption = captionForSource(app);
  if (count < 1) {
    // Nothing of the former list may stay offered: its picture, its panel, its commands.
    disableListCommands(ui);
    setSubsText(app, "0");
    showSubtitle(app, 0);
  } else {
    app.srcName = listSourceName(app, path);
    setSubsText(app, "1");
    // The closing count takes the place of the empty line that opened the block; lines the
    // reader wrote after it (its detailed log, its messages) stay.
    const auto& lines = app.messages.lines();
    if (!lines.empty() && !lines.back().text.empty()) app.log("");
    app.slog2("Ready", "");
    app.logn(std::to_string(count) + " subtitles loaded.");
    app.log("");
    ui.bSaveBMP.enabled = true;
    if (app.subFormat != sfDVD) ui.bOCRall.enabled = true;
    showFirstSubtitle(app);
    ui.bExport.enabled = true;
    rememberFile(ui, path);
  }
  app.srtDirty = true;
}

void bbSUPClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const auto chosen = app.host.openFile(kOpenSupTitle, kOpenSupFilter, "");
  if (chosen) openChosenFile(app, *chosen);
}

void openChosenFile(App& app, const std::string& path) {
  if (refusedWhileBusy(app)) return;
  const std::string ext = upperExtension(path);
  if (ext == ".SRT") {
    app.srcName = path;
    ReadSRT(app);
  } else if (readableExtension(ext)) {
    app.ui.eSUPfile.text = path;
    app.ui.bReadSUP.enabled = fileExists(path);
    if (app.ui.cbAutoRead.checked) bReadSUPClick(app);
    app.ui.lSRTfile.caption.clear();
  }
}

void openRecentFile(App& app, size_t index) {
  if (refusedWhileBusy(app) || index >= app.ui.recentFiles.size()) return;
  // A copy: a successful read moves the entry to the front of the menu.
  const std::string path = app.ui.recentFiles[index];
  if (path.empty()) return;
  // The read reports a file that is gone; the menu no longer offers it.
  if (!fileExists(path)) forgetFile(app.ui, index);
  openChosenFile(app, path);
}

void filesDropped(App& app, const std::vector<std::string>& paths) {
  if (refusedWhileBusy(app) || paths.empty()) return;
  const std::string& path = paths.front();
  const std::string ext = upperExtension(path);
  if (readableExtension(ext)) {
    app.ui.eSUPfile.text = path;
    // As with the dialog, so that a file dropped with "Auto read" off can still be read.
    app.ui.bReadSUP.enabled = fileExists(path);
    if (app.ui.cbAutoRead.checked) bReadSUPClick(app);
  } else if (ext == ".SRT") {
    app.srcName = path;
    if (app.ui.cbAutoRead.checked) ReadSRT(app);
  }
}
