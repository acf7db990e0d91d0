#pragma once
// Text-level repairs of recognised text: the classifier never answers "I" and reads a double
// quote as two apostrophes. Three l/I rules, the general table and one table per language of
// the "Language" box.
#include <string>
#include <string_view>
#include <vector>

struct CorrectionPair {
  std::string pattern;
  std::string replacement;
};
using CorrectionTable = std::vector<CorrectionPair>;

// Table 0 is applied after every recognition; table i belongs to item i of coLang.
const std::vector<CorrectionTable>& dict();
// The items of the "Language" box.
enum CorrectionLanguage : int { langNone = 0, langEnglish = 1 };
// The table of a "Language" item; null for "N/A" and for an item beyond the tables.
const CorrectionTable* languageTable(int language);

// Replaces every occurrence of pattern, leftmost first, searching again from the start after
// each replacement. A pattern with a space at an edge also matches at that edge of the text;
// one leading and one trailing space of the text go on every call.
void repl(std::string_view pattern, std::string_view replacement, std::string& text);
void applyTable(const CorrectionTable& table, std::string& text);
// "l" between capitals, or beside a capital at either end of the text, becomes "I".
void applyLIRules(std::string& text);
// Everything a recognition applies: the l/I rules, table 0, then the language's table.
void correctText(std::string& text, int language);
