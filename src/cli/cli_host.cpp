#include "cli/cli_host.h"

#include <unistd.h>

#include <cstdio>

#include "app/app.h"

CliHost::CliHost() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void CliHost::repaint() {
  if (!terminal_ || !app_) return;
  const std::string line = app_->statusBar.panels[0].text + " " + app_->statusBar.panels[1].text;
  if (line == shown_) return;
  std::fprintf(stderr, "\r%-79.79s", line.c_str());
  shown_ = line;
}

void CliHost::finishProgress() {
  if (!shown_.empty()) std::fputs("\r\033[K", stderr);
  shown_.clear();
}

std::optional<size_t> CliHost::chooseTrack(const std::string&, const std::vector<SubtitleTrack>& tracks) {
  offeredTracks = tracks;
  for (size_t i = 0; i < tracks.size(); ++i)
    if (wantedTrack && tracks[i].number == *wantedTrack) return i;
  return std::nullopt;
}
