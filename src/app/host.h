#pragma once
// What the core needs of the platform: the window, the command line and the tests each
// implement it. Nothing in the core opens a dialog or touches a widget.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "readers/subtitle_track.h"

class Host {
 public:
  virtual ~Host() = default;
  // Lets pending user input run during a long operation (the window mirrors the model first).
  virtual void pump() {}
  // Shows the model's current state at once, without handling input.
  virtual void repaint() {}
  virtual bool askYesNo(const std::string& /*question*/) { return true; }
  virtual void beep() {}
  virtual void setTitle(const std::string& /*title*/) {}
  // Pixel width of a status panel text in the status bar's font.
  virtual int statusTextWidth(const std::string& text) { return 6 * int(text.size()); }
  // File dialogs; no value when the user cancels. Filters are "caption|pattern|caption|pattern".
  virtual std::optional<std::string> openFile(const std::string& /*title*/, const std::string& /*filter*/,
                                              const std::string& /*initialDir*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> saveFile(const std::string& /*title*/, const std::string& /*filter*/,
                                              const std::string& /*defaultExt*/,
                                              const std::string& /*proposedName*/,
                                              const std::string& /*initialDir*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> pickFolder(const std::string& /*title*/, const std::string& /*start*/) {
    return std::nullopt;
  }
  // Which of two or more subtitle tracks of a video file to read: an index into tracks; no
  // value when the user cancels.
  virtual std::optional<size_t> chooseTrack(const std::string& /*fileName*/,
                                            const std::vector<SubtitleTrack>& /*tracks*/) {
    return std::nullopt;
  }
};
