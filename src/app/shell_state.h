#pragma once
// What the window shell keeps besides its controls: the caption and the run-once flag of
// start-up.
#include <string>

struct ShellState {
  std::string caption;   // the main window's caption, set at start-up
  bool started = false;  // start-up has run; later activations repeat none of it
};
