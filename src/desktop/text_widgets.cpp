#include "desktop/text_widgets.h"

#include <algorithm>

#include "desktop/widget_binding.h"

namespace desktop {

ButtonWidget::ButtonWidget(ui::Button& button, QWidget* parent)
    : QPushButton(parent), button_(button) {
  setObjectName(ToQString(button.Name()));
  connect(this, &QPushButton::clicked, this, [this] { button_.Click(); });
  Observe(button, this);
  Sync();
}

void ButtonWidget::Sync() {
  setText(ToQString(button_.Caption()));
  ApplyPlacement(*this, button_);
}

LabelWidget::LabelWidget(ui::Label& label, QWidget* parent) : QLabel(parent), label_(label) {
  setObjectName(ToQString(label.Name()));
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Observe(label, this);
  Sync();
}

void LabelWidget::Sync() {
  setText(ToQString(label_.Caption()));
  ApplyPlacement(*this, label_);
  const QSize fit = sizeHint();
  resize(std::max(label_.Width(), fit.width()), std::max(label_.Height(), fit.height()));
}

}  // namespace desktop
