#pragma once
// Change handling of the SRT lettering options.
class App;

// "Last line" or "Line spacing" changed: recomputes the text line baselines lineBase.
void LineDataChange(App& app);
// "Color" changed: keeps the letter brightness within 0 to 255.
void ieMaxColorChange(App& app);
