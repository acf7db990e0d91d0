#pragma once
// A drop-down that the mouse wheel does not change while it is closed: the wheel scrolls the
// page around it instead, so scrolling the "Options" page past "Language" leaves the option
// alone. Opened, its list takes the wheel as usual.
#include <QComboBox>
#include <QWheelEvent>

class ClosedComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};
