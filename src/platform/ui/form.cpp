#include "platform/ui/form.h"

namespace ui {

Form::Form(std::string name, std::string caption, int clientWidth, int clientHeight)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

void Form::Show() {
  minimized_ = false;
  if (visible_) return;
  visible_ = true;
  if (OnVisibilityChanged) OnVisibilityChanged();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (OnVisibilityChanged) OnVisibilityChanged();
}

void Form::Minimize() {
  minimized_ = true;
  if (OnVisibilityChanged) OnVisibilityChanged();
}

void Form::BringToFront() {
  if (OnBroughtToFront) OnBroughtToFront();
}

void Form::Close() {
  if (closed_) return;
  if (OnClose) OnClose();
  Hide();
  if (EndsProgramWhenClosed) {
    closed_ = true;
    if (OnClosed) OnClosed();
  }
}

long Form::WndProc(const Message& m) {
  return DefaultHandler(m);
}

long Form::DefaultHandler(const Message& m) {
  if (m.msg == WM_CLOSE) {
    Close();
  } else if (m.msg == WM_SYSCOMMAND) {
    if (m.wParam == SC_MINIMIZE) Minimize();
    if (m.wParam == SC_CLOSE) Close();
  }
  return 0;
}

}  // namespace ui
