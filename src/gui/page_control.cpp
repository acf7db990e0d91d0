#include "gui/page_control.h"

#include <QPainter>

namespace {
// Packed colours (red in the low byte) as the tabs use them.
QColor packed(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
const QColor kActiveCaption = packed(0x880000);
const QColor kInactiveCaption = packed(0x996666);
const QColor kActiveBar = packed(0x00BBFF);
constexpr int kCaptionTop = 4;
}  // namespace

PageTabs::PageTabs(QWidget* parent) : QTabBar(parent) {
  setDrawBase(true);
  setExpanding(false);
}

QSize PageTabs::tabSizeHint(int index) const {
  const QSize s = QTabBar::tabSizeHint(index);
  return {std::max(s.width(), fontMetrics().horizontalAdvance(tabText(index)) + 24),
          std::max(s.height(), fontMetrics().height() + kCaptionTop + 8)};
}

void PageTabs::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor face = palette().color(QPalette::Button);
  const QColor edge = palette().color(QPalette::Mid);
  for (int i = 0; i < count(); ++i) {
    const QRect r = tabRect(i);
    const bool active = i == currentIndex();
    p.fillRect(r, active ? palette().color(QPalette::Window) : face);
    p.setPen(edge);
    p.drawLine(r.topRight(), r.bottomRight());
    if (!active) p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(active ? kActiveCaption : kInactiveCaption);
    const int captionWidth = fontMetrics().horizontalAdvance(tabText(i));
    const int left = r.left() + (r.width() - captionWidth) / 2;
    p.drawText(QRect(left, r.top() + kCaptionTop + 2, captionWidth + 1, r.height() - kCaptionTop - 2),
               Qt::AlignLeft | Qt::AlignVCenter, tabText(i));
    // The bar: columns left + 4 to right - 4, rows top + 2 to top + 4.
    p.fillRect(QRect(QPoint(r.left() + 4, r.top() + 2), QPoint(r.right() - 4, r.top() + 4)),
               active ? kActiveBar : face);
  }
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new PageTabs(this));
  setDocumentMode(false);
}
