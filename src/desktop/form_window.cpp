#include "desktop/form_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <cmath>
#include <set>

#include "desktop/image_widget.h"
#include "desktop/memo_widget.h"
#include "desktop/radio_group_widget.h"
#include "desktop/scroll_box_widget.h"
#include "desktop/shape_widget.h"
#include "desktop/status_bar_widget.h"
#include "desktop/text_widgets.h"
#include "desktop/track_bar_widget.h"
#include "desktop/widget_binding.h"
#include "platform/ui/image.h"

namespace desktop {
namespace {

// The keyboard order of the focusable controls; a window without some of them skips those.
const char* const kTabOrder[] = {"Button1",     "ScrollBox1",  "Button2",     "Memo1",
                                 "RadioGroup1", "Button3",     "Button4",     "RadioGroup2",
                                 "TrackBar1",   "RadioGroup3", "RadioGroup4", "Button5"};

QWidget* MakeWidget(ui::Control& control, QWidget* parent) {
  if (auto* c = dynamic_cast<ui::Button*>(&control)) return new ButtonWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::Label*>(&control)) return new LabelWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::RadioGroup*>(&control)) return new RadioGroupWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::TrackBar*>(&control)) return new TrackBarWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::StatusBar*>(&control)) return new StatusBarWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::Memo*>(&control)) return new MemoWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::ScrollBox*>(&control)) return new ScrollBoxWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::Image*>(&control)) return new ImageWidget(*c, parent);
  if (auto* c = dynamic_cast<ui::Shape*>(&control)) return new ShapeWidget(*c, parent);
  return nullptr;
}

}  // namespace

FormWindow::FormWindow(ui::Form& form, ui::MessageQueue& queue)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      form_(form),
      queue_(queue) {
  setObjectName(ToQString(form.Name()));
  setWindowTitle(ToQString(form.Caption()));
  setFixedSize(form.ClientWidth(), form.ClientHeight());
  setMouseTracking(true);  // the background reports the pointer without a button held
  BuildControls();
  SetTabOrder();

  // Alt+Space opens the system menu; F1 too, as some desktops keep Alt+Space for themselves.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::Key_F1)}) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &FormWindow::OpenSystemMenu);
  }

  form.OnVisibilityChanged = [guard = QPointer<FormWindow>(this)] {
    if (guard) guard->SyncVisibility();
  };
  form.OnBroughtToFront = [guard = QPointer<FormWindow>(this)] {
    if (!guard) return;
    if (guard->isMinimized()) guard->showNormal();
    guard->raise();
    guard->activateWindow();
  };
  SyncVisibility();
}

FormWindow::~FormWindow() {
  form_.OnVisibilityChanged = nullptr;
  form_.OnBroughtToFront = nullptr;
}

void FormWindow::BuildControls() {
  // Thumbnails belong to their scroll box, which makes their widgets itself.
  std::set<const ui::Control*> boxed;
  for (ui::Control* control : form_.Controls()) {
    if (auto* box = dynamic_cast<ui::ScrollBox*>(control)) {
      for (ui::Image* child : box->Children()) boxed.insert(child);
    }
  }
  // Creation order is stacking order: the frame lies over the canvas, the floating image over
  // the frame.
  for (ui::Control* control : form_.Controls()) {
    if (boxed.count(control) == 0) MakeWidget(*control, this);
  }
}

void FormWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const char* name : kTabOrder) {
    auto* widget = findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (widget == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void FormWindow::SyncVisibility() {
  if (!form_.Visible()) {
    hide();
  } else if (form_.Minimized()) {
    showMinimized();
  } else if (isMinimized()) {
    showNormal();
  } else {
    show();
  }
}

void FormWindow::OpenPopupMenu(const QPoint& globalPos) {
  ui::PopupMenu* menu = form_.ContextMenu;
  if (menu == nullptr) return;
  menu->Popup();
  if (popupMenu_) popupMenu_->deleteLater();
  popupMenu_ = new QMenu(this);
  popupMenu_->setAttribute(Qt::WA_DeleteOnClose, false);
  for (ui::MenuItem* item : menu->Items()) {
    if (item->IsSeparator()) {
      popupMenu_->addSeparator();
      continue;
    }
    QAction* action = popupMenu_->addAction(ToQString(item->Caption()));
    action->setObjectName(ToQString(item->Name()));
    action->setEnabled(item->Enabled());
    connect(action, &QAction::triggered, this, [item] { item->Click(); });
  }
  popupMenu_->popup(globalPos);
}

void FormWindow::OpenSystemMenu() {
  if (systemMenu_) systemMenu_->deleteLater();
  systemMenu_ = new QMenu(this);
  auto add = [this](const QString& text, unsigned id) {
    QAction* action = systemMenu_->addAction(text);
    connect(action, &QAction::triggered, this, [this, id] { PostSystemCommand(id); });
  };
  add(QStringLiteral("最小化(&N)"), ui::SC_MINIMIZE);
  systemMenu_->addSeparator();
  add(QStringLiteral("閉じる(&C)"), ui::SC_CLOSE);
  if (!form_.SystemMenu.empty()) systemMenu_->addSeparator();
  for (const ui::SystemMenuItem& item : form_.SystemMenu) add(ToQString(item.caption), item.id);
  systemMenu_->popup(mapToGlobal(QPoint(0, 0)));
}

void FormWindow::PostSystemCommand(unsigned id) {
  queue_.Post({&form_, ui::WM_SYSCOMMAND, id, 0});
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The form decides: the main window's close handler runs and the program ends; the
  // right-channel window only hides.
  event->ignore();
  form_.Close();
}

// The popup opens when the right button is released (see mouseReleaseEvent), after the control
// under the pointer has had its press and release; only the keyboard's menu key opens it here.
void FormWindow::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (event->reason() == QContextMenuEvent::Keyboard) OpenPopupMenu(QCursor::pos());
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  backgroundPressed_ = childAt(event->position().toPoint()) == nullptr;
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const QPoint p(static_cast<int>(std::floor(event->position().x())),
                 static_cast<int>(std::floor(event->position().y())));
  // Moves over a control that does not want them come up here too: only the background's count.
  const bool overBackground = childAt(p) == nullptr;
  const bool dragFromBackground = event->buttons() != Qt::NoButton && backgroundPressed_;
  if ((overBackground || dragFromBackground) && form_.OnMouseMove) form_.OnMouseMove(p.x(), p.y());
}

// Right releases that no control keeps (anywhere in the window) open the popup menu.
void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() == Qt::NoButton) backgroundPressed_ = false;
  if (event->button() == Qt::RightButton) OpenPopupMenu(event->globalPosition().toPoint());
}

}  // namespace desktop
