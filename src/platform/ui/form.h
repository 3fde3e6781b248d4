// A window of the control model: caption, client size, the controls in creation order, the
// popup menu, the system menu and the show / hide / close life of a window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/message.h"

namespace ui {

struct SystemMenuItem {
  unsigned id;
  std::string caption;
};

// System-command identifiers that take the default path.
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_CLOSE = 0xF060;

class Form {
 public:
  Form(std::string name, std::string caption, int clientWidth, int clientHeight);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // Controls register themselves here when constructed and leave when destroyed, so the list
  // never holds a control that is gone.
  void Register(Control& c) { controls_.push_back(&c); }
  void Unregister(Control& c) { std::erase(controls_, &c); }
  const std::vector<Control*>& Controls() const { return controls_; }

  bool Visible() const { return visible_; }
  bool Minimized() const { return minimized_; }
  void Show();
  void Hide();
  void Minimize();
  void BringToFront();
  // Closing runs OnClose, then hides the window; a window that ends the program when closed
  // (the main window) reports it through OnClosed.
  void Close();
  bool Closed() const { return closed_; }
  bool EndsProgramWhenClosed = false;

  // The window's own message handling; the default handles WM_CLOSE and the default system
  // commands. Returns the message's answer.
  virtual long WndProc(const Message& m);
  long DefaultHandler(const Message& m);

  PopupMenu* ContextMenu = nullptr;
  std::vector<SystemMenuItem> SystemMenu;
  void AppendSystemMenu(unsigned id, const std::string& caption) {
    SystemMenu.push_back({id, caption});
  }

  // The pointer over the window's background (not over a control).
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void()> OnClose;
  // Front-end observers.
  std::function<void()> OnVisibilityChanged;
  std::function<void()> OnBroughtToFront;
  std::function<void()> OnClosed;

 private:
  std::string name_;
  std::string caption_;
  int clientWidth_;
  int clientHeight_;
  std::vector<Control*> controls_;
  bool visible_ = false;
  bool minimized_ = false;
  bool closed_ = false;
};

}  // namespace ui
