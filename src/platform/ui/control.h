// The control model: plain objects that hold what a window shows and raise what a user does.
// The desktop front-end mirrors them onto real widgets; tests drive them directly.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class MouseButton { Left, Right, Middle };

class Form;

// Base of every control: geometry, visibility, enabled state, caption, hint and tag. Each
// setter that changes a value tells the observer, which the front-end uses to refresh the widget.
class Control {
 public:
  Control(Form* owner, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Form* Owner() const { return owner_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);
  void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  int Tag() const { return tag_; }
  void SetTag(int v) { tag_ = v; }

  // Asks the front-end to redraw the control now (a picture drawn in place, a long handler's
  // status text).
  void Repaint() { Changed(); }

  // One observer per control: the widget that shows it.
  std::function<void()> OnChanged;

 protected:
  void Changed();

 private:
  Form* owner_;
  std::string name_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  int tag_ = 0;
};

class Button : public Control {
 public:
  using Control::Control;
  // A user's click: only an enabled, visible button can be clicked.
  void Click();
  std::function<void()> OnClick;
};

class Label : public Control {
 public:
  using Control::Control;
};

// Radio group: assigning a new index runs OnClick exactly as a user's choice does; assigning the
// current one runs nothing. Indexes below -1 become -1, indexes past the last item the last.
class RadioGroup : public Control {
 public:
  RadioGroup(Form* owner, std::string name, std::vector<std::string> items, int columns,
             int itemIndex);
  const std::vector<std::string>& Items() const { return items_; }
  int Columns() const { return columns_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  std::function<void()> OnClick;

 private:
  std::vector<std::string> items_;
  int columns_;
  int itemIndex_;
};

// Horizontal track bar from 0 to Max; OnChange runs whenever the position changes, also when a
// smaller Max pulls it back.
class TrackBar : public Control {
 public:
  using Control::Control;
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  std::function<void()> OnChange;

 private:
  int max_ = 0;
  int position_ = 0;
};

class StatusBar : public Control {
 public:
  StatusBar(Form* owner, std::string name, std::vector<int> panelWidths);
  int PanelCount() const { return static_cast<int>(texts_.size()); }
  int PanelWidth(int i) const { return widths_.at(i); }
  const std::string& PanelText(int i) const { return texts_.at(i); }
  void SetPanelText(int i, const std::string& text);

 private:
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

// Log memo. Add() takes a text that may hold "\r\n" breaks; each piece becomes a line, so a text
// ending in "\r\n" leaves an empty line after it.
class Memo : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Lines() const { return lines_; }
  void Add(const std::string& text);
  void Clear();
  unsigned BackgroundColor = 0xC0C0C0;  // silver, 0x00BBGGRR
  unsigned TextColor = 0x00FFFF;        // yellow

 private:
  std::vector<std::string> lines_;
};

class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, bool separator = false);
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  bool IsSeparator() const { return separator_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  // A user's choice of the item: runs OnClick when the item is enabled.
  void Click();
  std::function<void()> OnClick;

 private:
  std::string name_;
  std::string caption_;
  bool separator_;
  bool enabled_ = true;
};

class PopupMenu {
 public:
  void Add(MenuItem& item) { items_.push_back(&item); }
  const std::vector<MenuItem*>& Items() const { return items_; }
  // Runs OnPopup just before the menu shows; the front-end then shows Items() as they are.
  void Popup();
  std::function<void()> OnPopup;

 private:
  std::vector<MenuItem*> items_;
};

}  // namespace ui
