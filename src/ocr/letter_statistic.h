#pragma once
// The letter statistic printed after a batch recognition, and the language guessed from it.
#include <array>
#include <string>
#include <vector>

#include "model/subtitle.h"

class App;

// Letters a..z over every text: capitals count for their letter, small letters only from
// "a" to "p".
std::array<int, 26> countLetters(const std::vector<TSUP>& subs);
// The six most frequent letters as capitals, most frequent first, the earliest letter on a
// tie; "A" stands in whenever no letter with a count is left.
std::string mostImportantLetters(const std::array<int, 26>& counts);
// count / total in percent with one decimal, truncated: "12.3", "5", "0".
std::string percentText(int count, int total);

// Writes the statistic to the log and guesses the language; English selects its dictionary.
void languageStatistic(App& app, int totalChars);
