#include "desktop/radio_group_widget.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <algorithm>
#include <numeric>

#include "desktop/widget_binding.h"

namespace desktop {
namespace {

// The UI font is wider than the one the windows were designed with; a narrower gap between
// the indicator and the caption keeps the captions whole in the designed group widths.
class CompactRadioStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_RadioButtonLabelSpacing) return 3;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

QStyle* CompactRadios() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new CompactRadioStyle;
    style->setParent(qApp);
  }
  return style;
}

}  // namespace

RadioGroupWidget::RadioGroupWidget(ui::RadioGroup& group, QWidget* parent)
    : QGroupBox(parent), group_(group) {
  setObjectName(ToQString(group.Name()));
  int id = 0;
  for (const std::string& item : group.Items()) {
    auto* button = new QRadioButton(ToQString(item), this);
    button->setStyle(CompactRadios());
    exclusive_.addButton(button, id++);
    buttons_.push_back(button);
  }
  if (!buttons_.empty()) setFocusProxy(buttons_.front());
  connect(&exclusive_, &QButtonGroup::idClicked, this, [this](int index) {
    group_.SetItemIndex(index);
    Sync();  // the same index changes nothing in the group, and the check must still match it
  });
  Observe(group, this);
  Sync();
}

void RadioGroupWidget::Sync() {
  setTitle(ToQString(group_.Caption()));
  ApplyPlacement(*this, group_);
  LayOutItems();
  const int chosen = group_.ItemIndex();
  // An exclusive group cannot show "nothing chosen" (index -1) without lifting exclusivity.
  exclusive_.setExclusive(false);
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    buttons_[static_cast<std::size_t>(i)]->setChecked(i == chosen);
  }
  exclusive_.setExclusive(true);
}

// Items fill the columns top to bottom below the title. Columns share the width equally, as
// the windows were designed; when that would cut a caption of the (wider) UI font and the
// captions fit side by side, each column gets what its captions need plus an equal share of
// what is left.
void RadioGroupWidget::LayOutItems() {
  const int count = static_cast<int>(buttons_.size());
  if (count == 0) return;
  const int columns = std::max(1, std::min(group_.Columns(), count));
  const int perColumn = (count + columns - 1) / columns;
  const int titleHeight = QFontMetrics(font()).height();
  const int band = std::max(1, height() - titleHeight - 4);
  const int itemHeight = band / perColumn;
  const int top = titleHeight + (band % perColumn) / 2;

  constexpr int kLeftMargin = 6;
  constexpr int kRightMargin = 3;
  const int available = width() - kLeftMargin - kRightMargin;
  std::vector<int> need(static_cast<std::size_t>(columns), 0);
  for (int i = 0; i < count; ++i) {
    QRadioButton* button = buttons_[static_cast<std::size_t>(i)];
    const QStyle* style = button->style();
    const int captionWidth =
        style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
        style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button) +
        button->fontMetrics().horizontalAdvance(button->text()) + 2;
    int& column = need[static_cast<std::size_t>(i / perColumn)];
    column = std::max(column, captionWidth);
  }
  const int equal = available / columns;
  const bool equalCuts = std::any_of(need.begin(), need.end(), [&](int n) { return n > equal; });
  const int needed = std::accumulate(need.begin(), need.end(), 0);
  std::vector<int> widths(static_cast<std::size_t>(columns), equal);
  if (equalCuts && needed <= available) {
    for (int c = 0; c < columns; ++c) {
      widths[static_cast<std::size_t>(c)] =
          need[static_cast<std::size_t>(c)] + (available - needed) / columns;
    }
  }
  int left = kLeftMargin;
  for (int c = 0; c < columns; ++c) {
    for (int row = 0; row < perColumn; ++row) {
      const int i = c * perColumn + row;
      if (i >= count) break;
      buttons_[static_cast<std::size_t>(i)]->setGeometry(
          left, top + row * itemHeight, widths[static_cast<std::size_t>(c)], itemHeight);
    }
    left += widths[static_cast<std::size_t>(c)];
  }
}

}  // namespace desktop
