#pragma once
// The refusals every command shares, so that they hold in the window, on the command line and
// in the tests alike: nothing but "Cancel" acts while a long operation runs, and the commands
// that work on the list do nothing with an empty one.
class App;
struct Controls;

// While a long operation runs: sounds the warning beep and returns true; the command does
// nothing. A second read or run would replace the list or the pictures under the first.
bool refusedWhileBusy(App& app);
// With an empty list: reports the message as an error and returns true; no file is written.
bool refusedEmptyList(App& app, const char* message);
// The list became empty: "Save bitmaps", "OCR all", "Export sup" and "Save SRT" are offered
// no more.
void disableListCommands(Controls& ui);
