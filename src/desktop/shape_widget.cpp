#include "desktop/shape_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "desktop/widget_binding.h"

namespace desktop {

ShapeWidget::ShapeWidget(ui::Shape& shape, QWidget* parent) : QWidget(parent), shape_(shape) {
  setObjectName(ToQString(shape.Name()));
  Observe(shape, this);
  Sync();
}

void ShapeWidget::Sync() {
  ApplyPlacement(*this, shape_);
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  QPen pen(Qt::black, 1,
           shape_.PenStyle == ui::ShapePenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, width() - 1, height() - 1);
}

void ShapeWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

// A right release goes on to the window, which opens its popup menu.
void ShapeWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->ignore();
  } else {
    event->accept();
  }
}

}  // namespace desktop
