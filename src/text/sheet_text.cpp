#include "text/sheet_text.h"

#include <array>
#include <cstdio>

#include "render/glyph_tables.h"
#include "text/cp1252.h"

namespace {
struct StandIn {
  char32_t c;
  const char* text;
};

// Marks of punctuation and signs that the sheet draws in plain ASCII. Invisible characters
// (soft hyphen, zero-width spaces and joiners, direction marks, the byte-order mark) stand
// for nothing: there is nothing to draw.
constexpr StandIn kStandIns[] = {
    {0x60, "'"},     {0xB4, "'"},     {0x2018, "'"},   {0x2019, "'"},   {0x201A, "'"},   {0x201B, "'"},
    {0x2032, "'"},   {0x2039, "'"},   {0x203A, "'"},   {0x201C, "\""},  {0x201D, "\""},  {0x201E, "\""},
    {0x201F, "\""},  {0x2033, "\""},  {0xAB, "\""},    {0xBB, "\""},    {0x2026, "..."}, {0x2010, "-"},
    {0x2011, "-"},   {0x2012, "-"},   {0x2013, "-"},   {0x2014, "-"},   {0x2015, "-"},   {0x2212, "-"},
    {0x09, " "},     {0xA0, " "},     {0x202F, " "},   {0x205F, " "},   {0x3000, " "},   {0x7B, "("},
    {0x7D, ")"},     {0xD7, "x"},     {0x20AC, "EUR"}, {0x2122, "TM"},  {0xA9, "(C)"},   {0xAE, "(R)"},
    {0xBC, "1/4"},   {0xBD, "1/2"},   {0xBE, "3/4"},   {0xB9, "1"},     {0xB2, "2"},     {0xB3, "3"},
    {0xC6, "AE"},    {0xE6, "ae"},    {0xDE, "Th"},    {0xFE, "th"},    {0xDF, "ss"},    {0x1E9E, "SS"},
    {0x132, "IJ"},   {0x133, "ij"},   {0x152, "OE"},   {0x153, "oe"},   {0x149, "'n"},   {0x218, "S"},
    {0x219, "s"},    {0x21A, "T"},    {0x21B, "t"},    {0xAD, ""},      {0x200B, ""},    {0x200C, ""},
    {0x200D, ""},    {0x200E, ""},    {0x200F, ""},    {0x2060, ""},    {0xFEFF, ""},
};

// Base letters of U+00C0 to U+017F; '?' where the letter has no single base (those are in
// kStandIns) or is no letter.
constexpr std::string_view kBaseLetters =
    "AAAAAA?CEEEEIIIIDNOOOOO?OUUUUY??aaaaaa?ceeeeiiiidnooooo?ouuuuy?y"
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlL"
    "lLlNnNnNn?NnOoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
constexpr char32_t kFirstMarked = 0xC0;
static_assert(kBaseLetters.size() == 0x180 - kFirstMarked);

const char* standIn(char32_t c) {
  for (const StandIn& s : kStandIns)
    if (s.c == c) return s.text;
  return nullptr;
}

char baseLetter(char32_t c) {
  if (c < kFirstMarked || c - kFirstMarked >= kBaseLetters.size()) return 0;
  const char b = kBaseLetters[c - kFirstMarked];
  return b == '?' ? 0 : b;
}
}  // namespace

bool sheetHasGlyph(unsigned char code) {
  const TGlyph& g = glyphNormal[code];
  return g.row >= 1 && g.width >= 1;
}

SheetText toSheetCodes(std::u32string_view text) {
  SheetText out;
  out.codes.reserve(text.size());
  for (char32_t c : text) {
    const auto code = cp1252Code(c);
    if (code && sheetHasGlyph(*code)) {
      out.codes += char(*code);
    } else if (const char* s = standIn(c)) {
      out.codes += s;
    } else if (const char b = baseLetter(c)) {
      out.codes += b;
    } else {
      if (code) out.codes += char(*code);
      addMissing(out.missing, c);
    }
  }
  return out;
}

void addMissing(std::u32string& missing, char32_t c) {
  if (missing.size() < kMaxMissingNamed && missing.find(c) == std::u32string::npos) missing += c;
}

std::string characterName(char32_t c) {
  const auto code = cp1252Code(c);
  if (code && *code >= 0x20 && *code != 0x7F) return std::string("'") + char(*code) + "'";
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", unsigned(c));
  return buf;
}
