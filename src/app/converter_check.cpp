#include "app/converter_check.h"

#include <cstdio>

#include "app/app.h"
#include "render/colour.h"

namespace {
std::string hexTriple(uint8_t a, uint8_t b, uint8_t c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", a, b, c);
  return buf;
}
}  // namespace

void Button1Click(App& app) {
  const uint8_t y = uint8_t(app.ui.HexEdit1.value()), cr = uint8_t(app.ui.HexEdit2.value()),
                cb = uint8_t(app.ui.HexEdit3.value());
  const PackedColor rgb = YCrCbToRGB(y, cr, cb);
  char packed[8];
  std::snprintf(packed, sizeof packed, "%06X", rgb);
  app.log(hexTriple(y, cr, cb) + " -> RGB: " + packed);
  const YCrCb back = RGBToYCrCb(rgb);
  app.log(hexTriple(back.y, back.cr, back.cb));
}
