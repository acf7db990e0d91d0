#include "gui/image_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

ImageView::ImageView(const Plane<Rgb>& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  refresh();
}

QSize ImageView::sizeHint() const { return {picture_.width(), picture_.height()}; }

void ImageView::refresh() {
  if (size() != sizeHint()) setFixedSize(sizeHint());
  update();
}

void ImageView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  static_assert(sizeof(Rgb) == 3, "the view reads display rows as packed RGB");
  if (picture_.width() <= 0 || picture_.height() <= 0) {
    p.fillRect(e->rect(), Qt::black);
    return;
  }
  const QImage image(reinterpret_cast<const uchar*>(picture_.row(0)), picture_.width(), picture_.height(),
                     qsizetype(picture_.width()) * 3,
                     QImage::Format_RGB888);
  p.drawImage(e->rect(), image, e->rect());
}
