#include "render/draw_sub.h"

#include "readers/stream_file.h"
#include "render/bmp_file.h"
#include "render/compose.h"
#include "render/index_image.h"

namespace {
constexpr PackedColor kDisplayBackground = 0x313233;

bool displayRender(const Drawing& d) { return !d.flags.savingBitmaps && !d.flags.ocrRender && !d.exporting(); }

bool hasSecondArea(const TSUP& s) { return s.win[1].x2 > s.win[1].x1; }

template <typename T>
void sizePlane(Plane<T>& p, int w, int h, T fill) {
  if (p.width() != w || p.height() != h) p.resize(w, h, fill);
}

// The overlay starts black and transparent; every picture takes the display size.
void startPictures(Drawing& d) {
  WorkImages& im = d.images;
  const int w = d.palette.displayWidth, h = d.palette.displayHeight;
  if (im.overlay.width() != w || im.overlay.height() != h) im.overlay.resize(w, h, 0);
  else im.overlay.reset(0);
  sizePlane(im.display, w, h, Rgb{});
  sizePlane<uint8_t>(im.ocrMask, w, h, 0);
}

void fillBackground(Drawing& d) {
  Plane<Rgb>& display = d.images.display;
  if (displayRender(d) && d.options.background) {
    // A picture smaller than the display leaves the display's own background around it; a
    // larger one is cut at the display's edges.
    display.reset(rgbOf(kDisplayBackground));
    loadBmpInto(d.options.backgroundFile, display);
  } else {
    display.reset(rgbOf(displayRender(d) ? kDisplayBackground : 0));
  }
}
}  // namespace

void DrawSub(Drawing& d, int n, const std::function<void(const TSUP&)>& ready) {
  WorkImages& im = d.images;
  // A number beyond the list is no subtitle: the selector's range may lag behind the list.
  if (n > int(d.list.subs.size())) n = 0;
  if (n < 1) {
    drawIndexImage(d, 0);
    startPictures(d);
    im.display.reset(Rgb{});
    return;
  }
  d.list.curSub = n - 1;
  TSUP& s = d.list.subs[size_t(d.list.curSub)];
  const std::unique_ptr<StreamFile> file = openListStream(d);
  const bool stream = file != nullptr;
  setpal(d.palette, d.list, d.list.curSub, file.get(), paletteOptions(d, listDisplaySize(d)));
  // Sized after the palette build, so that the first subtitle of a new kind of list is
  // already drawn at its own display size.
  startPictures(d);
  im.ocrMask.reset(0);
  if (ready) ready(s);

  fillBackground(d);
  const bool borders = displayRender(d) && d.options.borders;
  if (borders && stream) {
    drawBorder(im.display, s.win[0].x1, s.win[0].y1, s.win[0].x2, s.win[0].y2, 1);
    if (hasSecondArea(s)) drawBorder(im.display, s.win[1].x1, s.win[1].y1, s.win[1].x2, s.win[1].y2, 1);
  }
  if (displayRender(d) && d.options.swatches) drawSwatches(im.display, im.overlay, d.palette);
  blendOverlay(im.display, im.overlay);
  drawSubtitlePixels(d, s, file.get(), false);
  if (!stream && borders) drawBorder(im.display, s.win[0].x1, s.win[0].y1, s.win[0].x2, s.win[0].y2, 0);
  // "OCR all" hides the picture while it runs: recognition reads only the recognition plane,
  // so the subtitle is not composed onto a display nobody sees.
  if (!d.flags.ocrRender || d.options.pictureShown) blendOverlay(im.display, im.overlay);
}
