#include "platform/ui/control.h"

#include <algorithm>

#include "platform/ui/form.h"

namespace ui {

Control::Control(Form* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (owner_ != nullptr) owner_->Register(*this);
}

Control::~Control() {
  if (owner_ != nullptr) owner_->Unregister(*this);
}

void Control::Changed() {
  if (OnChanged) OnChanged();
}

template <typename T>
static bool Assign(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

void Control::SetLeft(int v) {
  if (Assign(left_, v)) Changed();
}
void Control::SetTop(int v) {
  if (Assign(top_, v)) Changed();
}
void Control::SetWidth(int v) {
  if (Assign(width_, v)) Changed();
}
void Control::SetHeight(int v) {
  if (Assign(height_, v)) Changed();
}
void Control::SetBounds(int left, int top, int width, int height) {
  bool changed = Assign(left_, left);
  changed = Assign(top_, top) || changed;
  changed = Assign(width_, width) || changed;
  changed = Assign(height_, height) || changed;
  if (changed) Changed();
}
void Control::SetVisible(bool v) {
  if (Assign(visible_, v)) Changed();
}
void Control::SetEnabled(bool v) {
  if (Assign(enabled_, v)) Changed();
}
void Control::SetCaption(const std::string& v) {
  if (Assign(caption_, v)) Changed();
}
void Control::SetHint(const std::string& v) {
  if (Assign(hint_, v)) Changed();
}

void Button::Click() {
  if (Enabled() && Visible() && OnClick) OnClick();
}

RadioGroup::RadioGroup(Form* owner, std::string name, std::vector<std::string> items, int columns,
                       int itemIndex)
    : Control(owner, std::move(name)),
      items_(std::move(items)),
      columns_(columns),
      itemIndex_(itemIndex) {}

void RadioGroup::SetItemIndex(int index) {
  const int last = static_cast<int>(items_.size()) - 1;
  index = std::clamp(index, -1, last);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Changed();
  if (OnClick) OnClick();
}

void TrackBar::SetMax(int v) {
  if (v < 0) v = 0;
  if (Assign(max_, v)) Changed();
  if (position_ > max_) SetPosition(max_);
}

void TrackBar::SetPosition(int v) {
  v = std::clamp(v, 0, max_);
  if (!Assign(position_, v)) return;
  Changed();
  if (OnChange) OnChange();
}

StatusBar::StatusBar(Form* owner, std::string name, std::vector<int> panelWidths)
    : Control(owner, std::move(name)), widths_(std::move(panelWidths)), texts_(widths_.size()) {}

void StatusBar::SetPanelText(int i, const std::string& text) {
  if (Assign(texts_.at(static_cast<std::size_t>(i)), text)) Changed();
}

void Memo::Add(const std::string& text) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t brk = text.find("\r\n", start);
    if (brk == std::string::npos) {
      lines_.push_back(text.substr(start));
      break;
    }
    lines_.push_back(text.substr(start, brk - start));
    start = brk + 2;
    if (start == text.size()) {
      lines_.emplace_back();
      break;
    }
  }
  Changed();
}

void Memo::Clear() {
  lines_.clear();
  Changed();
}

MenuItem::MenuItem(std::string name, std::string caption, bool separator)
    : name_(std::move(name)), caption_(std::move(caption)), separator_(separator) {}

void MenuItem::Click() {
  if (enabled_ && !separator_ && OnClick) OnClick();
}

void PopupMenu::Popup() {
  if (OnPopup) OnPopup();
}

}  // namespace ui
