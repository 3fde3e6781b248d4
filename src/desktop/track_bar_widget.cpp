#include "desktop/track_bar_widget.h"

#include "desktop/widget_binding.h"

namespace desktop {

TrackBarWidget::TrackBarWidget(ui::TrackBar& trackBar, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), trackBar_(trackBar) {
  setObjectName(ToQString(trackBar.Name()));
  setTickPosition(QSlider::TicksBelow);
  setTickInterval(1);
  setSingleStep(1);
  setPageStep(2);
  // Tracking on: the position reaches the control at every step of a drag.
  setTracking(true);
  connect(this, &QSlider::valueChanged, this, [this](int value) {
    if (syncing_) return;
    trackBar_.SetPosition(value);
    Sync();
  });
  Observe(trackBar, this);
  Sync();
}

void TrackBarWidget::Sync() {
  syncing_ = true;
  ApplyPlacement(*this, trackBar_);
  setRange(0, trackBar_.Max());
  setValue(trackBar_.Position());
  syncing_ = false;
}

}  // namespace desktop
