#include "ocr/glyph_classifier.h"

namespace {
enum : int { kBlank = 0, kInk = 1 };

bool between(int x, int a, int b) { return a <= x && x <= b; }

// a * 10 / b for the proportion tests. A zero denominator (a cell one pixel wide or tall
// that no earlier rule took) has no proportion: -1 fails every proportion test, so such a
// cell stays unknown unless a later rule without a proportion takes it.
int ratio(int a, int b) { return b == 0 ? -1 : a * 10 / b; }

// Walks of one row or column of the cell, in the cell's own (de-skewed) coordinates. Offsets
// are not clipped to the cell: the plane is read wherever they lead.
class Probes {
 public:
  Probes(const OcrMask& mask, const LineBand& band, const GlyphCell& cell, SkewRatio skew)
      : mask_(mask), band_(band), c_(cell), skew_(skew), italic_(cell.italic == kItalic) {}

  int pixel(int x, int y) const {
    const int col = italic_ ? x - skew_.shift(y, band_.lineTop) : x;
    return mask_.at(col, y) != 0 ? kInk : kBlank;
  }
  int fromTop(int x, int v) const {
    for (int y = c_.top; y <= c_.bottom; ++y)
      if (pixel(c_.left + x, y) == v) return y - c_.top;
    return -1;
  }
  int fromBottom(int x, int v) const {
    for (int y = c_.bottom; y >= c_.top; --y)
      if (pixel(c_.left + x, y) == v) return c_.bottom - y;
    return -1;
  }
  int fromLeft(int y, int v) const {
    for (int x = c_.left; x <= c_.right; ++x)
      if (pixel(x, c_.top + y) == v) return x - c_.left;
    return -1;
  }
  int fromRight(int y, int v) const {
    for (int x = c_.right; x >= c_.left; --x)
      if (pixel(x, c_.top + y) == v) return c_.right - x;
    return -1;
  }

 private:
  const OcrMask& mask_;
  const LineBand& band_;
  const GlyphCell& c_;
  SkewRatio skew_;
  bool italic_;
};

// The rules in their order. Each group function runs only while nothing is chosen; inside a
// group each rule tests `r.ch` itself, because two rules (6.3 and 7.2) may replace an answer.
struct Classifier {
  const Probes& p;
  int w, h, lh;
  int lineBottomGap, topGap;  // lineBottom - bottom, top - lineTop
  bool italic;
  GlyphClass r;

  void choose(uint16_t ch, uint16_t second = 0) {
    r.ch = ch;
    r.pairSecond = second;
  }

  void thinAndSmallMarks() {
    if (between(w, 9, 30) && h < 9) return choose('-');
    if (w < 9 && h < 9) return choose('.');
    if (w < 9 && h < 18 && lineBottomGap < 8) return choose(',');
    if (w < 9 && h < 18 && topGap < 6) return choose('\'');
    if (w < 9 && between(h, 19, 39)) return choose(':');
    if (w < 9 && h > 39) {
      int t = p.fromTop(w / 2, kBlank);
      if (t == -1) return choose('l');  // the middle column is solid
      if (t < lh / 2) {
        const int a = p.fromLeft(h / 3, kBlank);
        const int b = p.fromRight(h / 3, kBlank);
        choose(a == 0 && b == 0 ? 0xA1 : 'i');
        t = a;
      }
      if (lh / 2 < t) choose('!');
    }
  }

  void narrowTall() {
    if (!(w < 18 && h > 39)) return;
    const int a = p.fromTop(2, kBlank);
    const int e = p.fromLeft(2, kBlank);
    const int f = p.fromTop(w - 2, kBlank);
    if (a == -1 && e == -1) choose('[');
    if (f == -1 && e == -1) choose(']');  // also over "[": a solid block reads as "]"
    if (r.ch) return;
    if (a == 0) {
      // A "1" standing on a foot bar also starts blank near its right edge, but that column
      // meets ink only at the foot, low down, where a "t" meets its cross bar high up: read
      // such a glyph as a "1" (the rules as first written knew only the "1" without a foot).
      const bool footBar = f == 0 && p.fromTop(w - 2, kInk) > h / 2;
      if (f == 0 && !footBar) return choose('t');
      const int a2 = p.fromTop(2, kInk);
      if (2 * a2 < h) {
        if (f == -1 || footBar) return choose('1');
        if (p.fromLeft(h / 2, kInk) == 0) return choose('(');
        if (p.fromBottom(6, kInk) == 0) return choose('f');
      } else if (p.fromBottom(w - 3, kInk) < h / 3) {
        return choose('j');
      }
    } else if (between(p.fromRight(h / 2, kInk), 0, 1)) {
      choose(')');
    }
  }

  // Rules 12 and 13 share these three measurements.
  bool pairTouch(bool shortLegTest) const {
    const int x = p.fromBottom(w / 2, kInk);
    const int y = p.fromLeft(p.fromTop(3, kInk) + 2, kInk);
    const int z = p.fromTop(10, kBlank);
    if (x == 0 || y == 0) return true;
    return between(z, 5, 7) && (!shortLegTest || p.fromBottom(3, kInk) < 2);
  }

  void proportions() {
    if (between(h, 28, 34) && between(ratio(h, w), 18, 22)) return choose('r');
    if (between(h, 28, 34) && between(ratio(w, h), 12, 14)) {
      const int t = p.fromTop(w / 4, kInk);
      const int q = h / 4;
      if (q > t && p.fromBottom(w / 2, kInk) == 0) return choose('m');
      if (q < t) return choose('w');
    }
    if (between(h, 41, 45) && between(ratio(w, h), 13, 14)) {
      if (p.fromTop(w / 2, kInk) == 0 && p.fromTop(3, kInk) == 0 && p.fromTop(w - 3, kInk) == 0)
        return choose('W');
      if (p.fromBottom(6, kBlank) > h / 2) return choose('f', 'w');
    }
    if (between(w, 24, 28) && h > 45) {
      const int m = w / 2;
      if (p.fromTop(m, kBlank) == -1 || p.fromTop(m - 1, kBlank) == -1 || p.fromTop(m + 1, kBlank) == -1)
        return choose('$');
    }
    if (between(w, 41, 45) && h > 45 && pairTouch(false)) return choose('f', 'y');
    if (between(w, 57, 59) && between(h, 29, 32) && pairTouch(true)) return choose('r', 'w');
  }

  // Capitals, digits and tall small letters. P, Q and M are the group's working values: later
  // rules see them as earlier ones left them.
  void tallGlyphs() {
    if (!(between(h, 40, 50) && between(ratio(w, h), 5, 10))) return;
    if (p.fromTop(w / 2, kBlank) == -1) return choose('T');
    const int M = p.fromTop(w / 2, kInk);
    int P = p.fromTop(3, kBlank);
    int Q = p.fromTop(w - 3, kBlank);

    if (h - M < 7 && P == 0 && h - Q < 10) return choose('J');
    if (h - M < 7 && h - P < 10 && h - Q < 10) return choose('U');
    if (h - M < M && P == -1 && Q == -1) return choose('M');
    if (between(P, 8, 13) && between(Q, 8, 13) && (2 * h) / 3 < M) return choose('V');
    if (between(P, 4, 8) && between(Q, 4, 8) && h / 3 < M) return choose('Y');
    if (between(M, h / 5, h / 3) && P == 0 && Q == 0 && between(p.fromBottom(3, kInk), 0, 3) &&
        p.fromRight(h - 3, kBlank) > 3)
      return choose('r', 't');
    if (between(M, h / 5, h / 3) && P == 0 && between(Q, 4, 6) && between(p.fromBottom(3, kInk), 0, 3) &&
        p.fromRight(h - 3, kInk) > 5)
      return choose('r', 'f');
    if (between(Q, 6, 8) && P == 0 && M == 0) {
      P = p.fromLeft(h / 3, kBlank);
      if (P == -1 || w - 5 < P) return choose('#');
    }
    if (P == -1) leftStem(M, P, Q);
    if (r.ch) return;
    if (P == 0 && Q == 0 && M == 0) roundTop(P, Q);
    if (r.ch) return;
    lowerTallRules(M, P, Q);
  }

  void leftStem(int M, int& P, int& Q) {
    if (Q == -1) {
      P = p.fromTop(w - 8, kInk);
      Q = p.fromTop(8, kInk);
      return choose(P == Q ? 'H' : 'N');
    }
    if (between(Q, 4, 8)) {
      P = p.fromBottom(w / 2, kInk);
      return choose(P == 0 ? 'E' : 'F');
    }
    if (Q == 0) {
      P = p.fromBottom(w / 2, kInk);
      if (P == 0) {
        P = p.fromRight(h / 2, kInk);
        if (w / 2 > P) return choose(P == 0 ? 'D' : 'B');
        if (h / 2 < M) choose('L');
        return;
      }
      P = p.fromBottom(w - 2, kInk);
      if (P > 0) return choose(p.fromTop(8, kInk) == p.fromTop(w / 2, kInk) ? 'P' : 'p');
      if (M == 0) return choose('R');
      return choose(p.fromBottom(w - 2, kBlank) > h / 3 ? 'h' : 'k');
    }
    if (between(Q, 1, 4) && M > Q) choose('K');
  }

  void roundTop(int& P, int& Q) {
    if (w > 30) {
      P = p.fromBottom(2, kInk);
      Q = p.fromBottom(w - 2, kInk);
      if (P == 0 && Q == 0) return choose('A');
      if (P <= 0) return;
      if (p.fromLeft((2 * h) / 3 - 1, kInk) > w / 2) return choose('S');
      if (Q > 3) {
        P = p.fromRight(h / 2 + 2, kBlank);
        Q = p.fromRight(h / 2 + 2, kInk);
        if (w / 2 < Q) return choose('C');
        if (w / 3 < P || w / 3 < p.fromRight(h / 2 + 3, kBlank) || w / 3 < p.fromRight(h / 2 + 4, kBlank))
          return choose('G');
        return choose('O');
      }
      if (p.fromBottom(w / 2, kInk) < h / 2) return choose('Q');
      return choose('f', p.fromTop(w - 2, kInk) > 5 ? 't' : 'f');
    }
    P = p.fromBottom(3, kInk);
    if (P == 0) {
      if (p.fromRight(h - 2, kInk) < w / 4) return choose(p.fromLeft(h / 3, kInk) > w / 2 ? '2' : 0xA3);
      return choose('p');
    }
    if (h / 2 > P) {
      if (p.fromLeft((3 * h) / 4, kInk) > 5) {
        if (p.fromBottom(w / 2, kInk) < 2) return choose(p.fromTop(w - 2, kInk) > 4 ? '9' : 'g');
        return choose('q');
      }
      const int x = p.fromRight(h / 2 + (italic ? 2 : 0), kInk);
      if (x == 0) return choose('0');
      if (p.fromRight(h / 3, kInk) > 5) return choose('6');
      if (p.fromLeft(h / 3, kInk) > w / 3) return choose('3');
      if (p.fromLeft(h / 2, kInk) > 3) choose('8');
      return;
    }
    if (p.fromLeft(h - 6, kInk) == -1) choose('?');
  }

  void lowerTallRules(int M, int P, int Q) {
    if (between(M, h / 5, h / 3)) {
      if (h - P < 4 && Q == 0) return choose('b');
      if (h - Q < 4 && P == 0) return choose('d');
    }
    if (P > 0 && Q > 0 && between(M, h / 3, (3 * h) / 5))
      return choose(p.fromBottom(w - 3, kInk) == 0 ? 'X' : 'y');
    // A "5" whose bowl reaches no further left than its upright stroke has ink at the top of
    // column 3 down to about the middle; the rule as first written wanted that column to
    // start blank (a bowl reaching well out to the left), so it also takes a first blank row
    // between a third and two thirds of the height there.
    const bool leftStroke = P == 0 || between(P, h / 3, (2 * h) / 3);
    if (leftStroke && M == 0 && between(Q, 3, h / 4) && p.fromLeft((2 * h) / 3, kInk) > w / 2) return choose('5');
    if (M == 0 && between(p.fromTop(w - 5, kBlank), 5, 12) && between(p.fromTop(5, kBlank), 4, 6)) {
      Q = p.fromBottom(w - 3, kInk);
      P = p.fromBottom(3, kInk);
      return choose(P == 0 && Q == 0 ? 'Z' : '7');
    }
    if (between(M, 6, 8) && P == 0 && Q == 0 && p.fromBottom((2 * w) / 3 + 3, kInk) < 4) return choose('4');
    if (P == 0 && h / 3 < M && Q == 0 && p.fromLeft(h / 4, kInk) < 2 && p.fromRight((3 * h) / 4, kInk) < 2)
      return choose('%');
    if (P == 0 && M == 0 && h - Q < 10) choose(p.fromTop(w - 2, kInk) > 4 ? '9' : 'g');
  }

  void smallLetters() {
    if (!(between(h, 29, 34) && between(ratio(w, h), 6, 10))) return;
    const int M1 = p.fromTop(w / 2 + 1, kInk);
    if (M1 == 0) {
      const int P1 = p.fromBottom(2, kInk);
      if (between(P1, 0, 1)) return choose(p.fromLeft(h / 2, kInk) < 3 ? 'n' : 'z');
      const int Q1 = p.fromRight(h / 2 + 3, kInk);
      const int P2 = p.fromLeft(h / 2 - 5, kInk);
      if (P2 < 5 && w / 2 < Q1) return choose(p.fromRight(h / 2 - 3, kInk) > w / 2 ? 'c' : 'e');
      if (w / 3 < P2 && w / 3 > Q1) return choose('a');
      if (w / 3 < p.fromLeft(h / 2 + 3, kInk)) return choose('s');
      if (p.fromBottom(w / 2, kInk) == 0) choose('o');
      return;
    }
    if (p.fromBottom(2, kInk) > h / 2 && h / 2 < p.fromBottom(w - 2, kInk)) return choose('v');
    if (between(p.fromBottom(w / 2, kInk), 6, h / 2)) return choose('x');
    if (h / 2 < p.fromTop(w / 2, kInk)) choose('u');
  }

  void musicNote() {
    if (!(between(h, 35, 40) && between(ratio(h, w), 15, 17))) return;
    if (between(p.fromBottom(4, kInk), 0, 2) && between(p.fromLeft(h - 4, kInk), 0, 2)) choose(kBeamedNotes);
  }
};
}  // namespace

GlyphClass classifyGlyph(const OcrMask& mask, const LineBand& band, const GlyphCell& cell, SkewRatio skew) {
  const Probes probes(mask, band, cell, skew);
  Classifier k{probes,
               cell.right - cell.left,
               cell.bottom - cell.top,
               band.lineBottom - band.lineTop,
               band.lineBottom - cell.bottom,
               cell.top - band.lineTop,
               cell.italic == kItalic,
               {}};
  k.thinAndSmallMarks();
  if (!k.r.ch) k.narrowTall();
  if (!k.r.ch) k.proportions();
  if (!k.r.ch) k.tallGlyphs();
  if (!k.r.ch) k.smallLetters();
  if (!k.r.ch) k.musicNote();
  return k.r;
}
