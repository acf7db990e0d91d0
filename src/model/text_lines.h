#pragma once
// A subtitle's text is stored as one string with its lines joined by '|'.
#include <string>
#include <vector>

// Splits a stored text at every '|'; an empty text is one empty line.
std::vector<std::string> splitLines(const std::string& text);
// Joins lines into the stored form; empty lines before the first non-empty one vanish.
std::string LinesToTxt(const std::vector<std::string>& lines);
