// The horizontal track bar: 0 to Max, a tick at every position, ticks below.
#pragma once

#include <QSlider>

#include "platform/ui/control.h"

namespace desktop {

class TrackBarWidget : public QSlider {
  Q_OBJECT
 public:
  TrackBarWidget(ui::TrackBar& trackBar, QWidget* parent);
  void Sync();

 private:
  ui::TrackBar& trackBar_;
  bool syncing_ = false;
};

}  // namespace desktop
