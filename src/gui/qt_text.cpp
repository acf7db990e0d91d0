#include "gui/qt_text.h"

#include <QFile>
#include <QStringList>

#include "text/cp1252.h"

QString toQt(std::string_view cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }

std::string fromQt(const QString& text) { return utf8ToCp1252(text.toStdString()); }

QString pathToQt(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string pathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

namespace {
// Whether the bytes form valid UTF-8 that uses at least one multi-byte sequence.
bool isNonAsciiUtf8(std::string_view s) {
  bool multi = false;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    if (c >= 0x80 && c < 0xC2) return false;  // overlong two-byte forms
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    multi |= len > 1;
    i += len;
  }
  return multi;
}
}  // namespace

QString logTextToQt(std::string_view text) {
  return isNonAsciiUtf8(text) ? QString::fromUtf8(text.data(), qsizetype(text.size())) : toQt(text);
}

QString linesToQt(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(qsizetype(lines.size()));
  for (const std::string& l : lines) out << toQt(l);
  return out.join(QLatin1Char('\n'));
}

std::vector<std::string> linesFromQt(const QString& text) {
  std::vector<std::string> lines;
  for (const QString& l : text.split(QLatin1Char('\n'))) lines.push_back(fromQt(l));
  return lines;
}

QString dialogFilterToQt(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    const QString caption = parts[i].trimmed();
    // "BMP image (*.bmp)" names its pattern already.
    out << (caption.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                ? caption
                : caption + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return out.join(QStringLiteral(";;"));
}
