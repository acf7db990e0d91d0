#pragma once
// Lines of a text file and their trimming, for bytes and for decoded characters alike.
#include <string>
#include <string_view>
#include <vector>

// The lines of a text file: they end with CR LF, LF or CR; a line break at the very end
// starts no further line.
std::vector<std::string> splitTextLines(std::string_view text);
std::vector<std::u32string> splitTextLines(std::u32string_view text);
// The text without blanks and control characters at both ends (and, for characters, without
// the other spaces of Unicode, the no-break space among them).
std::string trimLine(std::string_view line);
std::u32string trimLine(std::u32string_view line);
