// Decoding text files, the sheet's codes for characters, and SRT formatting tags.
#include <gtest/gtest.h>

#include "text/sheet_text.h"
#include "text/srt_tags.h"
#include "text/text_decoding.h"

TEST(TextDecoding, EncodingsAndMalformedBytes) {
  const struct {
    std::string bytes;
    std::u32string text;
    TextEncoding encoding;
  } cases[] = {
      {"", U"", TextEncoding::Utf8},
      {"a\xC3\xA9\xF0\x9F\x8E\xB5", U"a\u00E9\U0001F3B5", TextEncoding::Utf8},
      {"\xEF\xBB\xBF" "a", U"a", TextEncoding::Utf8Bom},
      {"\xEF\xBB\xBF" "a\xE9", U"a\u00E9", TextEncoding::Windows1252},  // a stray mark on Windows-1252 text
      {"\xC0\xAF", U"\u00C0\u00AF", TextEncoding::Windows1252},         // an overlong "/"
      {"\xED\xA0\x80", U"\u00ED\u00A0\u20AC", TextEncoding::Windows1252},  // a surrogate half
      {"\xE2\x82", U"\u00E2\u201A", TextEncoding::Windows1252},         // cut short
      {std::string("\xFF\xFE" "A\0\x3C\xD8\xB5\xDF", 8), U"A\U0001F3B5", TextEncoding::Utf16LE},
      {std::string("\xFE\xFF\xD8\x3D" "\0A" "\0", 7), U"\uFFFDA\uFFFD", TextEncoding::Utf16BE},  // unpaired, odd byte
      {std::string("1\0\n\0", 4), U"1\n", TextEncoding::Utf16LE},
      {std::string("\0" "1\0\n", 4), U"1\n", TextEncoding::Utf16BE},
  };
  for (const auto& c : cases) {
    const DecodedText d = decodeText(c.bytes);
    EXPECT_EQ(d.text, c.text) << encodingName(c.encoding);
    EXPECT_EQ(d.encoding, c.encoding) << encodingName(d.encoding);
  }
}

TEST(SheetText, GlyphsStandInsAndMissingCharacters) {
  const struct {
    std::u32string text;
    std::string codes;
    std::u32string missing;
  } cases[] = {
      {U"Ol\u00E1 \u00D1o\u00F1o \u00BFqu\u00E9? \u00A1s\u00ED!", "Ol\xE1 \xD1o\xF1o \xBFqu\xE9? \xA1s\xED!", U""},
      {U"\u2018a\u2019 \u201Cb\u201D \u00ABc\u00BB \u2026 \u2013\u2014\u2212", "'a' \"b\" \"c\" ... ---", U""},
      {U"\u0151\u0171\u0141\u00D8\u00E7\u00C5\u017E", "ouLOcAz", U""},
      {U"\u00DF\u00C6\u0153 \u20AC5 \u00BD \u00D7", "ssAEoe EUR5 1/2 x", U""},
      {U"a\u00ADb\u200Bc\uFEFFd\u00A0e\tf", "abcd e f", U""},
      {U"x=y=z \u266A\u266A _", "x=y=z  _", U"=\u266A_"},  // kept when Windows-1252 has them
      {U"\u00D2\u00F2", "Oo", U""},  // the sheet's code 210 has no width
  };
  for (const auto& c : cases) {
    const SheetText t = toSheetCodes(c.text);
    EXPECT_EQ(t.codes, c.codes);
    EXPECT_EQ(t.missing, c.missing) << t.codes;
  }
  EXPECT_EQ(characterName(U'='), "'='");
  EXPECT_EQ(characterName(U'\u00DF'), "'\xDF'");
  EXPECT_EQ(characterName(U'\u266A'), "U+266A");
  EXPECT_EQ(characterName(U'\x01'), "U+0001");
  EXPECT_EQ(characterName(U'\U0001F3B5'), "U+1F3B5");
}

TEST(SrtTags, ItalicKeptOtherFormattingRemoved) {
  const struct {
    std::u32string line, drawn;
    unsigned removed;
  } cases[] = {
      {U"<I>a</I> <i>b</i>", U"<i>a</i> <i>b</i>", 0},
      {U"<B>a</b><u>b</U><s>c</s>", U"abc", rtBold | rtUnderline | rtStrike},
      {U"<font color=\"#FF0000\" face=\"x\">red</font><FONT>x</FONT>", U"redx", rtFont},
      {U"{\\an8}{\\pos(10,20)}top", U"top", rtOverride},
      {U"a < b > c {plain} <br> <fontx>", U"a < b > c {plain} <br> <fontx>", 0},
      {U"<font color=red unclosed {\\an8 unclosed", U"<font color=red unclosed {\\an8 unclosed", 0},
  };
  for (const auto& c : cases) {
    unsigned removed = 0;
    EXPECT_EQ(drawableTags(c.line, removed), c.drawn);
    EXPECT_EQ(removed, c.removed);
  }
  EXPECT_EQ(removedTagNames(rtBold | rtFont | rtOverride), "<b>, <font>, {\\...}");
  EXPECT_EQ(removedTagNames(0), "");
}
