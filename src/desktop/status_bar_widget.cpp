#include "desktop/status_bar_widget.h"

#include <qdrawutil.h>

#include <QPainter>

#include "desktop/widget_binding.h"

namespace desktop {

StatusBarWidget::StatusBarWidget(ui::StatusBar& statusBar, QWidget* parent)
    : QWidget(parent), statusBar_(statusBar) {
  setObjectName(ToQString(statusBar.Name()));
  Observe(statusBar, this);
  Sync();
}

void StatusBarWidget::Sync() {
  texts_.clear();
  for (int i = 0; i < statusBar_.PanelCount(); ++i)
    texts_.push_back(ToQString(statusBar_.PanelText(i)));
  ApplyPlacement(*this, statusBar_);
  // repaint, not update: a handler that reports progress does not return to the event loop.
  if (isVisible()) repaint();
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int left = 0;
  for (int i = 0; i < statusBar_.PanelCount(); ++i) {
    const QRect panel(left, 1, statusBar_.PanelWidth(i) - 2, height() - 1);
    qDrawShadePanel(&painter, panel, palette(), true, 1);
    const QRect textArea = panel.adjusted(3, 1, -3, -1);
    const QString text = painter.fontMetrics().elidedText(texts_[static_cast<std::size_t>(i)],
                                                          Qt::ElideRight, textArea.width());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    left += statusBar_.PanelWidth(i);
  }
}

}  // namespace desktop
