#pragma once
// A Blu-ray stream of many subtitles for the benchmarks, written once per program with the
// program's own Blu-ray writer into a temporary folder: two lines of letter-like strokes
// with a dark outline, different for every subtitle, in an area of about 1000 x 120 pixels.
#include <benchmark/benchmark.h>

#include <string>

class App;

inline constexpr int kGeneratedSubtitles = 3000;

// The stream's path; the same file for every call.
const std::string& generatedBluRayStream();

// A temporary folder for the benchmarks' output files, made once.
const std::string& benchFolder();

// Reads the generated stream into app as "Read SUP" does; false (the benchmark marked as
// skipped) when it does not come back whole.
bool loadGeneratedStream(App& app, benchmark::State& state);
