#include "desktop/image_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "desktop/widget_binding.h"

namespace desktop {
namespace {

bool ToModelButton(Qt::MouseButton button, ui::MouseButton& out) {
  switch (button) {
    case Qt::LeftButton:
      out = ui::MouseButton::Left;
      return true;
    case Qt::RightButton:
      out = ui::MouseButton::Right;
      return true;
    case Qt::MiddleButton:
      out = ui::MouseButton::Middle;
      return true;
    default:
      return false;
  }
}

// Pointer positions are fractional on scaled screens; a picture pixel is the one under them.
QPoint PixelAt(const QMouseEvent& event) {
  return {static_cast<int>(std::floor(event.position().x())),
          static_cast<int>(std::floor(event.position().y()))};
}

}  // namespace

ImageWidget::ImageWidget(ui::Image& image, QWidget* parent) : QWidget(parent), image_(image) {
  setObjectName(ToQString(image.Name()));
  setMouseTracking(true);  // moves without a button held report the pointer position too
  Observe(image, this);
  Sync();
}

void ImageWidget::Sync() {
  stale_ = true;
  ApplyPlacement(*this, image_);
  setToolTip(ToQString(image_.Hint()));
  update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (stale_) {
    shown_ = ToQImage(image_.Picture());
    stale_ = false;
  }
  if (shown_.isNull()) return;
  QPainter painter(this);
  if (image_.Stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect(), shown_);
  } else {
    painter.drawImage(QPoint(0, 0), shown_);
  }
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
  ui::MouseButton button;
  if (!ToModelButton(event->button(), button)) return;
  event->accept();
  if (button == ui::MouseButton::Left) leftPressedInside_ = true;
  const QPoint p = PixelAt(*event);
  image_.MouseDown(button, p.x(), p.y());
}

void ImageWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const QPoint p = PixelAt(*event);
  image_.MouseMove(p.x(), p.y());
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  ui::MouseButton button;
  if (!ToModelButton(event->button(), button)) return;
  const QPoint p = PixelAt(*event);
  // The handlers below may hide or replace this widget; nothing of it is used after them.
  const bool click = button == ui::MouseButton::Left && leftPressedInside_ && rect().contains(p);
  if (button == ui::MouseButton::Left) leftPressedInside_ = false;
  // A click comes before the release, as the window toolkit the program was written for does it.
  if (click) image_.Click();
  image_.MouseUp(button, p.x(), p.y());
  // A right release goes on to the window, which opens its popup menu.
  if (button == ui::MouseButton::Right) {
    event->ignore();
  } else {
    event->accept();
  }
}

}  // namespace desktop
