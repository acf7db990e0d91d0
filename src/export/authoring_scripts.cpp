#include "export/authoring_scripts.h"

#include <cstdio>

#include "export/timecode.h"
#include "model/subtitle.h"
#include "text/cp1252.h"

std::string pictureName(size_t n) {
  // Beyond 9999 the number keeps all its digits: four digits would repeat line0000.
  char buf[32];
  std::snprintf(buf, sizeof buf, "line%04zu", n);
  return buf;
}

std::string xmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

AuthoringScripts::AuthoringScripts(const std::string& folder, const ScriptValues& values)
    : v_(values), scn_(folder + "subtitles.scn-sst"), bdn_(folder + "subtitles.bdn.xml") {
  const char* width = v_.reduced ? "1280" : "1920";
  const char* height = v_.reduced ? "720" : "1080";
  graphicSize_ = std::string("Width=\"") + width + "\" Height=\"" + height + "\" X=\"0\" Y=\"0\">";

  scn_.writeLine("St_Format 4");
  scn_.writeLine("Display_Area  (0 2 1919 1079)");
  scn_.writeLine("TV_Type NTSC");
  scn_.writeLine("SubTitle " + fileNameAsUtf8(v_.sourceName));
  scn_.writeLine("##########################");
  scn_.writeLine("SP_NUMBER START END FILE_NAME");

  const std::string rate = frameRateNames[frameRateCodes[size_t(v_.rateItem)]];
  // The declaration says UTF-8: the title is a file name, as the user sees it.
  bdn_.writeLine("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  bdn_.writeLine(
      "<BDN Version=\"0.93\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"BD-03-006-0093b BDN File Format.xsd\">");
  bdn_.writeLine("  <Description>");
  bdn_.writeLine("    <Name Title=\"" + xmlEscape(fileNameAsUtf8(v_.title)) + "\" Content=\"\"/>");
  bdn_.writeLine("    <Language Code=\"eng\"/>");
  bdn_.writeLine(std::string("    <Format VideoFormat=\"") + (v_.reduced ? "720" : "1080") + "p\" FrameRate=\"" +
                 rate + "\" DropFrame=\"False\"/>");
  bdn_.writeLine("    <Events Type=\"Graphic\" FirstEventInTC=\"" + pts2tc(v_.firstStart, v_.rateItem) +
                 "\" LastEventOutTC=\"" + pts2tc(v_.lastEnd, v_.rateItem) + "\" NumberofEvents=\"" +
                 std::to_string(v_.count) + "\"/>");
  bdn_.writeLine("  </Description>");
  bdn_.writeLine("  <Events>");
}

void AuthoringScripts::writeEmptyEvent() {
  bdn_.writeLine("    <Event InTC=\"00:00:00.000\" OutTC=\"00:00:00.100\" forced=\"False\">");
  bdn_.writeLine("      <Graphic " + graphicSize_ + pictureName(0) + ".png</Graphic>");
  bdn_.writeLine("    </Event>");
}

void AuthoringScripts::writeSubtitle(size_t n, const TSUP& sub) {
  const std::string start = pts2tc(sub.startPts, v_.rateItem);
  const std::string end = pts2tc(sub.endPts, v_.rateItem);
  const std::string picture = pictureName(n) + ".png";
  scn_.writeLine(std::to_string(uint32_t(sub.num)) + " " + start + " " + end + " " + picture);
  bdn_.writeLine("    <Event InTC=\"" + start + "\" OutTC=\"" + end + "\" forced=\"False\">");
  bdn_.writeLine("      <Graphic " + graphicSize_ + picture + "</Graphic>");
  bdn_.writeLine("    </Event>");
}

void AuthoringScripts::finish() {
  bdn_.writeLine("  </Events>");
  bdn_.writeLine("</BDN>");
  scn_.commit();
  bdn_.commit();
}
