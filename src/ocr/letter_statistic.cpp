#include "ocr/letter_statistic.h"

#include "app/app.h"

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

void languageStatistic(App& app, int totalChars) {
  app.log("Statistic:");
  const std::array<int, 26> counts = countLetters(app.subs);
  std::string letters;
  if (totalChars > 0) {
    for (size_t i = 0; i < counts.size(); ++i)
      app.log(std::string(1, char('a' + i)) + ": " + std::to_string(counts[i]) + " - " +
              percentText(counts[i], totalChars) + "%");
    letters = mostImportantLetters(counts);
  }
  app.log2("Most important letters: " + letters);
  // The guess is followed by an empty line: the batch ends with slog2("Ready") and "Done.",
  // which replace the last line of the log, and would otherwise wipe the guess out.
  if (letters == "EOAINH" || letters == "EAONIH") {
    app.log2("It seems to be in English.");
    app.ui.coLang.itemIndex = 1;  // selected as the program's own choice: no offer to apply it now
  }
  if (letters == "EAINOL") app.log2("It seems to be in French.");
}
