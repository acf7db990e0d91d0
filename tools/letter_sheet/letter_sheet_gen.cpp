// Draws the letter sheet "abc.png" of the SRT import from two free fonts: every glyph of the
// glyph tables as a light, anti-aliased fill inside a dark outline, quantised to the sheet's
// 17 grey levels, filling the columns of its box exactly and standing on the baseline of its
// glyph row. A sheet that fails the sheet checks is not written.
//
//   marrowby-letter-sheet OUT.png [--regular FONT] [--italic FONT] [--report]
//
// --report lists, per glyph, the columns its box gives, the width the font draws at the
// common size and outline, the horizontal scale used to fit the box and the rows the glyph
// reaches above (-) and below (+) the baseline row.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/file_error.h"
#include "render/glyph_tables.h"
#include "render/grey_png.h"
#include "render/letter_sheet_check.h"
#include "text/cp1252.h"

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
  int left = kWidth, right = -1, top = kHeight, bottom = -1;  // ink extent

  bool isInk(int x, int y) const { return ink[size_t(y * kWidth + x)] >= kInkCut; }
  int inkWidth() const { return right - left + 1; }
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
    if (FT_Get_Char_Index(face, ch) == 0) throw std::runtime_error("the font has no glyph for U+" + hex(ch));
    FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(l.size * 64)), 72, 72);
    FT_Matrix m{FT_Fixed(std::lround(hscale * 65536)), 0, 0, 0x10000};
    FT_Set_Transform(face, &m, nullptr);
    if (FT_Load_Char(face, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
      throw std::runtime_error("the font does not load U+" + hex(ch));
    FT_Glyph glyph = nullptr;
    FT_Get_Glyph(face->glyph, &glyph);
    const FT_Pos dx = FT_Pos(std::lround((Drawn::kLeft + shift) * 64));
    const FT_Pos dy = FT_Pos((Drawn::kHeight - Drawn::kFontBaseline) * 64);

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

    for (int y = 0; y < Drawn::kHeight; ++y)
      for (int x = 0; x < Drawn::kWidth; ++x) {
        const size_t i = size_t(y * Drawn::kWidth + x);
        d.ink[i] = std::max(d.ink[i], d.fill[i]);
        if (!d.isInk(x, y)) continue;
        d.left = std::min(d.left, x);
        d.right = std::max(d.right, x);
        d.top = std::min(d.top, y);
        d.bottom = std::max(d.bottom, y);
      }
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
Placed letterBox(Letterer& letterer, const SheetBox& box) {
  const Lettering l = letteringOf(box);
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
  for (int y = d.top; y <= d.bottom; ++y)
    for (int x = d.left; x <= d.right; ++x)
      if (d.isInk(x, y)) sheet.at(x + dx, y + dy) = nearestLevel(d.fill[size_t(y * Drawn::kWidth + x)]);
}

int usage() {
  std::fprintf(stderr, "usage: marrowby-letter-sheet OUT.png [--regular FONT] [--italic FONT] [--report]\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  std::string out, regular = kRegularFont, italic = kItalicFont;
  bool report = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--report") {
      report = true;
    } else if ((a == "--regular" || a == "--italic") && i + 1 < argc) {
      (a == "--regular" ? regular : italic) = argv[++i];
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
    int sumDiff = 0, maxDiff = 0, count = 0;
    for (const SheetBox& box : sheetBoxes()) {
      const Placed p = letterBox(letterer, box);
      const int target = box.last - box.first + 1;
      const int diff = std::abs(p.fontWidth - target);
      sumDiff += diff;
      maxDiff = std::max(maxDiff, diff);
      ++count;
      if (report)
        std::printf("%3d %-7s row %d columns %4d-%4d: box %2d, font %2d, scale %.3f, rows %+d to %+d\n",
                    box.code, box.italic ? "italic" : "upright", box.row, box.first, box.last, target,
                    p.fontWidth, p.hscale, p.drawn.top - Drawn::kBaseRow, p.drawn.bottom - Drawn::kBaseRow);
    }
    if (report)
      std::printf("%d glyphs; font width against box: mean difference %.2f px, largest %d px\n", count,
                  double(sumDiff) / count, maxDiff);
    for (const SheetBox& box : sheetBoxes()) putGlyph(sheet, box, letterBox(letterer, box).drawn);
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
