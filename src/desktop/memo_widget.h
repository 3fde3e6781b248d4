// The log memo: read-only lines in yellow on silver, with a vertical scroll bar, always showing
// the last line. Lines only ever grow or are cleared, so a change appends what is new.
#pragma once

#include <QPlainTextEdit>

#include "platform/ui/control.h"

namespace desktop {

class MemoWidget : public QPlainTextEdit {
  Q_OBJECT
 public:
  MemoWidget(ui::Memo& memo, QWidget* parent);
  void Sync();

 private:
  ui::Memo& memo_;
  std::size_t shownLines_ = 0;
};

}  // namespace desktop
