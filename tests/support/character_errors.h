#pragma once
// How far a recognised text is from the text it should be: edits per character written.
#include <string>
#include <vector>

// The fewest single-character insertions, deletions and substitutions from a to b.
size_t editDistance(const std::string& a, const std::string& b);
// The character error rate in percent of what was read against what was written, text by
// text; with `show` the texts that differ are printed.
double errorRate(const std::vector<std::string>& want, const std::vector<std::string>& got, bool show);
