#pragma once
// The display picture, at its real size or scaled to fit the page. It paints straight from
// the core's picture, so a new render costs only the repaint of what is on screen.
#include <QImage>
#include <QWidget>

#include "render/work_images.h"

class ImageView : public QWidget {
 public:
  ImageView(const Plane<Rgb>& picture, QWidget* parent = nullptr);
  // The picture may have changed (content or size).
  void refresh();
  // Fit: the picture scaled to the widget, keeping its aspect ratio, whatever the display
  // size; the widget then takes the size its scroll box gives it. Otherwise the widget is as
  // large as the picture.
  void setFit(bool fit);
  bool fit() const { return fit_; }
  // Where the picture is drawn inside the widget.
  QRect pictureRect() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage pictureImage() const;

  const Plane<Rgb>& picture_;
  bool fit_ = false;
  // The scaled picture, made once per render and size rather than on every paint.
  QImage scaled_;
  bool scaledStale_ = true;
};
