#include <gtest/gtest.h>

#include "app/app.h"
#include "support/test_host.h"

namespace {
std::vector<std::pair<std::string, LogStyle>> runs(const LogLine& l) {
  std::vector<std::pair<std::string, LogStyle>> r;
  for (const LogRun& run : l.runs) r.emplace_back(run.text, run.style);
  return r;
}
LogStyle red() {
  LogStyle s;
  s.color = 0x0000FF;
  return s;
}
LogStyle bold() {
  LogStyle s;
  s.bold = true;
  return s;
}
}  // namespace

TEST(Markup, TagsStyleTheirTextAndVanishFromTheLine) {
  const LogLine l = parseMarkup("Network error: [re]timeout[/re]");
  EXPECT_EQ(l.text, "Network error: timeout");
  ASSERT_EQ(l.runs.size(), 2u);
  EXPECT_EQ(runs(l)[0], std::make_pair(std::string("Network error: "), LogStyle{}));
  EXPECT_EQ(runs(l)[1], std::make_pair(std::string("timeout"), red()));

  const LogLine v = parseMarkup("Version: [b]1.0[/b].");
  ASSERT_EQ(v.runs.size(), 3u);
  EXPECT_EQ(runs(v)[1], std::make_pair(std::string("1.0"), bold()));
  EXPECT_EQ(v.runs[2].text, ".");
}

TEST(Markup, EveryTagName) {
  EXPECT_TRUE(parseMarkup("[i]x[/i]").runs[0].style.italic);
  EXPECT_TRUE(parseMarkup("[u]x[/u]").runs[0].style.underline);
  EXPECT_EQ(parseMarkup("[s1]x[/s1]").runs[0].style.size, 10);
  const LogLine big = parseMarkup("[s2]Big[/s2] small");
  EXPECT_EQ(big.runs[0].style.size, 12);
  EXPECT_EQ(big.runs[1].style.size, 8);
  EXPECT_EQ(parseMarkup("[bl]x[/bl]").runs[0].style.color, 0xFF0000u);
  EXPECT_EQ(parseMarkup("[c:008000]x[/c:008000]").runs[0].style.color, 0x008000u);
  // Only the hexadecimal digits of a colour count.
  EXPECT_EQ(parseMarkup("[c:zz12]x[/c:zz12]").runs[0].style.color, 0x12u);
  EXPECT_EQ(parseMarkup("[c:]x[/c:]").runs[0].style.color, 0u);
  // Names are case-sensitive: an unknown name gives the default style.
  const LogLine upper = parseMarkup("[B]x[/B]");
  EXPECT_EQ(upper.text, "x");
  EXPECT_EQ(upper.runs[0].style, LogStyle{});
}

TEST(Markup, EmptyAndEmptyRuns) {
  EXPECT_EQ(parseMarkup("").text, "");
  EXPECT_TRUE(parseMarkup("").runs.empty());
  const LogLine l = parseMarkup("[b][/b]x");
  EXPECT_EQ(l.text, "x");
  ASSERT_EQ(l.runs.size(), 1u);
}

TEST(Markup, BracketsWithoutAPairStayAsText) {
  // Nothing is lost and nothing hangs: unpaired brackets are ordinary characters.
  for (const char* t : {"a]b[c", "movie[1].sup", "[", "]", "[[", "]]", "x[/b]y", "[b]unclosed",
                        "[0,0] - [100,50]", "PXD [0007DC]", "[a[b]c", "][", "[]"}) {
    const LogLine l = parseMarkup(t);
    EXPECT_EQ(l.text, t) << t;
    std::string joined;
    for (const LogRun& r : l.runs) joined += r.text;
    EXPECT_EQ(joined, t) << t;
  }
  // A real pair after a stray bracket still takes effect.
  const LogLine mixed = parseMarkup("a[ [b]x[/b] ]");
  EXPECT_EQ(mixed.text, "a[ x ]");
  EXPECT_TRUE(mixed.runs[1].style.bold);
  const LogLine inner = parseMarkup("[a[b]x[/b]");
  EXPECT_EQ(inner.text, "[ax");
}

TEST(Markup, TagsInsideAPairTakeThePairsStyle) {
  const LogLine l = parseMarkup("[b]a[i]b[/i]c[/b]");
  EXPECT_EQ(l.text, "abc");
  ASSERT_EQ(l.runs.size(), 1u);
  EXPECT_EQ(l.runs[0].style, bold());
}

TEST(Markup, LongUnpairedTextStaysWhole) {
  std::string t(20000, '[');
  EXPECT_EQ(parseMarkup(t).text, t);
}

class LogOps : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
};

TEST_F(LogOps, Log2LeavesAnEmptyLineThatLognFills) {
  app.log("");
  EXPECT_EQ(app.messages.lines().size(), 1u);
  app.log2("Loading x");
  app.logn("3 subtitles loaded.");
  EXPECT_EQ(app.messages.plainText(), "\nLoading x\n3 subtitles loaded.\n");
  // logn takes its text literally.
  app.logn("[b]x[/b]");
  EXPECT_EQ(app.messages.lines().back().text, "[b]x[/b]");
}

TEST_F(LogOps, LognOnAnEmptyLogAppends) {
  app.logn("first");
  EXPECT_EQ(app.messages.plainText(), "first\n");
}

TEST_F(LogOps, ErlogMarksTheStatusBarUntilTheNextSlog) {
  app.erlog("Unsupported file format.");
  const LogLine& l = app.messages.lines().back();
  EXPECT_EQ(l.text, "Unsupported file format.");
  EXPECT_EQ(l.runs[0].style.color, 0x0000FFu);
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_TRUE(app.statusBar.bold);
  EXPECT_EQ(app.statusBar.panels[1].text, " Unsupported file format.");
  EXPECT_EQ(app.statusBar.panels[0].width, kErrorMarkerWidth);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(app.lastError, "Unsupported file format.");

  app.slog("Ready", 0);
  EXPECT_FALSE(app.statusBar.errorMarker);
  EXPECT_FALSE(app.statusBar.bold);
  EXPECT_EQ(app.statusBar.panels[0].text, " Ready");
}

TEST_F(LogOps, SlogSetsWidthAndHint) {
  app.slog("12/34", 1);
  EXPECT_EQ(app.statusBar.panels[1].text, " 12/34");
  EXPECT_EQ(app.statusBar.panels[1].width, host.statusTextWidth(" 12/34a"));
  EXPECT_EQ(app.statusBar.hint, "12/34");
  app.slog("Loading", 0);
  EXPECT_EQ(app.statusBar.hint, "12/34");  // panel 0 leaves the hint
}

TEST_F(LogOps, Slog2KeepsTheMarkerAndFillsTheLastLine) {
  app.log2("block");
  app.erslog("bad");
  app.slog2("Ready", "done here");
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_EQ(app.statusBar.panels[0].text, " Ready");
  EXPECT_EQ(app.statusBar.panels[1].text, " done here");
  EXPECT_EQ(app.messages.lines().back().text, "done here");
}

TEST_F(LogOps, PslogShowsThePercentInTheTitle) {
  app.subs.resize(100);
  app.pslog("x", 25);
  EXPECT_EQ(app.appTitle, "Marrowby - 25%");
  EXPECT_EQ(app.ui.ProgressBar.position, 25);
  app.subs.clear();  // an empty list counts as one
  app.pslog("x", 1);
  EXPECT_EQ(app.appTitle, "Marrowby - 100%");
}
