#include "ocr/corrections.h"

#include <cassert>

namespace {
// A table has 100 slots; the tables below fill fewer.
constexpr size_t kTableSlots = 100;

CorrectionTable englishTable() {
  static const char* const heads[][2] = {{"l ", "I "},   {"l'm", "I'm"}, {"l'd", "I'd"}, {"lt ", "It "},
                                         {"ls ", "Is "}, {"ln ", "In "}, {"lf ", "If "}};
  static const char* const words[][2] = {
      {"l'll ", "I'll "},         {"l've ", "I've "},       {"lt's ", "It's "},
      {"lsn't ", "Isn't "},       {"lt'll ", "It'll "},     {"the\xB7ise", "therwise"},
      {"lnter", "Inter"},         {"lnside", "Inside"},     {"lncredible", "Incredible"},
      {"lnstead", "Instead"},     {"lrish", "Irish"},       {"lreland", "Ireland"},
      {"lmagin", "Imagin"},       {"lmage", "Image"},       {"lnclud", "Includ"},
      {"lndian", "Indian"},       {"lmperial", "Imperial"}, {"lndependent", "Independent"},
      {"lnspect", "Inspect"}};
  CorrectionTable t;
  auto addHeads = [&](const std::string& before) {
    for (const auto& h : heads) t.push_back({before + h[0], before + h[1]});
  };
  for (const char* before : {" ", "|", "-", "<i>", "."}) addHeads(before);
  for (const auto& w : words) t.push_back({w[0], w[1]});
  addHeads("\"");
  return t;
}

std::vector<CorrectionTable> buildDict() {
  std::vector<CorrectionTable> d = {{{"''", "\""}, {". .", ".."}}, englishTable()};
  for ([[maybe_unused]] const CorrectionTable& t : d) assert(t.size() <= kTableSlots);
  return d;
}

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
}  // namespace

const std::vector<CorrectionTable>& dict() {
  static const std::vector<CorrectionTable> d = buildDict();
  return d;
}

const CorrectionTable* languageTable(int language) {
  if (language <= langNone || size_t(language) >= dict().size()) return nullptr;
  return &dict()[size_t(language)];
}

void repl(std::string_view pattern, std::string_view replacement, std::string& text) {
  if (text.empty() || pattern.empty()) return;
  if (pattern.front() == ' ') text.insert(text.begin(), ' ');
  if (pattern.back() == ' ') text.push_back(' ');
  // Searching again from the start lets a replacement match with its surroundings (". . ."
  // takes two steps). A replacement that holds its own pattern would match forever; there the
  // search goes on after it instead. The built-in tables have no such pair.
  const bool selfMatching = replacement.find(pattern) != std::string_view::npos;
  size_t from = 0;
  for (size_t at; (at = text.find(pattern, from)) != std::string::npos;) {
    text.replace(at, pattern.size(), replacement);
    from = selfMatching ? at + replacement.size() : 0;
  }
  if (!text.empty() && text.front() == ' ') text.erase(text.begin());
  if (!text.empty() && text.back() == ' ') text.pop_back();
}

void applyTable(const CorrectionTable& table, std::string& text) {
  for (const CorrectionPair& pair : table) repl(pair.pattern, pair.replacement, text);
}

void applyLIRules(std::string& text) {
  const size_t n = text.size();
  if (n >= 2 && text[0] == 'l' && isCapital(text[1])) text[0] = 'I';
  for (size_t p = 1; p + 1 < n; ++p)
    if (text[p] == 'l' && isCapital(text[p - 1]) && isCapital(text[p + 1])) text[p] = 'I';
  if (n >= 2 && text[n - 1] == 'l' && isCapital(text[n - 2])) text[n - 1] = 'I';
}

void correctText(std::string& text, int language) {
  applyLIRules(text);
  applyTable(dict()[0], text);
  if (const CorrectionTable* table = languageTable(language)) applyTable(*table, text);
}
