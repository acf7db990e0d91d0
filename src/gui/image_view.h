#pragma once
// The display picture at its real size. It paints straight from the core's picture, so a
// new render costs only the repaint of what is on screen.
#include <QWidget>

#include "render/work_images.h"

class ImageView : public QWidget {
 public:
  ImageView(const Plane<Rgb>& picture, QWidget* parent = nullptr);
  // The picture may have changed (content or size).
  void refresh();
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  const Plane<Rgb>& picture_;
};
