#include "app/settings_table.h"

#include <charconv>
#include <cstring>

#include "app/app.h"
#include "app/option_events.h"

namespace {
using T = SettingType;

const std::vector<SettingInfo> kTable = {
    {"Width", T::Integer},      {"Height", T::Integer},    {"Top", T::Integer},
    {"Left", T::Integer},       {"WindowState", T::Integer}, {"SubHeight", T::Integer},
    {"Backpic", T::Text},       {"Background", T::Boolean}, {"Borders", T::Boolean},
    {"Palette", T::Boolean},    {"Details", T::Boolean},   {"AutoRead", T::Boolean},
    {"AutoClear", T::Boolean},  {"Workdir", T::Text},      {"SaveBMP", T::Boolean},
    {"SavePNG", T::Boolean},    {"C_Mul", T::Integer},     {"C_Div", T::Integer},
    {"LastLine", T::Integer},   {"LineSpc", T::Integer},   {"Spacing", T::Integer},
    {"MaxColor", T::Integer},   {"CutLevel", T::Integer},  {"Tags", T::Boolean},
    {"Language", T::Integer},   {"SpaceWidth", T::Integer}, {"SpaceWmin", T::Integer},
    {"Format", T::Integer},     {"Letters", T::Integer},   {"Frame", T::Integer},
    {"720p", T::Boolean},       {"OCR", T::Boolean},       {"Scenarist", T::Boolean},
    {"Fit", T::Boolean},        {"Recent1", T::Text},      {"Recent2", T::Text},
    {"Recent3", T::Text},       {"Recent4", T::Text},      {"Recent5", T::Text},
    {"Recent6", T::Text},       {"Recent7", T::Text},      {"Recent8", T::Text},
    {"SrtEncoding", T::Integer},
    {"Engine", T::Integer},     {"OcrLang", T::Text},
};
static_assert(Controls::kRecentFiles == 8, "one stored name per entry of the recent files menu");

// The control behind a name, seen through one of its kinds.
struct Target {
  int32_t* integer = nullptr;
  TIntEdit* intEdit = nullptr;
  TCheckBox* checkBox = nullptr;
  TEdit* edit = nullptr;
  std::string* text = nullptr;
  int32_t* itemIndex = nullptr;
  size_t itemCount = 0;
};

Target target(Controls& ui, const std::string& n) {
  WindowPlacement& w = ui.window;
  if (n == "Width") return {&w.width};
  if (n == "Height") return {&w.height};
  if (n == "Top") return {&w.top};
  if (n == "Left") return {&w.left};
  if (n == "WindowState") return {&w.windowState};
  if (n == "SubHeight") return {&w.subHeight};
  if (n == "Backpic") return {.edit = &ui.eBackground};
  if (n == "Background") return {.checkBox = &ui.cbBack};
  if (n == "Borders") return {.checkBox = &ui.cbBorders};
  if (n == "Palette") return {.checkBox = &ui.cbPalette};
  if (n == "Details") return {.checkBox = &ui.cbDetails};
  if (n == "AutoRead") return {.checkBox = &ui.cbAutoRead};
  if (n == "AutoClear") return {.checkBox = &ui.cbAutoClear};
  if (n == "Workdir") return {.edit = &ui.eWorkDir};
  if (n == "SaveBMP") return {.checkBox = &ui.cbBMP};
  if (n == "SavePNG") return {.checkBox = &ui.cbPNG};
  if (n == "C_Mul") return {.intEdit = &ui.ieMUL};
  if (n == "C_Div") return {.intEdit = &ui.ieDIV};
  if (n == "LastLine") return {.intEdit = &ui.ieLastLine};
  if (n == "LineSpc") return {.intEdit = &ui.ieLineSpc};
  if (n == "Spacing") return {.intEdit = &ui.ieSpacing};
  if (n == "MaxColor") return {.intEdit = &ui.ieMaxColor};
  if (n == "CutLevel") return {.intEdit = &ui.ieCutLevel};
  if (n == "Tags") return {.checkBox = &ui.cbTags};
  if (n == "Language") return {.itemIndex = &ui.coLang.itemIndex, .itemCount = ui.coLang.items.size()};
  if (n == "SpaceWidth") return {.intEdit = &ui.ieSpaceWidth};
  if (n == "SpaceWmin") return {.intEdit = &ui.ieSpaceWmin};
  if (n == "Format") return {.itemIndex = &ui.rgFormat.itemIndex, .itemCount = ui.rgFormat.items.size()};
  if (n == "Letters") return {.itemIndex = &ui.coLetters.itemIndex, .itemCount = ui.coLetters.items.size()};
  if (n == "Frame") return {.itemIndex = &ui.rgFrame.itemIndex, .itemCount = ui.rgFrame.items.size()};
  if (n == "720p") return {.checkBox = &ui.cb720p};
  if (n == "OCR") return {.checkBox = &ui.cbOCR};
  if (n == "Scenarist") return {.checkBox = &ui.cbBDN};
  if (n == "Fit") return {.checkBox = &ui.cbFit};
  if (n.size() == 7 && n.starts_with("Recent") && n[6] >= '1' && n[6] <= '8')
    return {.text = &ui.recentFiles[size_t(n[6] - '1')]};
  if (n == "SrtEncoding")
    return {.itemIndex = &ui.coSrtEncoding.itemIndex, .itemCount = ui.coSrtEncoding.items.size()};
  if (n == "Engine") return {.itemIndex = &ui.coEngine.itemIndex, .itemCount = ui.coEngine.items.size()};
  if (n == "OcrLang") return {.edit = &ui.eOcrLang};
  return {};
}
}  // namespace

const std::vector<SettingInfo>& settingsTable() { return kTable; }

const SettingInfo* findSetting(const std::string& name) {
  for (const SettingInfo& info : kTable)
    if (name == info.name) return &info;
  return nullptr;
}

TIntEdit* numberBox(Controls& ui, const std::string& name) { return target(ui, name).intEdit; }

SettingValue getSetting(const App& app, const SettingInfo& info) {
  const Target t = target(const_cast<Controls&>(app.ui), info.name);
  if (t.integer) return *t.integer;
  if (t.intEdit) return t.intEdit->value();
  if (t.checkBox) return t.checkBox->checked;
  if (t.edit) return t.edit->text;
  if (t.text) return *t.text;
  return *t.itemIndex;
}

bool applySetting(App& app, const SettingInfo& info, const SettingValue& value) {
  const Target t = target(app.ui, info.name);
  const int32_t* i = std::get_if<int32_t>(&value);
  const bool* b = std::get_if<bool>(&value);
  const std::string* s = std::get_if<std::string>(&value);
  if (t.integer && i) *t.integer = *i;
  else if (t.intEdit && i) t.intEdit->setValue(*i);
  else if (t.checkBox && b) t.checkBox->checked = *b;
  else if (t.edit && s) t.edit->text = *s;
  else if (t.text && s) *t.text = *s;
  else if (t.itemIndex && i && *i >= 0 && size_t(*i) < t.itemCount) *t.itemIndex = *i;
  else return false;
  optionChanged(app, info.name);
  return true;
}

std::optional<SettingValue> parseSetting(const SettingInfo& info, const std::string& text) {
  switch (info.type) {
    case SettingType::Text:
      return text;
    case SettingType::Boolean:
      if (text == "1" || text == "true") return true;
      if (text == "0" || text == "false") return false;
      return std::nullopt;
    case SettingType::Integer: {
      int32_t v = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
      return v;
    }
  }
  return std::nullopt;
}
