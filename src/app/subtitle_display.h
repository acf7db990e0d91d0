#pragma once
// Shows subtitle n (1-based; below 1 or beyond the list: none) as the window does: draws it
// and fills the subtitle panel with its times, area, text and font.
#include <string>

class App;

void showSubtitle(App& app, int n);

// Shows a stored text in the subtitle panel's text memo, line by line, without taking it as
// an edit.
void TxtToLines(App& app, const std::string& text);
