#pragma once
// Change handling of the SRT lettering options.
class App;

// "Last line" or "Line spacing" changed: recomputes the text line baselines lineBase.
void LineDataChange(App& app);
