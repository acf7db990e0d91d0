#include "gui/image_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

ImageView::ImageView(const RgbImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  refresh();
}

QSize ImageView::sizeHint() const { return {picture_.width, picture_.height}; }

void ImageView::refresh() {
  if (size() != sizeHint()) setFixedSize(sizeHint());
  update();
}

void ImageView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const size_t needed = size_t(picture_.width) * size_t(picture_.height) * 3;
  if (picture_.width <= 0 || picture_.height <= 0 || picture_.rgb.size() < needed) {
    p.fillRect(e->rect(), Qt::black);
    return;
  }
  const QImage image(picture_.rgb.data(), picture_.width, picture_.height, qsizetype(picture_.width) * 3,
                     QImage::Format_RGB888);
  p.drawImage(e->rect(), image, e->rect());
}
