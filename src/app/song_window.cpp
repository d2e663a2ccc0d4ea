// The song window: the chart box, its position conversions, its typing lock, its resize rule.
#include "app/song_window.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTextBlock>
#include <algorithm>
#include <optional>

#include "app/chart_positions.h"

namespace vamplet {

namespace {

// The character a key press types, or nothing. Paste and cut type the control characters
// they do in a classic text box, so the typing lock stops them as well.
std::optional<char32_t> TypedCharacter(const QKeyEvent* key) {
  if (key->matches(QKeySequence::Paste)) return U'\x16';
  if (key->matches(QKeySequence::Cut)) return U'\x18';
  // Delete types nothing in a classic text box; it edits like the arrow keys move.
  if (key->key() == Qt::Key_Delete) return std::nullopt;
  const QString text = key->text();
  if (text.isEmpty()) return std::nullopt;
  return static_cast<char32_t>(text.toUcs4().value(0));
}

}  // namespace

SongWindow::SongWindow(TwipScale scale, QWidget* parent) : QMdiSubWindow(parent), scale_(scale) {
  setObjectName(QStringLiteral("frmSong"));
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint);
  setSystemMenu(nullptr);

  auto* inside = new QWidget;
  QPalette background = inside->palette();
  background.setColor(QPalette::Window, QColor(192, 192, 192));
  inside->setPalette(background);
  inside->setAutoFillBackground(true);
  setWidget(inside);

  Song = new QPlainTextEdit(inside);
  Song->setObjectName(QStringLiteral("Song"));
  Song->setAccessibleName(QStringLiteral("Song"));
  Song->setGeometry(0, 0, scale_.Px(11880), scale_.Px(7700));
  Song->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Song->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Song->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Song->setFrameStyle(QFrame::NoFrame);
  QPalette colours = Song->palette();
  colours.setColor(QPalette::Text, QColor(0, 0, 128));
  colours.setColor(QPalette::Base, QColor(255, 255, 255));
  Song->setPalette(colours);
  QFont font;
  // "Courier New" resolves to its metric-compatible substitute where it is not installed.
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
  font.setStyleHint(QFont::Monospace);
  font.setPointSizeF(14.25);
  font.setBold(true);
  Song->setFont(font);
  Song->installEventFilter(this);
  connect(Song, &QPlainTextEdit::textChanged, this, &SongWindow::BoxChanged);
}

void SongWindow::SetSongText(const Text& chart) {
  const QString box = ToBoxText(chart);
  if (box == Song->toPlainText()) {
    // Same lines, perhaps other line breaks: keep the core's exact text.
    chart_ = chart;
    shown_ = box;
    return;
  }
  chart_ = chart;
  shown_ = box;
  Song->setPlainText(box);
}

void SongWindow::BoxChanged() {
  const QString box = Song->toPlainText();
  if (box != shown_) {
    chart_ = ToCoreText(box);
    shown_ = box;
  }
  if (onChange) onChange(chart_);
}

void SongWindow::SetFontSize(double points) {
  QFont font = Song->font();
  font.setPointSizeF(points);
  Song->setFont(font);
}

int32_t SongWindow::SelStart() const {
  return CorePosition(chart_, Song->textCursor().selectionStart());
}

int32_t SongWindow::SelLength() const {
  const QTextCursor cursor = Song->textCursor();
  return CorePosition(chart_, cursor.selectionEnd()) - CorePosition(chart_, cursor.selectionStart());
}

void SongWindow::SelectChart(int32_t start, int32_t length) {
  const int32_t size = static_cast<int32_t>(chart_.size());
  const int32_t from = std::clamp(start, 0, size);
  const int32_t count = std::clamp(length, 0, size - from);
  QTextCursor cursor = Song->textCursor();
  cursor.setPosition(BoxPosition(chart_, from));
  cursor.setPosition(BoxPosition(chart_, from + count), QTextCursor::KeepAnchor);
  Song->setTextCursor(cursor);
}

void SongWindow::FocusChart() {
  if (mdiArea()) mdiArea()->setActiveSubWindow(this);
  Song->setFocus();
}

void SongWindow::Form_Resize() {
  if (isMinimized()) return;
  const double height = scale_.Twips(this->height());
  const double width = scale_.Twips(this->width());
  QSize box = Song->size();
  if (height > 500) box.setHeight(scale_.Px(height - 120));
  if (width > 200) box.setWidth(scale_.Px(width - 120));
  Song->resize(box);
}

void SongWindow::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  Form_Resize();
}

bool SongWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Song && event->type() == QEvent::KeyPress && onKeyPress) {
    const std::optional<char32_t> typed = TypedCharacter(static_cast<QKeyEvent*>(event));
    if (typed && !onKeyPress(*typed)) return true;
  }
  // Characters composed through an input method (dead keys, other scripts) are typed too.
  if (watched == Song && event->type() == QEvent::InputMethod && onKeyPress) {
    for (const uint c : static_cast<QInputMethodEvent*>(event)->commitString().toUcs4())
      if (!onKeyPress(static_cast<char32_t>(c))) return true;
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

void SongWindow::closeEvent(QCloseEvent* event) {
  // The song window lives as long as the program; the main window's shut-down closes it.
  event->ignore();
}

}  // namespace vamplet
