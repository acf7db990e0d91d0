#pragma once
// What a drawing reads of the options. The command that asks for the drawing fills it from
// its controls; the renderer never sees them.
#include <string>

struct RenderOptions {
  int cutLevel = 0;         // palette entries at least this bright (per channel) count as ink
  int maxColor = 255;       // the brightest level of SRT lettering
  int letterSpacing = 0;    // columns between the letters of SRT lettering
  bool blackWhite = false;  // "OCR": saved pictures in two tones, every entry opaque
  // The display picture of the window.
  bool borders = false;     // frames around the areas
  bool swatches = false;    // the palette beside the picture
  bool background = false;  // a picture behind the subtitle
  std::string backgroundFile;
  bool pictureShown = true;  // someone sees the display: recognition draws it only then
  // The picture files of "Save bitmaps".
  bool saveBmp = false;
  bool savePng = false;
  bool reduce720 = false;  // the PNG reduced to 1280 x 720
};
