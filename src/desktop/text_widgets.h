// Buttons and labels: a caption at a place.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "platform/ui/control.h"

namespace desktop {

class ButtonWidget : public QPushButton {
  Q_OBJECT
 public:
  ButtonWidget(ui::Button& button, QWidget* parent);
  void Sync();

 private:
  ui::Button& button_;
};

// Labels size themselves to their caption, growing right and down from their place, so a
// longer caption ("1000 msec", "再生位置 12秒") is never cut.
class LabelWidget : public QLabel {
  Q_OBJECT
 public:
  LabelWidget(ui::Label& label, QWidget* parent);
  void Sync();

 private:
  ui::Label& label_;
};

}  // namespace desktop
