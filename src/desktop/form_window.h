// A window of the control model on screen: a fixed-size top-level widget of the form's client
// size with one widget per control, the form's popup menu, and a system menu of its own (Linux
// window managers keep the title-bar menu to themselves). Its commands go to the message queue
// as WM_SYSCOMMAND, like those of a real system menu.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "platform/ui/form.h"
#include "platform/ui/message.h"

namespace desktop {

class FormWindow : public QWidget {
  Q_OBJECT
 public:
  FormWindow(ui::Form& form, ui::MessageQueue& queue);
  ~FormWindow() override;

  ui::Form& Model() const { return form_; }
  // Shows, hides or minimises the window as the form says.
  void SyncVisibility();
  // Runs the popup menu's OnPopup (which sets the items' states), then shows its items.
  void OpenPopupMenu(const QPoint& globalPos);
  // Minimise, close and the form's own system-menu items.
  void OpenSystemMenu();
  // The last menu opened, for tests; null before the first.
  QMenu* PopupMenuWidget() const { return popupMenu_; }
  QMenu* SystemMenuWidget() const { return systemMenu_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildControls();
  void SetTabOrder();
  void PostSystemCommand(unsigned id);

  ui::Form& form_;
  ui::MessageQueue& queue_;
  QPointer<QMenu> popupMenu_;
  QPointer<QMenu> systemMenu_;
  bool backgroundPressed_ = false;
};

}  // namespace desktop
