#include "platform/ui/image.h"

namespace ui {

Image::Image(Form* owner, std::string name) : Control(owner, std::move(name)), canvas_(picture_) {}

void Image::AssignPicture(const gdi::Picture& picture) {
  picture_ = picture;
  Changed();
}

void Image::NewPicture(int width, int height, gdi::Color fill) {
  picture_.Reset(width, height, fill);
  canvas_.ResetTools();
  Changed();
}

void Image::MouseDown(MouseButton b, int x, int y) {
  if (OnMouseDown) OnMouseDown(b, x, y);
}
void Image::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}
void Image::MouseUp(MouseButton b, int x, int y) {
  if (OnMouseUp) OnMouseUp(b, x, y);
}
void Image::Click() {
  if (OnClick) OnClick(*this);
}

void ScrollBox::SetChildren(std::vector<Image*> children) {
  children_ = std::move(children);
  if (OnChildrenChanged) OnChildrenChanged();
}

void ScrollBox::SetVertScrollPosition(int v) {
  if (v < 0) v = 0;
  if (v == vertScroll_) return;
  vertScroll_ = v;
  Changed();
}

}  // namespace ui
