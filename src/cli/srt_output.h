#pragma once
// The SRT text of the loaded list, as the "SRT" page shows it, to a file or to stdout.
#include <string>

struct CliContext;

// The output name that means standard output.
inline constexpr const char* kStandardOutput = "-";

// Rebuilds the SRT view and writes it to `out` (completely or not at all), or to stdout
// when `out` is empty or "-", with the same bytes a file gets, in the "SRT encoding" chosen.
// Returns the exit status.
int emitSrt(CliContext& ctx, const std::string& out);
