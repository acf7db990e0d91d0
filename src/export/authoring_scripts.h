#pragma once
// The two scripts a disc authoring tool imports beside the pictures: "subtitles.scn-sst" and
// "subtitles.bdn.xml". Both name the PNG pictures of the picture folder and give each subtitle
// its start and end timecode at the chosen frame rate. Both files are complete or absent.
#include <cstdint>
#include <memory>
#include <string>

#include "model/output_file.h"

struct TSUP;

struct ScriptValues {
  std::string title;       // source file name without folder and extension
  std::string sourceName;  // stream file name with extension ("" for an SRT list)
  int rateItem = 0;        // item of the "Rate" choice
  bool reduced = false;    // 720p pictures
  uint32_t firstStart = 0; // start of subtitle 1
  uint32_t lastEnd = 0;    // end of subtitle N
  size_t count = 0;        // N
};

class AuthoringScripts {
 public:
  // Creates both files in the folder and writes their heads.
  AuthoringScripts(const std::string& folder, const ScriptValues& values);
  // The empty picture 0: only a BDN event.
  void writeEmptyEvent();
  // Subtitle n (1-based): a Scenarist line, then a BDN event.
  void writeSubtitle(size_t n, const TSUP& sub);
  // The BDN tail, and both files in place.
  void finish();

 private:
  ScriptValues v_;
  OutputFile scn_;
  OutputFile bdn_;
  std::string graphicSize_;
};

// "line" and the picture number, at least four digits: line0000, line0001, ..., line10000.
std::string pictureName(size_t n);
// Characters that XML reserves, escaped for an attribute value or text.
std::string xmlEscape(const std::string& text);
