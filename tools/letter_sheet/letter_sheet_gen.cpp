// Draws the letter sheet "abc.png" of the SRT import from two free fonts: every glyph of the
// glyph tables as a light, anti-aliased fill inside a dark outline, quantised to the sheet's
// 17 grey levels, filling the columns of its box exactly and standing on the baseline of its
// glyph row. Each glyph is then read back through the program's own import, Blu-ray export,
// reader and recognition, and a glyph that does not read as itself is lettered again with
// small changes until it does. A sheet that fails the sheet checks is not written.
//
//   marrowby-letter-sheet OUT.png [--regular FONT] [--italic FONT] [--report] [--pairs]
//                                 [--lines FILE.srt]
//
// --report lists, per glyph, the columns its box gives, the width the font draws at the
// common size and outline, the lettering chosen, the horizontal scale used to fit the box,
// the rows the glyph reaches above (-) and below (+) the baseline row and what recognition
// reads. --pairs reads every pair of small letters, --lines the cues of an SRT file.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_STROKER_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/file_error.h"
#include "render/glyph_tables.h"
#include "render/grey_png.h"
#include "render/letter_sheet_check.h"
#include "read_back.h"
#include "support/character_errors.h"
#include "text/cp1252.h"
#include "text/text_file_lines.h"

namespace {
const char* const kRegularFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
const char* const kItalicFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf";

constexpr double kSize = 62;     // pixels per em
constexpr double kOutline = 2;   // width of the dark outline around the fill, pixels
constexpr int kInkCut = 128;     // outline coverage (of 255) from which a pixel is ink

// How one glyph is lettered. hscale 0 fits the glyph to its box by scaling it horizontally.
struct Lettering {
  double size = kSize;
  double hscale = 0;
  double outline = kOutline;
  double drop = 0;  // fraction of a pixel the glyph sits lower: which edge rows reach full ink
  // Columns per row the glyph leans further right than its font draws it. The recognition
  // takes a word as italic when its first glyph is narrower read slanted than upright; an
  // italic glyph whose foot reaches as far right as its top (a "1", a "5", a "7") needs a
  // little more lean to be read slanted. Tuning finds it.
  double shear = 0;
  // A part of the font's shape changed: the bar at the top left of its "J" left off (the
  // recognition tells a J from a "g" by the empty middle above the hook), the tail at the
  // bottom right of its italic "a" left off (it makes the "a" wider read slanted than upright,
  // and touches a "t" after it), or its "Q" drawn as its "O" with a straight tail across the
  // lower right (its own tail hangs below the middle of the bowl, where the recognition looks
  // for the tail at the bottom right corner).
  enum class Reshape { none, withoutTopBar, withoutTail, straightTail } reshape = Reshape::none;
};

// Glyphs lettered differently from the rest: code, italic, size, horizontal scale (0 = fit
// the box), outline width. Recognition tunes single glyphs here.
struct GlyphTuning {
  int code;
  bool italic;
  Lettering lettering;
};
// Narrow glyphs whose boxes are two or three columns wider than the font draws them get a
// wider outline rather than wider stems, which would look bold beside their neighbours.
const std::vector<GlyphTuning> kTuning = {
    {'!', false, {kSize, 0, 3}},   {'\'', false, {kSize, 0, 3}}, {',', false, {kSize, 0, 3}},
    {'.', false, {kSize, 0, 3}},   {':', false, {kSize, 0, 2.5}}, {';', false, {kSize, 0, 3}},
    {'I', false, {kSize, 0, 3}},   {'i', false, {kSize, 0, 2.75}}, {'l', false, {kSize, 0, 3}},
    {161, false, {kSize, 0, 3}},   {'\'', true, {kSize, 0, 2.5}}, {'.', true, {kSize, 0, 2.5}},
    {'I', true, {kSize, 0, 3}},    {':', true, {kSize, 0, 3}},    {'i', true, {kSize, 0, 3}},
    {'l', true, {kSize, 0, 3}},    {161, true, {kSize, 0, 3}},
    {'J', false, {kSize, 0, kOutline, 0, 0, Lettering::Reshape::withoutTopBar}},
    {'a', true, {kSize, 0, kOutline, 0, 0, Lettering::Reshape::withoutTail}},
    {'Q', false, {kSize, 0, kOutline, 0, 0, Lettering::Reshape::straightTail}},
    {'Q', true, {kSize, 0, kOutline, 0, 0, Lettering::Reshape::straightTail}},
};

Lettering letteringOf(const SheetBox& box) {
  for (const GlyphTuning& t : kTuning)
    if (t.code == box.code && t.italic == box.italic) return t.lettering;
  return {};
}

// One glyph drawn on a scratch canvas: coverage of the fill and of the fill with its outline.
struct Drawn {
  static constexpr int kWidth = 256;
  static constexpr int kHeight = 140;
  static constexpr int kFontBaseline = 90;  // canvas rows above the font's baseline are 0 to 89
  // The canvas row that lands on the glyph row's baseline row: the outline of a letter that
  // stands on the baseline ends on that row.
  static constexpr int kBaseRow = kFontBaseline + 1;
  static constexpr int kLeft = 48;     // canvas column of the glyph origin
  std::vector<uint8_t> fill = std::vector<uint8_t>(kWidth * kHeight);
  std::vector<uint8_t> ink = std::vector<uint8_t>(kWidth * kHeight);
  int left = kWidth, right = -1, top = kHeight, bottom = -1;  // ink extent, after measure()

  bool isInk(int x, int y) const { return ink[size_t(y * kWidth + x)] >= kInkCut; }
  int inkWidth() const { return right - left + 1; }

  void measure() {
    left = kWidth, right = -1, top = kHeight, bottom = -1;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        if (!isInk(x, y)) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  }
  int firstInk(int y) const {
    for (int x = 0; x < kWidth; ++x)
      if (isInk(x, y)) return x;
    return -1;
  }
  int lastInk(int y) const {
    for (int x = kWidth - 1; x >= 0; --x)
      if (isInk(x, y)) return x;
    return -1;
  }

  // Takes away what reaches out beside the stem: left of it in the top quarter (a bar) or
  // right of it in the bottom quarter (a tail). The stem's edge is followed from the rows a
  // quarter and a half away from the cut end, and gets an outline where the part joined it.
  void cutBesideStem(bool topLeft, double outline) {
    const int mid = (top + bottom) / 2;
    const int near = topLeft ? top + (bottom - top) / 4 : bottom - (bottom - top) / 4;
    auto edgeAt = [&](int y) { return topLeft ? firstInk(y) : lastInk(y); };
    const int atMid = edgeAt(mid), atNear = edgeAt(near);
    if (atMid < 0 || atNear < 0) return;
    const double lean = double(atNear - atMid) / double(near - mid);
    const int edgeWidth = int(std::lround(outline));
    const int from = topLeft ? top : near + 1, to = topLeft ? near - 1 : bottom;
    for (int y = from; y <= to; ++y) {
      const int edge = int(std::lround(atMid + lean * (y - mid)));
      const int x0 = topLeft ? 0 : edge + 1, x1 = topLeft ? edge - 1 : kWidth - 1;
      bool cut = false;
      for (int x = x0; x <= x1; ++x) {
        const size_t i = size_t(y * kWidth + x);
        cut = cut || isInk(x, y);
        ink[i] = fill[i] = 0;
      }
      if (!cut) continue;
      for (int k = 0; k < edgeWidth; ++k) {
        const int x = topLeft ? edge + k : edge - k;
        const size_t i = size_t(y * kWidth + x);
        if (isInk(x, y)) fill[i] = 0;
      }
    }
    measure();
  }
};

class Letterer {
 public:
  Letterer(const std::string& regular, const std::string& italic) {
    if (FT_Init_FreeType(&lib_)) throw std::runtime_error("FreeType does not start");
    openFace(regular, face_[0]);
    openFace(italic, face_[1]);
    FT_Stroker_New(lib_, &stroker_);
  }
  ~Letterer() {
    FT_Stroker_Done(stroker_);
    FT_Done_Face(face_[0]);
    FT_Done_Face(face_[1]);
    FT_Done_FreeType(lib_);
  }
  Letterer(const Letterer&) = delete;
  Letterer& operator=(const Letterer&) = delete;

  // Draws a character at a horizontal scale, moved right by a fraction of a pixel.
  Drawn draw(char32_t ch, bool italic, const Lettering& l, double hscale, double shift) {
    FT_Face face = face_[italic ? 1 : 0];
    const bool straightTail = l.reshape == Lettering::Reshape::straightTail;
    if (straightTail) ch = U'O';
    if (FT_Get_Char_Index(face, ch) == 0) throw std::runtime_error("the font has no glyph for U+" + hex(ch));
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(l.size * 64)), 72, 72);
    FT_Matrix m{FT_Fixed(std::lround(hscale * 65536)), FT_Fixed(std::lround(hscale * l.shear * 65536)), 0, 0x10000};
    FT_Set_Transform(face, &m, nullptr);
    if (FT_Load_Char(face, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
      throw std::runtime_error("the font does not load U+" + hex(ch));
    FT_Glyph glyph = nullptr;
    FT_Get_Glyph(face->glyph, &glyph);
    if (straightTail)
      addStraightTail(reinterpret_cast<FT_OutlineGlyph>(glyph)->outline, hscale * (fontSlant(face) + l.shear));
    const FT_Pos dx = FT_Pos(std::lround((Drawn::kLeft + shift) * 64));
    const FT_Pos dy = FT_Pos(std::lround((Drawn::kHeight - Drawn::kFontBaseline - l.drop) * 64));

    Drawn d;
    FT_Outline& outline = reinterpret_cast<FT_OutlineGlyph>(glyph)->outline;
    FT_Outline_Translate(&outline, dx, dy);
    render(outline, d.fill);
    FT_Outline_Translate(&outline, -dx, -dy);

    FT_Stroker_Set(stroker_, FT_Fixed(std::lround(l.outline * 64)), FT_STROKER_LINECAP_ROUND,
                   FT_STROKER_LINEJOIN_ROUND, 0);
    FT_Glyph_Stroke(&glyph, stroker_, 1);
    FT_Outline& stroke = reinterpret_cast<FT_OutlineGlyph>(glyph)->outline;
    FT_Outline_Translate(&stroke, dx, dy);
    render(stroke, d.ink);
    FT_Done_Glyph(glyph);

    for (size_t i = 0; i < d.ink.size(); ++i) d.ink[i] = std::max(d.ink[i], d.fill[i]);
    d.measure();
    if (l.reshape == Lettering::Reshape::withoutTopBar || l.reshape == Lettering::Reshape::withoutTail)
      d.cutBesideStem(l.reshape == Lettering::Reshape::withoutTopBar, l.outline);
    if (d.right < 0) throw std::runtime_error("U+" + hex(ch) + " draws no ink");
    if (d.left == 0 || d.top == 0 || d.right == Drawn::kWidth - 1 || d.bottom == Drawn::kHeight - 1)
      throw std::runtime_error("U+" + hex(ch) + " does not fit the scratch canvas");
    return d;
  }

 private:
  static std::string hex(char32_t ch) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", unsigned(ch));
    return buf;
  }
  // The font's own lean, columns per row, from its italic angle.
  static double fontSlant(FT_Face face) {
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    return post ? std::tan(-double(post->italicAngle) / 65536.0 * std::acos(-1.0) / 180.0) : 0.0;
  }

  // Adds a straight tail to a round glyph's outline (pixels in 26.6, y up, leaning `slant`
  // columns per row): from inside the bowl down across its lower right, to a flat end a pixel
  // below the bowl and just inside its right side, as thick as the bowl's stroke. The tail
  // turns the same way as the outer contour, so where it overlaps the bowl the two fill as one.
  void addStraightTail(FT_Outline& o, double slant) {
    double uMin = 1e9, uMax = -1e9, yMin = 1e9, yMax = -1e9;  // bounds of the upright shape
    for (int i = 0; i < o.n_points; ++i) {
      const double y = double(o.points[i].y) / 64, u = double(o.points[i].x) / 64 - slant * y;
      uMin = std::min(uMin, u), uMax = std::max(uMax, u), yMin = std::min(yMin, y), yMax = std::max(yMax, y);
    }
    const double W = uMax - uMin, H = yMax - yMin, half = 0.055 * H;
    const double u0 = uMin + 0.56 * W, y0 = yMin + 0.34 * H, yEnd = yMin - 1, u1 = uMax - 0.04 * W;
    const double len = std::hypot(u1 - u0, yEnd - y0), du = (u1 - u0) / len, dy = (yEnd - y0) / len;
    const double nu = -dy, ny = du;
    auto downToEnd = [&](double u, double y) { return std::pair{u + (yEnd - y) / dy * du, yEnd}; };
    std::array<std::pair<double, double>, 4> c = {std::pair{u0 + nu * half, y0 + ny * half},
                                                  downToEnd(u0 + nu * half, y0 + ny * half),
                                                  downToEnd(u0 - nu * half, y0 - ny * half),
                                                  std::pair{u0 - nu * half, y0 - ny * half}};
    double area = 0;
    for (size_t i = 0; i < 4; ++i)
      area += c[i].first * c[(i + 1) % 4].second - c[(i + 1) % 4].first * c[i].second;
    const bool clockwise = FT_Outline_Get_Orientation(&o) == FT_ORIENTATION_TRUETYPE;
    if ((area < 0) != clockwise) std::reverse(c.begin(), c.end());

    FT_Outline n;
    if (FT_Outline_New(lib_, FT_UInt(o.n_points + 4), o.n_contours + 1, &n))
      throw std::runtime_error("no memory for a glyph outline");
    std::copy(o.points, o.points + o.n_points, n.points);
    std::copy(o.tags, o.tags + o.n_points, n.tags);
    std::copy(o.contours, o.contours + o.n_contours, n.contours);
    for (size_t i = 0; i < 4; ++i) {
      const auto [u, y] = c[i];
      n.points[o.n_points + int(i)] = {FT_Pos(std::lround((u + slant * y) * 64)), FT_Pos(std::lround(y * 64))};
      n.tags[o.n_points + int(i)] = FT_CURVE_TAG_ON;
    }
    n.contours[o.n_contours] = short(o.n_points + 3);
    n.flags = o.flags;
    FT_Outline_Done(lib_, &o);
    o = n;
  }
  void openFace(const std::string& path, FT_Face& face) {
    if (FT_New_Face(lib_, path.c_str(), 0, &face)) throw std::runtime_error("cannot open the font " + path);
  }
  void render(FT_Outline& outline, std::vector<uint8_t>& into) {
    FT_Bitmap bm;
    FT_Bitmap_Init(&bm);
    bm.rows = Drawn::kHeight;
    bm.width = Drawn::kWidth;
    bm.pitch = Drawn::kWidth;
    bm.buffer = into.data();
    bm.num_grays = 256;
    bm.pixel_mode = FT_PIXEL_MODE_GRAY;
    FT_Outline_Get_Bitmap(lib_, &outline, &bm);
  }

  FT_Library lib_ = nullptr;
  FT_Face face_[2] = {nullptr, nullptr};
  FT_Stroker stroker_ = nullptr;
};

uint8_t nearestLevel(uint8_t coverage) {
  uint8_t best = kSheetLevels[0];
  for (uint8_t l : kSheetLevels)
    if (std::abs(int(l) - int(coverage)) < std::abs(int(best) - int(coverage))) best = l;
  return best;
}

struct Placed {
  Drawn drawn;
  double hscale = 1;
  int naturalWidth = 0;  // ink width at the glyph's lettering, unscaled
  int fontWidth = 0;     // ink width at the common size and outline, unscaled
};

// Draws a box's glyph so that its ink is exactly as wide as the box's columns: the scale
// that the widths suggest first, then nearby scales and sub-pixel positions, nearest first.
Placed letterBox(Letterer& letterer, const SheetBox& box, const Lettering& l) {
  const char32_t ch = cp1252ToUnicode((unsigned char)box.code);
  Placed p;
  p.fontWidth = letterer.draw(ch, box.italic, Lettering{}, 1.0, 0).inkWidth();
  p.drawn = letterer.draw(ch, box.italic, l, l.hscale > 0 ? l.hscale : 1.0, 0);
  p.naturalWidth = p.drawn.inkWidth();
  const int target = box.last - box.first + 1;
  if (l.hscale > 0) {
    p.hscale = l.hscale;
    if (p.naturalWidth > target)
      throw std::runtime_error("glyph " + std::to_string(box.code) + " is wider than its box at the tuned scale");
    return p;
  }
  const double border = 2 * l.outline;
  const double guess = (target - border) / std::max(1.0, p.naturalWidth - border);
  for (int step = 0; step <= 40; ++step) {
    const double s = guess + (step % 2 ? 1 : -1) * ((step + 1) / 2) * 0.004;
    for (double shift : {0.0, 0.25, 0.5, 0.75}) {
      Drawn d = letterer.draw(ch, box.italic, l, s, shift);
      if (d.inkWidth() == target) {
        p.drawn = std::move(d);
        p.hscale = s;
        return p;
      }
    }
  }
  throw std::runtime_error("glyph " + std::to_string(box.code) + " cannot be fitted to its box");
}

// Copies a drawn glyph into the sheet: its ink centred in the box's columns, its baseline on
// the glyph row's baseline.
void putGlyph(GreyImage& sheet, const SheetBox& box, const Drawn& d) {
  const GlyphRow& r = glyphRows[size_t(box.row)];
  const int target = box.last - box.first + 1;
  const int dx = box.first + (target - d.inkWidth()) / 2 - d.left;
  const int dy = r.base - Drawn::kBaseRow;
  if (d.top + dy < r.top || d.bottom + dy > r.bottom)
    throw std::runtime_error("glyph " + std::to_string(box.code) + " reaches rows " + std::to_string(d.top + dy) +
                             " to " + std::to_string(d.bottom + dy) + ", outside its glyph row");
  for (int y = r.top; y <= r.bottom; ++y)
    for (int x = box.first; x <= box.last; ++x) sheet.at(x, y) = kSheetBackground;
  for (int y = d.top; y <= d.bottom; ++y)
    for (int x = d.left; x <= d.right; ++x)
      if (d.isInk(x, y)) sheet.at(x + dx, y + dy) = nearestLevel(d.fill[size_t(y * Drawn::kWidth + x)]);
}

// Characters the recognition can give: the classifier's own, "I" (read as "l" and set right
// by the l/I rules in capital words) and the double quote (read as two apostrophes and joined
// by the corrections).
bool recognisable(int code) {
  static const std::string kRead =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.,':!\xA1[]()$#\xA3?%\"";
  return code > 0 && kRead.find(char(code)) != std::string::npos;
}

// The words of the cue a glyph is read in: the glyph first in its line, where the recognition
// starts upright and reads the first word italic only when its first glyph is narrower read
// slanted (and where the area's edge takes its first column off a slanted reading); a word
// "lg", so that the text line is as tall as an ordinary line (the classifier measures cells
// against their line band); the glyph again, whole, inside the line.
std::string wordsOf(int code) {
  const std::string glyph(1, char(code));
  return glyph + " lg " + glyph;
}

std::string cueOf(const SheetBox& box) {
  const std::string text = wordsOf(box.code);
  return box.italic ? "<i>" + text + "</i>" : text;
}

std::string withoutTags(std::string text) {
  for (const char* tag : {"<i>", "</i>"})
    for (size_t p; (p = text.find(tag)) != std::string::npos;) text.erase(p, std::strlen(tag));
  return text;
}

// The whole cue read in the glyph's style: one italic run for an italic glyph, no tags for an
// upright one. The glyph starts its line, so it decides the style its word is read in.
bool readInItsStyle(const SheetBox& box, const std::string& text) {
  if (!box.italic) return text.find("<i>") == std::string::npos;
  return text.rfind("<i>", 0) == 0 && text.find("</i>") == text.size() - 4;
}

bool readsAsItself(const SheetBox& box, const std::string& text) {
  const std::string read = withoutTags(text);
  // A lone "I" has no capital beside it to be told from "l" by.
  const bool itself = read == wordsOf(box.code) || (box.code == 'I' && read == wordsOf('l'));
  return itself && readInItsStyle(box, text);
}

std::string shown(const std::string& read) { return cp1252ToUtf8(read.empty() ? "(nothing)" : read); }

// One glyph of the sheet as it is lettered now.
struct Glyph {
  SheetBox box;
  Lettering lettering;
  Placed placed;
  std::string before, after;  // what recognition read before and after the tuning
};

// A lettering change tried on a glyph that does not read as itself.
struct TuningStep {
  double size = 0, outline = 0, drop = 0, shear = 0;
  // A lean of 0.1 column per row moves the top of a capital some four columns: as visible as a
  // pixel of size.
  double amount() const { return std::abs(size) + std::abs(outline) + drop + 10 * shear; }
};

// Size within two pixels, outline within one pixel, the glyph moved down by a fraction of a
// pixel, an italic glyph leaning up to a fifth of a column per row more; smallest change
// first. Its width stays that of its box.
std::vector<TuningStep> tuningSteps() {
  std::vector<TuningStep> steps;
  for (double size : {0.0, -0.5, 0.5, -1.0, 1.0, -1.5, 1.5, -2.0, 2.0})
    for (double outline : {0.0, -0.5, 0.5, -1.0, 1.0})
      for (double drop : {0.0, 0.25, 0.5, 0.75})
        for (double shear : {0.0, 0.04, 0.08, 0.12, 0.16, 0.2})
          if (size != 0 || outline != 0 || drop != 0 || shear != 0) steps.push_back({size, outline, drop, shear});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const TuningStep& a, const TuningStep& b) { return a.amount() < b.amount(); });
  return steps;
}

std::vector<std::string> cuesOf(const std::vector<Glyph>& glyphs, const std::vector<size_t>& which) {
  std::vector<std::string> cues;
  for (size_t i : which) cues.push_back(cueOf(glyphs[i].box));
  return cues;
}

// Draws every glyph that does not read as itself again with the tuning steps, in order,
// until it does; a glyph that no step helps keeps its first lettering.
void tune(Letterer& letterer, GreyImage& sheet, std::vector<Glyph>& glyphs, std::vector<size_t> failing) {
  for (const TuningStep& step : tuningSteps()) {
    if (failing.empty()) return;
    GreyImage trial = sheet;
    std::vector<std::pair<size_t, Glyph>> tried;
    for (size_t i : failing) {
      Glyph g = glyphs[i];
      g.lettering.size += step.size;
      g.lettering.outline += step.outline;
      g.lettering.drop += step.drop;
      g.lettering.shear += step.shear;
      if (g.lettering.outline < 1 || g.lettering.outline > 3.5 || (step.shear != 0 && !g.box.italic)) continue;
      try {
        g.placed = letterBox(letterer, g.box, g.lettering);
        putGlyph(trial, g.box, g.placed.drawn);
      } catch (const std::runtime_error&) {
        continue;  // too tall for its glyph row or not to be fitted to its box
      }
      tried.push_back({i, g});
    }
    if (tried.empty()) continue;
    std::vector<size_t> which;
    for (const auto& t : tried) which.push_back(t.first);
    const std::vector<std::string> reads = readBack(trial, cuesOf(glyphs, which), false);
    for (size_t k = 0; k < tried.size(); ++k) {
      const auto& [i, g] = tried[k];
      if (!readsAsItself(g.box, reads[k])) continue;
      glyphs[i].lettering = g.lettering;
      glyphs[i].placed = g.placed;
      putGlyph(sheet, g.box, g.placed.drawn);
      failing.erase(std::find(failing.begin(), failing.end(), i));
    }
  }
}

struct Tally {
  int readable = 0, total = 0;
  void add(bool ok) { readable += ok, ++total; }
  double rate() const { return total ? 100.0 * readable / total : 0; }
};

// Whole lines read back: their character error rate and the lines that do not read as
// written.
void checkLines(const GreyImage& sheet, const std::vector<std::string>& lines, const char* what, bool english) {
  const std::vector<std::string> reads = readBack(sheet, lines, english);
  size_t errors = 0, chars = 0;
  int wrong = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t e = editDistance(lines[i], reads[i]);
    errors += e;
    chars += lines[i].size();
    if (e > 0 && ++wrong <= 200) std::printf("  %-40s read %s\n", lines[i].c_str(), shown(reads[i]).c_str());
  }
  std::printf("%s: %zu lines, %d not read as written; character error rate %.2f%%\n", what, lines.size(), wrong,
              chars ? 100.0 * double(errors) / double(chars) : 0.0);
}

// Every pair of small letters as a word between "l" and "g", upright and italic: letters
// that touch or stand apart in a word.
std::vector<std::string> letterPairs() {
  std::vector<std::string> pairs;
  for (const char* open : {"", "<i>"})
    for (char a = 'a'; a <= 'z'; ++a)
      for (char b = 'a'; b <= 'z'; ++b)
        pairs.push_back(std::string(open) + "l " + a + b + " g" + (*open ? "</i>" : ""));
  return pairs;
}

std::vector<std::string> cueTextsOf(const std::string& srtPath) {
  std::vector<std::string> texts, block;
  std::FILE* f = std::fopen(srtPath.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot open " + srtPath);
  std::string bytes;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
  std::fclose(f);
  const std::vector<std::string> lines = splitTextLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    std::string text;
    for (i += 2; i < lines.size() && !lines[i].empty(); ++i) text += (text.empty() ? "" : "|") + lines[i];
    texts.push_back(text);
  }
  return texts;
}

int usage() {
  std::fprintf(stderr,
               "usage: marrowby-letter-sheet OUT.png [--regular FONT] [--italic FONT] [--report] [--pairs] "
               "[--lines FILE.srt]\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  std::string out, regular = kRegularFont, italic = kItalicFont, linesFile;
  bool report = false, pairs = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--report") {
      report = true;
    } else if (a == "--pairs") {
      pairs = true;
    } else if ((a == "--regular" || a == "--italic" || a == "--lines") && i + 1 < argc) {
      (a == "--regular" ? regular : a == "--italic" ? italic : linesFile) = argv[++i];
    } else if (out.empty() && a[0] != '-') {
      out = a;
    } else {
      return usage();
    }
  }
  if (out.empty()) return usage();

  try {
    Letterer letterer(regular, italic);
    GreyImage sheet(kSheetMinWidth, kSheetMinHeight, kSheetBackground);
    std::vector<Glyph> glyphs;
    for (const SheetBox& box : sheetBoxes()) {
      Glyph g{box, letteringOf(box), {}, {}, {}};
      g.placed = letterBox(letterer, box, g.lettering);
      putGlyph(sheet, box, g.placed.drawn);
      glyphs.push_back(g);
    }

    std::vector<size_t> all, failing;
    for (size_t i = 0; i < glyphs.size(); ++i) all.push_back(i);
    std::vector<std::string> reads = readBack(sheet, cuesOf(glyphs, all), false);
    for (size_t i = 0; i < glyphs.size(); ++i) {
      glyphs[i].before = reads[i];
      if (recognisable(glyphs[i].box.code) && !readsAsItself(glyphs[i].box, glyphs[i].before)) failing.push_back(i);
    }
    tune(letterer, sheet, glyphs, failing);
    // Read everything again: the glyphs of the cue around each one may have changed too.
    reads = readBack(sheet, cuesOf(glyphs, all), false);

    Tally before, after;
    for (size_t i = 0; i < glyphs.size(); ++i) {
      Glyph& g = glyphs[i];
      g.after = reads[i];
      if (!recognisable(g.box.code)) continue;
      before.add(readsAsItself(g.box, g.before));
      after.add(readsAsItself(g.box, g.after));
    }
    int sumDiff = 0, maxDiff = 0;
    for (const Glyph& g : glyphs) {
      const SheetBox& box = g.box;
      const Placed& p = g.placed;
      const int target = box.last - box.first + 1;
      const int diff = std::abs(p.fontWidth - target);
      sumDiff += diff;
      maxDiff = std::max(maxDiff, diff);
      if (report)
        std::printf("%3d %-7s row %d columns %4d-%4d: box %2d, font %2d, size %.1f, outline %.1f, drop %.2f, lean %+.2f, scale %.3f, "
                    "rows %+d to %+d; reads %s%s\n",
                    box.code, box.italic ? "italic" : "upright", box.row, box.first, box.last, target, p.fontWidth,
                    g.lettering.size, g.lettering.outline, g.lettering.drop, g.lettering.shear, p.hscale, p.drawn.top - Drawn::kBaseRow,
                    p.drawn.bottom - Drawn::kBaseRow, shown(g.after).c_str(),
                    !recognisable(box.code) ? " (no rule reads it)"
                    : g.before != g.after  ? (" (was " + shown(g.before) + ")").c_str()
                                           : "");
    }
    if (report)
      std::printf("%zu glyphs; font width against box: mean difference %.2f px, largest %d px\n", glyphs.size(),
                  double(sumDiff) / double(glyphs.size()), maxDiff);
    std::printf("glyphs that read as themselves: %d of %d (%.1f%%) before tuning, %d (%.1f%%) after\n",
                before.readable, before.total, before.rate(), after.readable, after.rate());
    std::printf("unreadable:");
    for (const Glyph& g : glyphs)
      if (recognisable(g.box.code) && !readsAsItself(g.box, g.after))
        std::printf(" %s%s", shown(std::string(1, char(g.box.code))).c_str(), g.box.italic ? "(i)" : "");
    std::printf("\n");
    if (pairs) checkLines(sheet, letterPairs(), "letter pairs", false);
    if (!linesFile.empty()) checkLines(sheet, cueTextsOf(linesFile), linesFile.c_str(), true);

    const std::vector<std::string> faults = checkLetterSheet(sheet);
    if (!faults.empty()) {
      for (const std::string& f : faults) std::fprintf(stderr, "letter sheet: %s\n", f.c_str());
      return 1;
    }
    writeGreyPng(out, sheet);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "letter sheet: %s\n", e.what());
    return 1;
  }
  return 0;
}
