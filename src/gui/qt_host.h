#pragma once
// The window's side of the platform seam: standard dialogs, the Yes/No box, the beep, and
// letting pending input run during a long operation.
#include <functional>

#include "app/host.h"

class TfMain;

class QtHost : public Host {
 public:
  explicit QtHost(TfMain& window) : window_(window) {}

  void pump() override;
  void repaint() override;
  bool askYesNo(const std::string& question) override;
  void beep() override;
  void setTitle(const std::string& title) override;
  int statusTextWidth(const std::string& text) override;
  std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                      const std::string& initialDir) override;
  std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                      const std::string& defaultExt, const std::string& proposedName,
                                      const std::string& initialDir) override;
  std::optional<std::string> pickFolder(const std::string& title, const std::string& start) override;
  std::optional<size_t> chooseTrack(const std::string& fileName, const std::vector<SubtitleTrack>& tracks) override;

  // Tests answer the dialogs and the question here instead of showing them: the dialog's
  // title in, the chosen path (none: cancelled) out.
  std::function<std::optional<std::string>(const std::string& title)> answerDialog;
  std::function<bool(const std::string& question)> answerQuestion;
  int beeps = 0;

 private:
  TfMain& window_;
};
