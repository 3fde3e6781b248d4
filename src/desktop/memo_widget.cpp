#include "desktop/memo_widget.h"

#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

#include "desktop/widget_binding.h"

namespace desktop {

MemoWidget::MemoWidget(ui::Memo& memo, QWidget* parent) : QPlainTextEdit(parent), memo_(memo) {
  setObjectName(ToQString(memo.Name()));
  setReadOnly(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ToQColor(memo.BackgroundColor));
  colours.setColor(QPalette::Text, ToQColor(memo.TextColor));
  setPalette(colours);
  Observe(memo, this);
  Sync();
}

void MemoWidget::Sync() {
  ApplyPlacement(*this, memo_);
  const std::vector<std::string>& lines = memo_.Lines();
  if (lines.size() < shownLines_) shownLines_ = 0;  // cleared since the last look
  if (shownLines_ == 0) {
    QStringList all;
    for (const std::string& line : lines) all << ToQString(line);
    setPlainText(all.join(QChar('\n')));
  } else {
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    for (std::size_t i = shownLines_; i < lines.size(); ++i) {
      end.insertBlock();
      end.insertText(ToQString(lines[i]));
    }
  }
  shownLines_ = lines.size();
  moveCursor(QTextCursor::End);
  ensureCursorVisible();
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  if (isVisible()) viewport()->repaint();
}

}  // namespace desktop
