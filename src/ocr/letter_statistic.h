#pragma once
// The letter statistic printed after a batch recognition, and the language guessed from it.
#include <array>
#include <string>
#include <vector>

#include "model/log_sink.h"
#include "model/subtitle.h"

// Letters a..z over every text: capitals count for their letter, small letters only from
// "a" to "p".
std::array<int, 26> countLetters(const std::vector<TSUP>& subs);
// The six most frequent letters as capitals, most frequent first, the earliest letter on a
// tie; "A" stands in whenever no letter with a count is left.
std::string mostImportantLetters(const std::array<int, 26>& counts);
// count / total in percent with one decimal, truncated: "12.3", "5", "0".
std::string percentText(int count, int total);

// Writes the statistic to the log and guesses the language. Returns the "Language" item of
// a guess that has a dictionary (English), else langNone.
int languageStatistic(const std::vector<TSUP>& subs, int totalChars, LogSink& log);
