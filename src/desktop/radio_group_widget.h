// A titled group of radio buttons laid out in the group's number of columns. A user's choice
// sets the group's ItemIndex, which runs its click handler when the choice is new.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <vector>

#include "platform/ui/control.h"

namespace desktop {

class RadioGroupWidget : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroupWidget(ui::RadioGroup& group, QWidget* parent);
  void Sync();
  QRadioButton* Item(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }

 private:
  void LayOutItems();
  ui::RadioGroup& group_;
  QButtonGroup exclusive_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace desktop
