#include "desktop/scroll_box_widget.h"

#include <QScrollBar>
#include <algorithm>

#include "desktop/widget_binding.h"

namespace desktop {

ScrollBoxWidget::ScrollBoxWidget(ui::ScrollBox& box, QWidget* parent)
    : QScrollArea(parent), box_(box), content_(new QWidget) {
  setObjectName(ToQString(box.Name()));
  setWidgetResizable(false);
  setWidget(content_);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setTracking(true);
  horizontalScrollBar()->setTracking(true);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (!syncing_) box_.SetVertScrollPosition(value);
  });
  Observe(box, this);
  box.OnChildrenChanged = [guard = QPointer<ScrollBoxWidget>(this)] {
    if (guard) guard->SyncChildren();
  };
  SyncChildren();
  Sync();
}

void ScrollBoxWidget::Sync() {
  syncing_ = true;
  ApplyPlacement(*this, box_);
  verticalScrollBar()->setValue(box_.VertScrollPosition());
  syncing_ = false;
}

void ScrollBoxWidget::SyncChildren() {
  // The old children's controls may already be gone: their widgets are hidden at once and
  // deleted later without looking at them again.
  for (const QPointer<ImageWidget>& old : children_) {
    if (old) {
      old->hide();
      old->deleteLater();
    }
  }
  children_.clear();
  int right = 0;
  int bottom = 0;
  for (ui::Image* child : box_.Children()) {
    auto* widget = new ImageWidget(*child, content_);
    children_.emplace_back(widget);
    right = std::max(right, child->Left() + child->Width());
    bottom = std::max(bottom, child->Top() + child->Height());
  }
  content_->resize(right, bottom);
  Sync();
}

}  // namespace desktop
