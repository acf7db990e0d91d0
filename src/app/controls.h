#pragma once
// The controls model: one member per control of the main window that the logic reads or
// writes, named as the control. The options live here and nowhere else: the window mirrors
// this model and the settings store copies it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TControl {
  bool enabled = true;
  bool visible = true;
  std::string hint;
};

struct TButton : TControl {
  std::string caption;
};

struct TCheckBox : TControl {
  std::string caption;
  bool checked = false;
};

struct TEdit : TControl {
  std::string text;
};

struct TLabel : TControl {
  std::string caption;
};

struct TMemo : TControl {
  std::vector<std::string> lines;
  bool readOnly = false;
};

// One-line box for whole numbers.
struct TIntEdit : TControl {
  std::string text = "0";
  int maxLength = 0;  // 0: no limit
  // The values the box stands for; the box takes as many characters as they need.
  int32_t min = INT32_MIN;
  int32_t max = INT32_MAX;
  // Text that is not a valid decimal integer reads as 0.
  int32_t value() const;
  void setValue(int32_t v);
  void setRange(int32_t low, int32_t high);
  // The edit is done: the value is brought into the range and written out plainly.
  void clamp();
  static bool acceptsKey(char key);
};

// One-line box for hexadecimal numbers.
struct THexEdit : TControl {
  std::string text = "0";
  int maxLength = 2;
  // Hexadecimal digits taken left to right; any other character is skipped.
  uint32_t value() const;
  void setValue(uint32_t v);  // upper case, zero-padded to maxLength
  static bool acceptsKey(char key);
};

struct TUpDown : TControl {
  int32_t min = 0;
  int32_t max = 100;
  int32_t position = 0;
};

struct TRadioGroup : TControl {
  std::string caption;
  std::vector<std::string> items;
  int32_t itemIndex = 0;
  int32_t columns = 1;
};

struct TComboBox : TControl {
  std::string caption;
  std::vector<std::string> items;
  int32_t itemIndex = 0;
};

struct TProgressBar : TControl {
  int32_t min = 0;
  int32_t max = 100;
  int32_t position = 0;
};

struct TPageControl : TControl {
  std::vector<std::string> pages;
  int32_t activePage = 0;
};

// The "Engine" choice of recognition.
enum EngineChoice : int32_t { engRules = 0, engTesseract = 1, engAuto = 2 };

// The pages of the page control, in tab order.
enum Page : int32_t { pgStatus = 0, pgSRT = 1, pgImage = 2, pgOptions = 3, pgAbout = 4 };

struct TScrollBox : TControl {
  int32_t vertPosition = 0;
};

// Size and place of the main window as the settings store keeps them.
struct WindowPlacement {
  int32_t width = 410;
  int32_t height = 563;
  int32_t top = 200;
  int32_t left = 366;
  int32_t windowState = 0;  // 0 normal, 1 minimised, 2 maximised
  int32_t subHeight = 126;  // height of the subtitle panel below the picture
};

struct Controls {
  Controls();

  WindowPlacement window;

  // File row.
  TEdit eSUPfile;
  TButton bReadSUP;
  TButton bbSUP;
  // The "..." button's menu: the streams and SRT files read last, newest first ("" = none).
  static constexpr size_t kRecentFiles = 8;
  std::array<std::string, kRecentFiles> recentFiles;

  TPageControl PageControl;

  // "Status" page.
  TCheckBox cbAutoClear;
  TButton bClear;
  THexEdit HexEdit1, HexEdit2, HexEdit3;  // hidden colour converter check
  TButton Button1;

  // "SRT" page.
  TLabel lSRTfile;
  TMemo mSRT;
  TButton bSaveSRT;
  TButton bOpenSRT;

  // "Image" page.
  TControl Image;  // the display picture; recognition draws its boxes only while it is visible
  TScrollBox sbImage;
  TLabel lStartEnd;
  TLabel lArea;
  TLabel lArea2;
  TLabel lMaxline;
  TIntEdit ieSubs;
  TUpDown udSubs;
  TMemo mSubtext;
  TCheckBox cbLock;
  TCheckBox cbFit;  // the picture scaled to the page; off: at its real size
  TRadioGroup rgFont;
  TButton bOCR;
  TButton bPrev;
  TButton bNext;
  TCheckBox CheckBox1;  // hidden: redraws the current subtitle

  // "Options" page: Image.
  TCheckBox cbBorders;
  TCheckBox cbPalette;
  TCheckBox cbBack;
  TEdit eBackground;
  TButton bbBackground;
  TCheckBox cbBMP;
  TCheckBox cbPNG;
  TCheckBox cbBDN;
  TCheckBox cb720p;
  TCheckBox cbOCR;
  TCheckBox cbFullRGB;  // hidden, changes nothing
  // General.
  TCheckBox cbAutoRead;
  TCheckBox cbDetails;
  TEdit eWorkDir;
  TButton bbWorkdir;
  // OCR.
  TIntEdit ieMUL;
  TIntEdit ieDIV;
  TIntEdit ieCutLevel;
  TComboBox coLang;
  TIntEdit ieSpaceWidth;
  TIntEdit ieSpaceWmin;
  TCheckBox cbTags;
  TComboBox coEngine;  // items in EngineChoice order
  TEdit eOcrLang;      // Tesseract language codes
  // Stream export.
  TRadioGroup rgFormat;
  // SRT.
  TIntEdit ieSpacing;
  TComboBox coLetters;
  TIntEdit ieLastLine;
  TIntEdit ieLineSpc;
  TIntEdit ieMaxColor;
  TComboBox coSrtEncoding;  // of saved SRT files: 0 Windows-1252, 1 UTF-8
  // Frame.
  TRadioGroup rgFrame;
  TRadioGroup rgDrop;

  // "About" page.
  TMemo mAbout;

  // Bottom row.
  TButton bSaveBMP;
  TButton bOCRall;
  TLabel WebLink;
  TButton bCancel;
  TButton bExport;
  TProgressBar ProgressBar;

  // Progress bar shown in place of the link label, and back.
  void showProgress(bool on) {
    ProgressBar.visible = on;
    WebLink.visible = !on;
  }
  // What a user can act on outside the pages: while a long operation runs they are disabled,
  // with the page control (and so every page but "Status"); "Cancel" is not among them.
  static constexpr size_t kUserInputs = 9;
  std::array<TControl*, kUserInputs> userInputs() {
    return {&eSUPfile, &bReadSUP, &bbSUP, &PageControl, &cbAutoClear, &bClear, &bSaveBMP, &bOCRall, &bExport};
  }
};
