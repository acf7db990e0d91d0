#include "gui/key_filter.h"

#include <QKeyEvent>

#include "app/host.h"
#include "text/cp1252.h"

KeyFilter::KeyFilter(bool (*accepts)(char), Host& host, QObject* parent)
    : QObject(parent), accepts_(accepts), host_(host) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (onStep && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
    onStep(key->key() == Qt::Key_Up ? 1 : -1);
    return true;
  }
  const QString text = key->text();
  if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return false;
  const char32_t cp = text.toUcs4().value(0);
  if (cp < 0x20 || cp == 0x7F) return false;  // Tab, Escape, Delete, Backspace, Enter
  if (accepts_(char(unicodeToCp1252(cp)))) return false;
  host_.beep();
  return true;
}
