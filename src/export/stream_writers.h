#pragma once
// The two stream writers. Each draws every subtitle of the list in turn (DrawSub, with the
// export flag set by the caller) and encodes what the render left in indexImage and the
// palette. The file is written under a temporary name and put in place at the end, also
// after a cancel (it then holds the subtitles written so far, each complete); after an
// error it is removed and an existing file of that name stays as it was.
#include <string>

class App;

// Blu-ray presentation graphics. Throws FileError.
void expBD(App& app, const std::string& fileName);
// HD DVD subpicture units. An odd top row of a subtitle's area is made even in the list
// itself, as the display area says. Throws FileError.
void expHD(App& app, const std::string& fileName);
