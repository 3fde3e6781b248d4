// An image control: its picture pixel for pixel, or scaled into the control when it stretches
// (the thumbnails). Mouse presses, moves and releases reach the control in its own coordinates;
// after a press the widget keeps the pointer, so moves and the release arrive even outside it.
// A left press and release inside is also a click.
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/ui/image.h"

namespace desktop {

class ImageWidget : public QWidget {
  Q_OBJECT
 public:
  ImageWidget(ui::Image& image, QWidget* parent);
  void Sync();
  ui::Image& Model() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ui::Image& image_;
  QImage shown_;
  bool stale_ = true;
  bool leftPressedInside_ = false;
};

}  // namespace desktop
