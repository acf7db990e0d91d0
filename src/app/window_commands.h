#pragma once
// The small commands of the main window that belong to no other module, and its closing.
#include <string>

class App;

inline constexpr const char* kConfirmStop = "Are you sure to stop?";
inline constexpr const char* kSelectDirectoryTitle = "Select a directory";
inline constexpr const char* kOpenBackgroundTitle = "Open background image";
inline constexpr const char* kOpenBackgroundFilter = "BMP image (*.bmp)|*.bmp";

// "Cancel": asks before stopping a long operation; with none running it only sets cancelReq.
void bCancelClick(App& app);
// "Clear": empties the message log.
void bClearClick(App& app);
// The "Output folder" browse button.
void bbWorkdirClick(App& app);
// The background picture browse button.
void bbBackgroundClick(App& app);
// The user edited the file box: "Read SUP" is offered exactly when the box names a file.
void eSUPfileChange(App& app);
// The user asks to close the window. Returns whether it may close; while a long operation
// runs it runs "Cancel" instead and the window stays open.
bool FormCloseQuery(App& app);
