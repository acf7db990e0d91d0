#pragma once
// Where the writers of the list put their files.
#include <string>

class App;

// The file the list came from: the SRT file of an imported list, else the stream in the file
// box; for a track of a video file, that file's folder and the track's name ("movie.track3"),
// which the outputs take.
std::string sourcePath(const App& app);
// The "Output folder" with a closing separator; when it is empty, the source's own folder,
// never whatever folder the program happened to be started from.
std::string outputFolder(const App& app);
