#pragma once
// A Host for tests: records what the core asked of the platform and answers dialogs and
// questions from queues the test fills.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

class TestHost : public Host {
 public:
  int beeps = 0;
  int repaints = 0;
  int pumps = 0;
  std::vector<std::string> titles;
  std::vector<std::string> questions;
  std::deque<bool> answers;                          // empty: yes
  std::deque<std::optional<std::string>> dialogs;    // empty: cancelled
  std::vector<std::string> dialogTitles;
  std::function<void()> onPump;                      // runs during a long operation
  std::deque<std::optional<size_t>> trackAnswers;    // empty: cancelled
  std::vector<std::vector<SubtitleTrack>> trackQuestions;

  void pump() override {
    ++pumps;
    if (onPump) onPump();
  }
  void repaint() override { ++repaints; }
  bool askYesNo(const std::string& q) override {
    questions.push_back(q);
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void beep() override { ++beeps; }
  void setTitle(const std::string& t) override { titles.push_back(t); }
  std::optional<std::string> openFile(const std::string& title, const std::string&, const std::string&) override {
    return nextDialog(title);
  }
  std::optional<std::string> saveFile(const std::string& title, const std::string&, const std::string&,
                                      const std::string&, const std::string&) override {
    return nextDialog(title);
  }
  std::optional<std::string> pickFolder(const std::string& title, const std::string&) override {
    return nextDialog(title);
  }
  std::optional<size_t> chooseTrack(const std::string&, const std::vector<SubtitleTrack>& tracks) override {
    trackQuestions.push_back(tracks);
    if (trackAnswers.empty()) return std::nullopt;
    const auto a = trackAnswers.front();
    trackAnswers.pop_front();
    return a;
  }

 private:
  std::optional<std::string> nextDialog(const std::string& title) {
    dialogTitles.push_back(title);
    if (dialogs.empty()) return std::nullopt;
    auto d = dialogs.front();
    dialogs.pop_front();
    return d;
  }
};
