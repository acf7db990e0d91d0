#include "gui/settings_store_qt.h"

#include "gui/qt_text.h"

// A value of the wrong type (text where a number belongs) reads as missing, so its control
// keeps the default. Booleans are stored as 0 or 1; any non-zero number, or "true", reads as
// true. The only texts are file and folder names, stored as the file system names them.
std::optional<SettingValue> QtSettingsStore::read(const SettingInfo& info) {
  const QVariant v = settings_.value(QString::fromLatin1(info.name));
  if (!v.isValid()) return std::nullopt;
  switch (info.type) {
    case SettingType::Text:
      return pathFromQt(v.toString());
    case SettingType::Integer: {
      bool ok = false;
      const int value = v.toString().trimmed().toInt(&ok);
      if (!ok) return std::nullopt;
      return int32_t(value);
    }
    case SettingType::Boolean: {
      const QString s = v.toString().trimmed().toLower();
      if (s == QLatin1String("true")) return true;
      if (s == QLatin1String("false")) return false;
      bool ok = false;
      const int value = s.toInt(&ok);
      if (!ok) return std::nullopt;
      return value != 0;
    }
  }
  return std::nullopt;
}

void QtSettingsStore::write(const SettingInfo& info, const SettingValue& value) {
  const QString name = QString::fromLatin1(info.name);
  if (const auto* i = std::get_if<int32_t>(&value)) settings_.setValue(name, int(*i));
  else if (const auto* b = std::get_if<bool>(&value)) settings_.setValue(name, *b ? 1 : 0);
  else if (const auto* s = std::get_if<std::string>(&value)) settings_.setValue(name, pathToQt(*s));
}
