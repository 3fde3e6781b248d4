// Controls that show pictures: the image (with its canvas and mouse events), the frame shape and
// the scroll box that holds thumbnails.
#pragma once

#include <functional>
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/picture.h"
#include "platform/ui/control.h"

namespace ui {

using MouseHandler = std::function<void(MouseButton, int x, int y)>;
using MoveHandler = std::function<void(int x, int y)>;

// An image control owns its picture and the canvas that draws on it. A stretched image shows its
// picture scaled into its own size (the thumbnails); otherwise pixel for pixel.
class Image : public Control {
 public:
  Image(Form* owner, std::string name);

  gdi::Picture& Picture() { return picture_; }
  const gdi::Picture& Picture() const { return picture_; }
  gdi::Canvas& Canvas() { return canvas_; }
  // Copies the pixels of `picture`; the canvas tools are kept.
  void AssignPicture(const gdi::Picture& picture);
  // A fresh picture of the given size and a fresh canvas on it.
  void NewPicture(int width, int height, gdi::Color fill = 0xFFFFFF);

  bool Stretch = false;

  // The user's mouse, in the image's own coordinates.
  void MouseDown(MouseButton b, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(MouseButton b, int x, int y);
  void Click();
  MouseHandler OnMouseDown;
  MoveHandler OnMouseMove;
  MouseHandler OnMouseUp;
  std::function<void(Image& sender)> OnClick;

 private:
  gdi::Picture picture_;
  gdi::Canvas canvas_;
};

enum class ShapePenStyle { Solid, DashDot };

// A rectangle outline over other controls; it takes presses and does nothing with them.
class Shape : public Control {
 public:
  using Control::Control;
  ShapePenStyle PenStyle = ShapePenStyle::DashDot;
};

// A scrolling container. Children are added and removed by their owner; the front-end rebuilds
// its view of them when told.
class ScrollBox : public Control {
 public:
  using Control::Control;
  const std::vector<Image*>& Children() const { return children_; }
  void SetChildren(std::vector<Image*> children);
  int VertScrollPosition() const { return vertScroll_; }
  void SetVertScrollPosition(int v);
  std::function<void()> OnChildrenChanged;

 private:
  std::vector<Image*> children_;
  int vertScroll_ = 0;
};

}  // namespace ui
