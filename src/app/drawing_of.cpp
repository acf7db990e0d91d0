#include "app/drawing_of.h"

#include "app/app.h"

RenderOptions renderOptionsOf(const Controls& ui) {
  RenderOptions o;
  o.cutLevel = ui.ieCutLevel.value();
  o.maxColor = ui.ieMaxColor.value();
  o.letterSpacing = ui.ieSpacing.value();
  o.blackWhite = ui.cbOCR.checked;
  o.borders = ui.cbBorders.checked;
  o.swatches = ui.cbPalette.checked;
  o.background = ui.cbBack.checked;
  o.backgroundFile = ui.eBackground.text;
  o.pictureShown = ui.Image.visible;
  o.saveBmp = ui.cbBMP.checked;
  o.savePng = ui.cbPNG.checked;
  o.reduce720 = ui.cb720p.checked;
  return o;
}

Drawing drawingOf(App& app) {
  return Drawing{app, app, app.ui.eSUPfile.text, app, app, app, app, renderOptionsOf(app.ui)};
}
