#pragma once
// Shows subtitle n (1-based; below 1 or beyond the list: none) as the window does: draws it
// and fills the subtitle panel with its times, area, text and font.
class App;

void showSubtitle(App& app, int n);
