#pragma once
// Builds the 256-entry palette of one subtitle before it is drawn.
class App;
class StreamFile;
struct DisplaySize;

// Fills the palette state for subs[n] (0-based) by the kind of the list and sets the display
// size. HD DVD and Blu-ray palettes are read from the stream file: `file` when the caller has
// it open, else the file named in eSUPfile. A file that cannot be opened or is shorter than
// the recorded positions raises FileError, leaving the palette partly rebuilt. A command that
// draws the whole list passes the list's display size, measured once, as listSize.
void setpal(App& app, int n, const StreamFile* file = nullptr, const DisplaySize* listSize = nullptr);
