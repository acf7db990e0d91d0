#pragma once
class App;

// Draws subtitle number n (1-based; below 1 means none) into the working images and the
// display, and refreshes the subtitle panel's controls.
void DrawSub(App& app, int n);
