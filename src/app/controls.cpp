#include "app/controls.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

int32_t TIntEdit::value() const {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;  // a leading plus sign is a valid integer
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(first, last, v);
  return ec == std::errc() && end == last ? v : 0;
}

void TIntEdit::setValue(int32_t v) { text = std::to_string(v); }

void TIntEdit::setRange(int32_t low, int32_t high) {
  min = low;
  max = high;
  maxLength = int(std::max(std::to_string(low).size(), std::to_string(high).size()));
}

void TIntEdit::clamp() { setValue(std::clamp(value(), min, max)); }

bool TIntEdit::acceptsKey(char key) {
  return key == '\b' || key == '\r' || key == '+' || key == '-' || (key >= '0' && key <= '9');
}

uint32_t THexEdit::value() const {
  uint32_t v = 0;
  for (char c : text) {
    const int u = std::toupper(static_cast<unsigned char>(c));
    if (u >= '0' && u <= '9') v = v * 16 + uint32_t(u - '0');
    else if (u >= 'A' && u <= 'F') v = v * 16 + uint32_t(u - 'A' + 10);
  }
  return v;
}

void THexEdit::setValue(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", maxLength, v);
  text = buf;
}

bool THexEdit::acceptsKey(char key) {
  return key == '\b' || key == '\r' || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') ||
         (key >= 'a' && key <= 'f');
}

namespace {
TButton button(const char* caption, bool enabled = true, const char* hint = "") {
  TButton b;
  b.caption = caption;
  b.enabled = enabled;
  b.hint = hint;
  return b;
}
TCheckBox checkBox(const char* caption, bool checked, const char* hint = "") {
  TCheckBox c;
  c.caption = caption;
  c.checked = checked;
  c.hint = hint;
  return c;
}
TIntEdit intEdit(int32_t value, const char* hint, int32_t low, int32_t high) {
  TIntEdit e;
  e.setValue(value);
  e.hint = hint;
  e.setRange(low, high);
  return e;
}
TRadioGroup radioGroup(const char* caption, std::vector<std::string> items, int32_t index, int32_t columns) {
  TRadioGroup g;
  g.caption = caption;
  g.items = std::move(items);
  g.itemIndex = index;
  g.columns = columns;
  return g;
}
TComboBox comboBox(const char* caption, std::vector<std::string> items, const char* hint = "") {
  TComboBox c;
  c.caption = caption;
  c.items = std::move(items);
  c.hint = hint;
  return c;
}
TLabel label(const char* caption) {
  TLabel l;
  l.caption = caption;
  return l;
}
}  // namespace

Controls::Controls() {
  eSUPfile.hint = "Open a subtitle stream";
  bReadSUP = button("Read SUP", false);
  bbSUP = button("", true, "Open a subtitle stream");

  PageControl.pages = {"Status", "SRT", "Image", "Options", "About"};

  cbAutoClear = checkBox("Auto clear", false);
  bClear = button("Clear");
  for (THexEdit* h : {&HexEdit1, &HexEdit2, &HexEdit3}) h->visible = false;
  Button1 = button("Button1");
  Button1.visible = false;

  mSRT.readOnly = true;
  bSaveSRT = button("Save SRT", false);
  bOpenSRT = button("Open SRT", false);

  lStartEnd = label("Subtitle start - end");
  lArea = label("(top, left) - (bottom, right)");
  lArea2 = label("(top, left) - (bottom, right)");
  ieSubs.setValue(1);
  ieSubs.maxLength = 4;
  ieSubs.enabled = false;
  udSubs.min = 1;
  udSubs.max = 0;
  udSubs.position = 1;
  udSubs.enabled = false;
  mSubtext.enabled = false;
  cbLock = checkBox("Lock", false, "Keep the text from recognition");
  cbLock.enabled = false;
  cbFit = checkBox("Fit", true, "Scale the picture to the page; untick for its real size");
  rgFont = radioGroup("Font", {"&Normal", "&Auto", "&Italic"}, 1, 1);
  rgFont.enabled = false;
  bOCR = button("OCR", false, "Convert bitmap to text");
  bPrev = button("&Prev", false, "Jump to the previous error");
  bNext = button("Ne&xt", false, "Jump to the next error");
  CheckBox1 = checkBox("CheckBox1", false);
  CheckBox1.visible = false;

  cbBorders = checkBox("Subtitle borders", false);
  cbPalette = checkBox("Palette on bitmap", false);
  cbBack = checkBox("Background image", false);
  bbBackground = button("");
  cbBMP = checkBox("BMP", false, "Save bitmap in BMP format");
  cbPNG = checkBox("PNG", true, "Save bitmap in PNG format");
  cbBDN = checkBox("Scenarist exp", false, "Export BDN and SCN files to Scenarist");
  cb720p = checkBox("720p", false, "Reduce the resolution of the png output to 1280x720");
  cbOCR = checkBox("OCR", false, "Black and white only for OCR");
  cbFullRGB = checkBox("Full RGB", true);
  cbFullRGB.visible = false;
  cbAutoRead = checkBox("Auto read", true);
  cbDetails = checkBox("Detailed info", false);
  bbWorkdir = button("");
  ieMUL = intEdit(4, "The multiplier for the letter skew of italic font style", 1, 999);
  ieDIV = intEdit(19, "The divider for the letter skew of italic font style", 1, 999);
  ieCutLevel = intEdit(145, "The cut level for OCRing", 1, 255);
  coLang = comboBox("Language", {"N/A", "English"});
  ieSpaceWidth = intEdit(20, "The normal space width in pixels", 0, 99);
  ieSpaceWmin = intEdit(10, "The space width in pixels before 'j'", 0, 99);
  cbTags = checkBox("Insert tags (<i></i>)", false, "Insert tags to the text when detects italic font");
  coEngine = comboBox("Engine", {"Rules", "Tesseract", "Auto"},
                      "Rules: the program's own recognition; Tesseract: the Tesseract library; Auto: the rules "
                      "first, Tesseract for every subtitle they cannot read fully");
  coEngine.itemIndex = engAuto;
  eOcrLang.text = "eng";
  eOcrLang.hint = "The Tesseract language: a code such as eng, fra or deu, or several joined by +";
  rgFormat = radioGroup("Format", {"Blu-ray", "HD DVD"}, 0, 1);
  ieSpacing = intEdit(4, "Space between the letters", 0, 9);
  coLetters = comboBox("Letters", {"Default"}, "Font set for SRT import");
  ieLastLine = intEdit(1010, "The base of the last line (y coordinate from the top)", 0, 9999);
  // Negative: the lines run downwards from the last line.
  ieLineSpc = intEdit(90, "Space between the lines", -999, 999);
  ieMaxColor = intEdit(220, "The brightness of the letters", 0, 255);
  coSrtEncoding = comboBox("SRT encoding", {"Windows-1252", "UTF-8"}, "Character encoding of saved SRT files");
  rgFrame = radioGroup("Rate", {"23.976", "24", "25", "29.97", "50", "59.94"}, 0, 3);
  rgDrop = radioGroup("Type", {"Drop", "Non-drop"}, 1, 1);

  mAbout.readOnly = true;

  bSaveBMP = button("Save bitmaps", false);
  bOCRall = button("OCR all", false);
  bCancel = button("Cancel", false);
  bExport = button("Export sup", false);
  ProgressBar.visible = false;
}
