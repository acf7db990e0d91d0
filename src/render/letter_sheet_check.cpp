#include "render/letter_sheet_check.h"

#include <algorithm>

#include "render/glyph_tables.h"

namespace {
bool isLevel(uint8_t v) {
  return std::find(kSheetLevels.begin(), kSheetLevels.end(), v) != kSheetLevels.end();
}

std::string describe(const SheetBox& b) {
  return "glyph " + std::to_string(b.code) + (b.italic ? " italic" : " upright") + " (row " +
         std::to_string(b.row) + ", columns " + std::to_string(b.first) + " to " + std::to_string(b.last) + ")";
}
}  // namespace

std::vector<SheetBox> sheetBoxes() {
  std::vector<SheetBox> boxes;
  for (int italic = 0; italic < 2; ++italic) {
    const GlyphTable& table = italic ? glyphItalic : glyphNormal;
    for (int code = 0; code < 256; ++code) {
      const TGlyph& g = table[size_t(code)];
      if (code == ' ' || g.row < 1 || g.row > kGlyphRowCount || g.width < 1) continue;
      const bool known = std::any_of(boxes.begin(), boxes.end(), [&](const SheetBox& b) {
        return b.row == g.row && b.x == g.x && b.width == g.width;
      });
      if (!known) boxes.push_back({code, italic == 1, g.row, g.x, g.width, g.x, g.x + g.width});
    }
  }
  for (SheetBox& a : boxes)
    for (const SheetBox& b : boxes) {
      if (&a == &b || a.row != b.row || a.x + a.width < b.x || b.x + b.width < a.x) continue;
      if (a.x < b.x) a.last = std::min(a.last, b.x - 1);
      if (b.x < a.x) a.first = std::max(a.first, b.x + b.width + 1);
    }
  return boxes;
}

std::vector<std::string> checkLetterSheet(const GreyImage& sheet) {
  std::vector<std::string> faults;
  if (sheet.width < kSheetMinWidth || sheet.height < kSheetMinHeight) {
    faults.push_back("the sheet is " + std::to_string(sheet.width) + " x " + std::to_string(sheet.height) +
                     " pixels, smaller than " + std::to_string(kSheetMinWidth) + " x " +
                     std::to_string(kSheetMinHeight));
    return faults;
  }
  const std::vector<SheetBox> boxes = sheetBoxes();
  // Which box each pixel belongs to, -1 for none.
  std::vector<int> owner(sheet.pixels.size(), -1);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const SheetBox& b = boxes[i];
    const GlyphRow& r = glyphRows[size_t(b.row)];
    if (b.first > b.last) {
      faults.push_back(describe(b) + " lies inside the box of another glyph");
      continue;
    }
    bool reported = false;
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = b.first; x <= b.last; ++x) {
        int& o = owner[size_t(y) * size_t(sheet.width) + size_t(x)];
        if (o >= 0 && !reported) {
          faults.push_back(describe(b) + " overlaps " + describe(boxes[size_t(o)]));
          reported = true;
        }
        o = int(i);
      }
  }

  size_t badLevels = 0, strayInk = 0;
  std::vector<int> inkFirst(boxes.size(), sheet.width), inkLast(boxes.size(), -1);
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x) {
      const uint8_t v = sheet.at(x, y);
      if (v == kSheetBackground) continue;
      if (!isLevel(v) && badLevels++ == 0)
        faults.push_back("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") has the value " +
                         std::to_string(v) + ", neither background nor a grey level");
      const int o = owner[size_t(y) * size_t(sheet.width) + size_t(x)];
      if (o < 0) {
        if (strayInk++ == 0)
          faults.push_back("ink at (" + std::to_string(x) + ", " + std::to_string(y) + ") lies outside every glyph box");
        continue;
      }
      inkFirst[size_t(o)] = std::min(inkFirst[size_t(o)], x);
      inkLast[size_t(o)] = std::max(inkLast[size_t(o)], x);
    }
  if (badLevels > 1) faults.push_back(std::to_string(badLevels) + " pixels in all have values outside the levels");
  if (strayInk > 1) faults.push_back(std::to_string(strayInk) + " ink pixels in all lie outside the glyph boxes");

  for (size_t i = 0; i < boxes.size(); ++i) {
    const SheetBox& b = boxes[i];
    if (b.first > b.last) continue;
    if (inkLast[i] < 0)
      faults.push_back(describe(b) + " has no ink");
    else if (inkFirst[i] != b.first || inkLast[i] != b.last)
      faults.push_back(describe(b) + " has ink in columns " + std::to_string(inkFirst[i]) + " to " +
                       std::to_string(inkLast[i]));
  }
  return faults;
}
