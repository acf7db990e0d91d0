#pragma once
// What the command that asks for a render wants of it.
#include <string>

struct RenderFlags {
  bool savingBitmaps = false;  // bitmap export: the render writes the picture files
  bool ocrRender = false;      // drawn for recognition
  bool exportBD = false;       // Blu-ray stream export
  bool exportHD = false;       // HD DVD stream export
  bool inUpdate = false;       // the program fills the subtitle panel: change handlers hold still
  std::string outBase;         // folder and base name of the picture files being written
  // When set, the picture files go here instead of outBase + ".bmp" / ".png".
  std::string outBmp, outPng;
};
