// The frame shape: a dash-dot rectangle outline over the canvas with a clear inside. It takes
// presses on its whole rectangle and does nothing with them.
#pragma once

#include <QWidget>

#include "platform/ui/image.h"

namespace desktop {

class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  ShapeWidget(ui::Shape& shape, QWidget* parent);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ui::Shape& shape_;
};

}  // namespace desktop
