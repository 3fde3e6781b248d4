// The status bar: sunken panels of fixed widths from the left, each with its text. A text set
// by a long handler is painted at once, so progress shows while the handler still runs.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "platform/ui/control.h"

namespace desktop {

class StatusBarWidget : public QWidget {
  Q_OBJECT
 public:
  StatusBarWidget(ui::StatusBar& statusBar, QWidget* parent);
  void Sync();
  // The text panel i shows.
  QString PanelText(int i) const { return texts_.at(static_cast<std::size_t>(i)); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::StatusBar& statusBar_;
  std::vector<QString> texts_;
};

}  // namespace desktop
