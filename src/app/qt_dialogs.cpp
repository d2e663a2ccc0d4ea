// The dialog seam over QMessageBox, the override cursor and QFileDialog.
#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/qt_text.h"

namespace vamplet {

QtDialogs::~QtDialogs() {
  if (hourglass_) QApplication::restoreOverrideCursor();
}

QWidget* QtDialogs::Parent() const { return parent_ ? parent_ : QApplication::activeWindow(); }

MsgAnswer QtDialogs::MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                                MsgIcon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
  switch (icon) {
    case MsgIcon::None: qtIcon = QMessageBox::NoIcon; break;
    case MsgIcon::Question: qtIcon = QMessageBox::Question; break;
    case MsgIcon::Warning: qtIcon = QMessageBox::Warning; break;
    case MsgIcon::Critical: qtIcon = QMessageBox::Critical; break;
    case MsgIcon::Information: qtIcon = QMessageBox::Information; break;
  }
  const QMessageBox::StandardButtons qtButtons =
      buttons == MsgButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
  QMessageBox box(qtIcon, ToQString(caption.empty() ? kAppCaption : caption), ToQString(text),
                  qtButtons, Parent());
  // A box asked for while the hourglass is on must still show the arrow.
  const bool busy = hourglass_;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = box.exec();
  if (busy) QApplication::restoreOverrideCursor();
  if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void QtDialogs::SetHourglass(bool on) {
  if (on == hourglass_) return;
  hourglass_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

QStringList QtDialogs::NameFilters(const Text& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    // The description is shown as it is; Qt takes the patterns from the last parentheses.
    filters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
  }
  return filters;
}

std::optional<Text> QtDialogs::FileDialog(FileDialogMode mode, const Text& initialDir,
                                          const Text& filter, int filterIndex) {
  QFileDialog dialog(Parent(), QString(), ToQString(initialDir));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(mode == FileDialogMode::Save ? QFileDialog::AcceptSave
                                                    : QFileDialog::AcceptOpen);
  // A typed name that does not exist reaches the open command, which says it was not found.
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = NameFilters(filter);
  dialog.setNameFilters(filters);
  if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
  const bool busy = hourglass_;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (busy) QApplication::restoreOverrideCursor();
  if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(dialog.selectedFiles().constFirst());
}

}  // namespace vamplet
