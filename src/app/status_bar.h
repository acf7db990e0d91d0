#pragma once
// The two-panel status bar as data. Panel texts begin with one blank, which the
// reporting operations add.
#include <array>
#include <string>

struct StatusPanel {
  std::string text;
  int width = 50;
};

struct StatusBar {
  std::array<StatusPanel, 2> panels;
  bool bold = false;
  bool errorMarker = false;  // panel 0 shows the red "ERROR" marker instead of its text
  std::string hint;
};

inline constexpr int kErrorMarkerWidth = 55;
