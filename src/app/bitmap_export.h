#pragma once
#include <string>

class App;

// "Save bitmaps": every subtitle as picture files in a folder named after the source, with
// the authoring scripts when "Scenarist exp" is checked.
void bSaveBMPClick(App& app);

// The folder the pictures go to: the output folder, the source file name and ".bitmaps/".
std::string pictureFolder(const App& app);
