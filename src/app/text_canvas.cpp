#include "app/text_canvas.h"

#include "app/app.h"

LetteringOptions letteringOptions(const Controls& ui) {
  return {.spacing = ui.ieSpacing.value(),
          .maxColor = ui.ieMaxColor.value(),
          .savePng = ui.cbPNG.checked,
          .saveBmp = ui.cbBMP.checked,
          .blackAndWhite = ui.cbOCR.checked};
}

TextCanvas textCanvas(App& app) { return {app.subs, app, app, app, app, letteringOptions(app.ui)}; }
