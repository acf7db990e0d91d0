#pragma once
// The progress sink of a command's work as the window shows it: the status line's second
// panel and the progress bar, and, for the writers of whole lists, the percentage in the
// title. Stopping is the "Cancel" request, seen after the window handled pending input.
#include "model/progress_sink.h"

class App;

class CommandProgress : public ProgressSink {
 public:
  enum class Title { unchanged, percent };
  explicit CommandProgress(App& app, Title title = Title::unchanged) : app_(app), title_(title) {}
  void progress(std::string_view status, int position) override;
  bool stopRequested() override;

 private:
  App& app_;
  Title title_;
};
