// Text corrections after recognition and the letter statistic.
#include "ocr/corrections.h"

#include <gtest/gtest.h>

#include "ocr/letter_statistic.h"
#include "support/recording_sinks.h"

namespace {
std::string corrected(std::string text, int language) {
  correctText(text, language);
  return text;
}

TEST(Corrections, EnglishTableFixesSmallL) {
  EXPECT_EQ(corrected("lt's over", 1), "It's over");
  EXPECT_EQ(corrected("lt's over", 0), "lt's over");
  EXPECT_EQ(corrected("Yes|l am|ln time.", 1), "Yes|I am|In time.");
  EXPECT_EQ(corrected("<i>lf only</i>", 1), "<i>If only</i>");
  EXPECT_EQ(corrected("-l know.", 1), "-I know.");
  EXPECT_EQ(corrected("\"l'm here.\"", 1), "\"I'm here.\"");
  EXPECT_EQ(corrected("the lrish lnspector", 1), "the Irish Inspector");
  EXPECT_EQ(corrected("or the\xB7ise", 1), "or therwise");
  EXPECT_EQ(corrected("well then", 1), "well then");  // "l" inside words stays
}

TEST(Corrections, LIRules) {
  EXPECT_EQ(corrected("AlB", 0), "AIB");
  EXPECT_EQ(corrected("lT", 0), "IT");
  EXPECT_EQ(corrected("WHAT lS", 0), "WHAT lS");  // the neighbour of the "l" is a space
  EXPECT_EQ(corrected("OKl", 0), "OKI");
  EXPECT_EQ(corrected("STlLL", 0), "STILL");
  EXPECT_EQ(corrected("l", 0), "l");
  EXPECT_EQ(corrected("\xC9l\xC9", 0), "\xC9l\xC9");  // accented capitals do not count
}

TEST(Corrections, GeneralTable) {
  EXPECT_EQ(corrected(". . .", 0), "...");
  EXPECT_EQ(corrected("''Go!''", 0), "\"Go!\"");
}

TEST(Corrections, ReplEdgeSpaces) {
  std::string t = "l am";
  repl(" l ", " I ", t);
  EXPECT_EQ(t, "I am");
  t = "say l";
  repl(" l ", " I ", t);
  EXPECT_EQ(t, "say I");
  t = "  two  ";  // one leading and one trailing space go on every call
  repl("x", "y", t);
  EXPECT_EQ(t, " two ");
  t = "";
  repl(" l ", " I ", t);
  EXPECT_EQ(t, "");
  t = "aa";  // a replacement holding its pattern does not loop
  repl("a", "aa", t);
  EXPECT_EQ(t, "aaaa");
}

TEST(Corrections, EnglishTableLayout) {
  const CorrectionTable& en = dict()[1];
  ASSERT_EQ(en.size(), 61u);
  EXPECT_EQ(en[0].pattern, " l ");
  EXPECT_EQ(en[7].pattern, "|l ");
  EXPECT_EQ(en[34].pattern, ".lf ");
  EXPECT_EQ(en[35].pattern, "l'll ");
  EXPECT_EQ(en[60].replacement, "\"If ");
}

TEST(LetterStatistic, Picks) {
  std::vector<TSUP> subs(2);
  subs[0].text = "eeeee tttt aaa|oo";
  subs[1].text = "QQQ zzzz";  // q to z count only as capitals
  const auto counts = countLetters(subs);
  EXPECT_EQ(counts['q' - 'a'], 3);
  EXPECT_EQ(counts['z' - 'a'], 0);
  EXPECT_EQ(counts['t' - 'a'], 0);
  EXPECT_EQ(mostImportantLetters(counts), "EAQOAA");

  std::array<int, 26> ties{};
  for (char c : std::string("ZYXWVU")) ties[size_t(c - 'A')] = 7;
  EXPECT_EQ(mostImportantLetters(ties), "UVWXYZ");  // the earliest letter wins a tie
  EXPECT_EQ(mostImportantLetters({}), "AAAAAA");
  subs[0].text = "qrstuvwxyz";
  subs[1].text = "";
  EXPECT_EQ(mostImportantLetters(countLetters(subs)), "AAAAAA");
}

TEST(LetterStatistic, Percent) {
  EXPECT_EQ(percentText(123, 1000), "12.3");
  EXPECT_EQ(percentText(1, 20), "5");
  EXPECT_EQ(percentText(0, 7), "0");
  EXPECT_EQ(percentText(2, 3), "66.6");
}

TEST(LetterStatistic, GuessesTheLanguage) {
  std::vector<TSUP> subs(1);
  subs[0].text = "EEEEEE OOOOO AAAA III NN H";
  RecordingLog log;
  EXPECT_EQ(languageStatistic(subs, 100, log), langEnglish);
  EXPECT_NE(log.text().find("Statistic:\n"), std::string::npos);
  EXPECT_NE(log.text().find("e: 6 - 6%\n"), std::string::npos);
  EXPECT_NE(log.text().find("Most important letters: EOAINH\n\n"), std::string::npos);
  EXPECT_NE(log.text().find("It seems to be in English."), std::string::npos);

  log.lines.clear();
  subs[0].text = "EEEEEE AAAAA IIII NNN OO L";
  EXPECT_EQ(languageStatistic(subs, 0, log), langNone);  // no characters: no letter lines, no picks
  EXPECT_EQ(log.text(), "Statistic:\nMost important letters: \n\n");
  EXPECT_EQ(languageStatistic(subs, 50, log), langNone);  // French has no dictionary
  EXPECT_NE(log.text().find("It seems to be in French."), std::string::npos);
}
}  // namespace
