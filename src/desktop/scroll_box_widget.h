// The thumbnail box: a scroll area whose content holds one image widget per child of the box,
// at the child's place. The scroll bar follows the thumb while it is dragged, and the vertical
// position is the box's VertScrollPosition both ways.
#pragma once

#include <QPointer>
#include <QScrollArea>
#include <vector>

#include "desktop/image_widget.h"
#include "platform/ui/image.h"

namespace desktop {

class ScrollBoxWidget : public QScrollArea {
  Q_OBJECT
 public:
  ScrollBoxWidget(ui::ScrollBox& box, QWidget* parent);
  void Sync();
  // Rebuilds the child widgets from the box's children.
  void SyncChildren();
  const std::vector<QPointer<ImageWidget>>& ChildWidgets() const { return children_; }

 private:
  ui::ScrollBox& box_;
  QWidget* content_;
  std::vector<QPointer<ImageWidget>> children_;
  bool syncing_ = false;
};

}  // namespace desktop
