#pragma once
// A Blu-ray stream of many subtitles for the benchmarks, written once per program with the
// program's own Blu-ray writer into a temporary folder: two lines of letter-like strokes
// with a dark outline, different for every subtitle, in an area of about 1000 x 120 pixels.
#include <string>

inline constexpr int kGeneratedSubtitles = 3000;

// The stream's path; the same file for every call.
const std::string& generatedBluRayStream();

// A temporary folder for the benchmarks' output files, made once.
const std::string& benchFolder();
