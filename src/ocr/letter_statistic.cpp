#include "ocr/letter_statistic.h"

#include "ocr/corrections.h"

std::array<int, 26> countLetters(const std::vector<TSUP>& subs) {
  std::array<int, 26> counts{};
  for (const TSUP& s : subs)
    for (const char c : s.text) {
      if (c >= 'A' && c <= 'Z') ++counts[size_t(c - 'A')];
      else if (c >= 'a' && c <= 'p') ++counts[size_t(c - 'a')];
    }
  return counts;
}

std::string mostImportantLetters(const std::array<int, 26>& counts) {
  std::array<bool, 26> picked{};
  std::string letters;
  for (int round = 0; round < 6; ++round) {
    int best = -1;
    for (int i = 0; i < 26; ++i)
      if (!picked[size_t(i)] && counts[size_t(i)] > 0 && (best < 0 || counts[size_t(i)] > counts[size_t(best)]))
        best = i;
    if (best < 0) {
      letters += 'A';
      continue;
    }
    picked[size_t(best)] = true;
    letters += char('A' + best);
  }
  return letters;
}

std::string percentText(int count, int total) {
  const long long tenths = total > 0 ? (long long)count * 1000 / total : 0;
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
  return text;
}

int languageStatistic(const std::vector<TSUP>& subs, int totalChars, LogSink& log) {
  log.log("Statistic:");
  const std::array<int, 26> counts = countLetters(subs);
  std::string letters;
  if (totalChars > 0) {
    for (size_t i = 0; i < counts.size(); ++i)
      log.log(std::string(1, char('a' + i)) + ": " + std::to_string(counts[i]) + " - " +
              percentText(counts[i], totalChars) + "%");
    letters = mostImportantLetters(counts);
  }
  log.log2("Most important letters: " + letters);
  // The guess is followed by an empty line: the batch ends with slog2("Ready") and "Done.",
  // which replace the last line of the log, and would otherwise wipe the guess out.
  int language = langNone;
  if (letters == "EOAINH" || letters == "EAONIH") {
    log.log2("It seems to be in English.");
    language = langEnglish;
  }
  if (letters == "EAINOL") log.log2("It seems to be in French.");
  return language;
}
