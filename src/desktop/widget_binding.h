// How a widget follows its control: the control's change observer calls the widget's Sync(),
// which reads every property it shows from the control. Widgets hold no state of the program.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/gdi/picture.h"
#include "platform/ui/control.h"

namespace desktop {

// The observer holds a guarded pointer: a widget may go before its control does.
template <typename W>
void Observe(ui::Control& control, W* widget) {
  control.OnChanged = [guard = QPointer<W>(widget)] {
    if (guard) guard->Sync();
  };
}

// Left, top, width, height (client coordinates of the window), visibility and enabled state.
void ApplyPlacement(QWidget& widget, const ui::Control& control);

inline QString ToQString(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// 0x00BBGGRR to a Qt colour.
QColor ToQColor(gdi::Color color);
// The picture as an RGB32 image of the same size.
QImage ToQImage(const gdi::Picture& picture);

}  // namespace desktop
