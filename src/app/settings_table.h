#pragma once
// The stored options: name, type and control of every value the settings store keeps, in
// the order they are read at start-up. The window's store and the command line's --set
// both go through this table.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

class App;
struct Controls;
struct TIntEdit;

enum class SettingType { Integer, Boolean, Text };
using SettingValue = std::variant<int32_t, bool, std::string>;

struct SettingInfo {
  const char* name;
  SettingType type;
};

const std::vector<SettingInfo>& settingsTable();
const SettingInfo* findSetting(const std::string& name);

// The number box an option is kept in, or none for other kinds of option.
TIntEdit* numberBox(Controls& ui, const std::string& name);
// The control's current value.
SettingValue getSetting(const App& app, const SettingInfo& info);
// Puts a value into its control as a user's edit would, so the control's change handling
// runs. A value the control cannot hold (an item index out of range) is ignored; returns
// whether it was taken.
bool applySetting(App& app, const SettingInfo& info, const SettingValue& value);
// Parses the text form of a value ("--set NAME=VALUE"): integers in decimal, booleans as
// 0/1/true/false, texts as they stand.
std::optional<SettingValue> parseSetting(const SettingInfo& info, const std::string& text);
