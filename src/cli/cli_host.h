#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

class App;

// The command line's platform: no dialogs, questions answered yes, and the status bar's
// progress text on stderr while stderr is a terminal.
class CliHost : public Host {
 public:
  CliHost();
  void attach(const App* app) { app_ = app; }
  void repaint() override;
  void pump() override { repaint(); }
  // Ends the progress line so that later output starts on a fresh line.
  void finishProgress();
  // The track asked for on the command line is the choice; without one there is none.
  std::optional<size_t> chooseTrack(const std::string& fileName, const std::vector<SubtitleTrack>& tracks) override;

  std::optional<int> wantedTrack;
  std::vector<SubtitleTrack> offeredTracks;  // the tracks of a file that had several

 private:
  const App* app_ = nullptr;
  bool terminal_ = false;
  std::string shown_;
};
