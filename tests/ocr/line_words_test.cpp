// Words another engine read, turned into the stored text of one line: characters taken into
// Windows-1252, tags around the italic words as the rules' text has them.
#include "ocr/line_words.h"

#include <gtest/gtest.h>

#include "ocr/text_assembly.h"
#include "ocr/word_reading.h"

namespace {
struct WordsCase {
  const char* name;
  std::vector<WordBox> words;
  std::string styles;     // "i" for an italic word, any other letter for an upright one
  std::string text;       // with tags
  std::string untagged;   // without
  bool complete;
};

// Three words at columns 0-99, 120-199 and 220-299.
std::vector<WordBox> three(const char* a, const char* b, const char* c) {
  return {{a, 0, 99}, {b, 120, 199}, {c, 220, 299}};
}

const WordsCase kCases[] = {
    {"Upright", three("This", "blade", "has"), "uuu", "This blade has", "This blade has", true},
    {"AllItalic", three("So", "very", "dear?"), "iii", "<i>So very dear?</i>", "So very dear?", true},
    // The rules' text tags a change of style after the space between the words.
    {"ItalicThenUpright", three("So", "very", "dear"), "iuu", "<i>So </i>very dear", "So very dear", true},
    {"UprightThenItalic", three("So", "very", "dear"), "uii", "So <i>very dear</i>", "So very dear", true},
    {"ItalicInTheMiddle", three("So", "very", "dear"), "uiu", "So <i>very </i>dear", "So very dear", true},
    {"TypographicQuotes", {{"\xE2\x80\x9CYou\xE2\x80\x99re\xE2\x80\x9D", 0, 99}}, "", "\"You're\"", "\"You're\"",
     true},
    {"Ligatures", {{"\xEF\xAC\x81nal", 0, 49}, {"\xEF\xAC\x82ow", 60, 99}}, "", "final flow", "final flow", true},
    {"BarIsCapitalI", {{"|", 0, 9}, {"am", 20, 49}}, "", "I am", "I am", true},
    {"Windows1252Characters", {{"caf\xC3\xA9", 0, 49}, {"\xE2\x80\x94", 60, 69}, {"\xE2\x80\xA6", 80, 89}}, "",
     "caf\xE9 \x97 \x85", "caf\xE9 \x97 \x85", true},
    {"QuestionMarkIsKnown", {{"why?", 0, 49}}, "", "why?", "why?", true},
    // A character the code page lacks, and bytes that are no UTF-8, become unknown glyphs.
    {"BeyondTheCodePage", {{"a\xE2\x99\xABz", 0, 49}}, "", "a\xB7z", "a\xB7z", false},
    {"Emoji", {{"\xF0\x9F\x98\x80!", 0, 49}}, "", "\xB7!", "\xB7!", false},
    {"InvalidUtf8", {{"a\xFFz", 0, 49}, {"\xC3", 60, 69}}, "", "a\xB7z \xB7", "a\xB7z \xB7", false},
    {"EmptyWordsAreSkipped", {{"", 0, 9}, {"one", 20, 49}, {"", 60, 69}, {"two", 80, 99}}, "", "one two", "one two",
     true},
};

class LineWords : public ::testing::TestWithParam<WordsCase> {};

TEST_P(LineWords, ReadAsText) {
  const WordsCase& c = GetParam();
  const auto italic = [&c](const WordBox& w) {
    const size_t i = size_t(&w - c.words.data());
    return i < c.styles.size() && c.styles[i] == 'i';
  };
  const std::vector<GlyphCell> cells = wordCells(c.words, italic);
  AssembledText tagged, plain;
  appendLineText(tagged, cells, true);
  appendLineText(plain, cells, false);
  EXPECT_EQ(tagged.text, c.text);
  EXPECT_EQ(plain.text, c.untagged);
  EXPECT_EQ(tagged.complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineWords, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineWordsCells, OneCellPerCharacterAndASpaceBetweenWords) {
  const std::vector<WordBox> words = {{"ab", 10, 29}, {"c", 40, 49}};
  const std::vector<GlyphCell> cells = wordCells(words, [](const WordBox&) { return false; });
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0].ch, u'a');
  EXPECT_EQ(cells[1].ch, u'b');
  EXPECT_EQ(cells[2].ch, u' ');
  EXPECT_EQ(cells[3].ch, u'c');
  EXPECT_EQ(cells[2].left, 29);
  EXPECT_EQ(cells[2].right, 40);
}

// A subtitle's reading from the words of its lines: the "Font" choice styles every word, and
// a line with ink that reads as nothing stands as an unknown, upright glyph.
TEST(WordReading, LinesStylesAndALineReadAsNothing) {
  const std::vector<LinePicture> lines(2);
  const std::vector<std::vector<WordBox>> words = {{{"Hi", 0, 19}, {"you", 30, 59}}};
  const struct {
    uint8_t fontMode;
    const char* text;
    int italic, upright;
  } cases[] = {{fmNormal, "Hi you|\xB7", 0, 6}, {fmItalic, "<i>Hi you</i>|\xB7", 5, 1}};
  for (const auto& c : cases) {
    const SubtitleReading r = wordReading(lines, words, c.fontMode, true);
    EXPECT_EQ(r.assembled.text, c.text);
    EXPECT_FALSE(r.assembled.complete);
    EXPECT_EQ(r.lineCount, 2);
    EXPECT_EQ(r.charCount, 7);
    EXPECT_EQ(r.counters.italicCells, c.italic);
    EXPECT_EQ(r.counters.normalCells, c.upright);
  }
}
}  // namespace
