#include "gui/status_panels.h"

#include <QPainter>
#include <QStyleOption>

#include "gui/qt_text.h"

namespace {
const QColor kMarkerFill(0xFF, 0x00, 0x00);
const QColor kMarkerText(0xFF, 0xFF, 0x00);
constexpr int kPadding = 4;
}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize StatusPanels::sizeHint() const { return {200, fontMetrics().height() + 2 * kPadding + 2}; }

int StatusPanels::textWidth(const QString& text) const {
  QFont f = font();
  f.setBold(bar_.bold);
  return QFontMetrics(f).horizontalAdvance(text);
}

void StatusPanels::show(const StatusBar& bar) {
  const bool changed = bar.panels[0].text != bar_.panels[0].text || bar.panels[1].text != bar_.panels[1].text ||
                       bar.panels[0].width != bar_.panels[0].width || bar.bold != bar_.bold ||
                       bar.errorMarker != bar_.errorMarker;
  bar_ = bar;
  setToolTip(toQt(bar.hint));
  if (changed) update();
}

void StatusPanels::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect all = rect();
  const int w0 = std::min(std::max(bar_.panels[0].width, 0), all.width());
  const QRect r0(0, 0, w0, all.height());
  const QRect r1(w0 + 2, 0, all.width() - w0 - 2, all.height());
  const QColor line = palette().color(QPalette::Mid);
  QFont f = font();
  f.setBold(bar_.bold);
  p.setFont(f);
  p.setPen(line);
  p.drawLine(all.topLeft(), all.topRight());
  if (bar_.errorMarker) {
    p.fillRect(r0.adjusted(0, 1, 0, 0), kMarkerFill);
    p.setPen(kMarkerText);
    // "ERROR" at 10, 5 of the bar.
    p.drawText(QRect(10, 5, r0.width() - 10, all.height() - 5), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ERROR"));
  } else {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r0.adjusted(0, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
               toQt(bar_.panels[0].text));
  }
  p.setPen(line);
  p.drawLine(w0 + 1, all.top() + 3, w0 + 1, all.bottom() - 3);
  p.setPen(palette().color(QPalette::WindowText));
  const QString detail = QFontMetrics(f).elidedText(toQt(bar_.panels[1].text), Qt::ElideRight, r1.width() - kPadding);
  p.drawText(r1, Qt::AlignLeft | Qt::AlignVCenter, detail);
}
