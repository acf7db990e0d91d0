#include "cli/cli_context.h"

#include <cstdio>

#include "app/program_folder.h"
#include "model/file_names.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"
#include "text/cp1252.h"
#include "app/srt_loading.h"

namespace {
void listTracks(const std::vector<SubtitleTrack>& tracks) {
  for (const SubtitleTrack& t : tracks) std::fprintf(stderr, "  %s\n", cp1252ToUtf8(describeTrack(t)).c_str());
}
}  // namespace

int CliContext::load(const std::string& file) {
  app.clearLastError();
  if (track >= 0) host.wantedTrack = track;
  if (upperExtension(file) == ".SRT") {
    // The window loads the sheet at start-up; here only an import needs it.
    loadLetterSheet(app, programFolder());
    app.srcName = file;
    ReadSRT(app);
  } else {
    app.ui.eSUPfile.text = file;
    bReadSUPClick(app);
  }
  host.finishProgress();
  const std::vector<SubtitleTrack>& offered = host.offeredTracks;
  if (!offered.empty() && !app.fromTrack()) {
    if (track >= 0) std::fprintf(stderr, "%s has no subtitle track %d; its tracks:\n", file.c_str(), track);
    else std::fprintf(stderr, "%s holds %zu subtitle tracks; choose one with --track N:\n", file.c_str(), offered.size());
    listTracks(offered);
    return kExitUsage;
  }
  if (track >= 0 && app.fromTrack() && app.trackNumber != track) {
    std::fprintf(stderr, "%s has no subtitle track %d; its one track is %d.\n", file.c_str(), track, app.trackNumber);
    return kExitUsage;
  }
  return failIfError();
}

int CliContext::failIfError() {
  if (app.lastError.empty()) return kExitOk;
  std::fprintf(stderr, "%s\n", cp1252ToUtf8(app.lastError).c_str());
  return kExitFailed;
}
