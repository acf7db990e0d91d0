#include "gui/image_view.h"

#include <QPaintEvent>
#include <QPainter>

ImageView::ImageView(const Plane<Rgb>& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  refresh();
}

QSize ImageView::sizeHint() const { return {picture_.width(), picture_.height()}; }

void ImageView::refresh() {
  scaledStale_ = true;
  if (!fit_ && size() != sizeHint()) setFixedSize(sizeHint());
  update();
}

void ImageView::setFit(bool fit) {
  if (fit == fit_) return;
  fit_ = fit;
  if (fit_) {
    setMinimumSize(1, 1);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  refresh();
}

QRect ImageView::pictureRect() const {
  if (!fit_) return rect();
  const QSize size = sizeHint().scaled(this->size(), Qt::KeepAspectRatio);
  return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QImage ImageView::pictureImage() const {
  static_assert(sizeof(Rgb) == 3, "the view reads display rows as packed RGB");
  return QImage(reinterpret_cast<const uchar*>(picture_.row(0)), picture_.width(), picture_.height(),
                qsizetype(picture_.width()) * 3, QImage::Format_RGB888);
}

void ImageView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (picture_.width() <= 0 || picture_.height() <= 0) {
    p.fillRect(e->rect(), Qt::black);
    return;
  }
  if (!fit_) {
    p.drawImage(e->rect(), pictureImage(), e->rect());
    return;
  }
  const QRect target = pictureRect();
  if (scaledStale_ || scaled_.size() != target.size()) {
    // Smooth scaling keeps thin letters readable at a fifth of their size.
    scaled_ = pictureImage().scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaledStale_ = false;
  }
  p.fillRect(e->rect(), palette().color(QPalette::Dark));
  p.drawImage(target.topLeft(), scaled_);
}
