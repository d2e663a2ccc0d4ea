// The song selection dialog: layout in twips, the sorted list, centring and the picks.
#include "app/select_dialog.h"

#include <QFont>
#include <QKeyEvent>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <cmath>

#include "songs/song_editor.h"

namespace vamplet {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int TwipsToX(const QWidget& w, double twips) {
  return static_cast<int>(std::lround(twips * w.logicalDpiX() / kTwipsPerInch));
}
int TwipsToY(const QWidget& w, double twips) {
  return static_cast<int>(std::lround(twips * w.logicalDpiY() / kTwipsPerInch));
}
QRect TwipsRect(const QWidget& w, double left, double top, double width, double height) {
  return {TwipsToX(w, left), TwipsToY(w, top), TwipsToX(w, width), TwipsToY(w, height)};
}

QFont ControlFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  font.setBold(true);
  return font;
}

}  // namespace

SelectDialog::SelectDialog(SongCollection& songs, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      songs_(songs),
      mainWindow_(mainWindow) {
  setWindowTitle(QStringLiteral("Select song"));
  setModal(true);
  setSizeGripEnabled(false);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  // The twip sizes are taken as the inside of the dialog, so the OK button stays whole
  // whatever frame the window manager adds.
  setFixedSize(TwipsToX(*this, 5085), TwipsToY(*this, 6015));

  SongList = new QListWidget(this);
  SongList->setObjectName(QStringLiteral("SongList"));
  SongList->setGeometry(TwipsRect(*this, 240, 120, 4575, 5130));
  SongList->setFont(ControlFont());
  SongList->setSelectionMode(QAbstractItemView::SingleSelection);

  btnExit = new QPushButton(QStringLiteral("OK"), this);
  btnExit->setObjectName(QStringLiteral("btnExit"));
  btnExit->setGeometry(TwipsRect(*this, 2160, 5520, 735, 375));
  btnExit->setFont(ControlFont());
  // OK is no default button: Qt would otherwise make it one when the dialog shows, and
  // Enter in the list would close the dialog.
  btnExit->setAutoDefault(false);
  btnExit->setDefault(false);

  // A selection made with the keyboard picks the song just as a click does. Selection,
  // not the current row: focus alone makes a row current without the user choosing it.
  connect(SongList, &QListWidget::itemSelectionChanged, this, [this] { SongList_Click(); });
  connect(SongList, &QListWidget::itemDoubleClicked, this, [this] { SongList_DblClick(); });
  connect(btnExit, &QPushButton::clicked, this, [this] { btnExit_Click(); });

  Form_Load();
}

void SelectDialog::btnTitle_Click(std::unique_ptr<SelectDialog>& dialog, SongCollection& songs,
                                  QWidget* mainWindow) {
  if (!dialog) dialog = std::make_unique<SelectDialog>(songs, mainWindow);
  dialog->exec();
  songs.ShowSong();
}

void SelectDialog::Form_Load() {
  const std::vector<SongListEntry> entries = SongEditor(songs_).BuildSongList();
  for (const SongListEntry& entry : entries) {
    auto* item = new QListWidgetItem(QString::fromStdU32String(entry.Title), SongList);
    item->setData(Qt::UserRole, static_cast<int>(entry.Index));
  }
}

void SelectDialog::Form_Activate() {
  if (mainWindow_ != nullptr) {
    const QRect main = mainWindow_->frameGeometry();
    const QRect self = frameGeometry();
    const int top = static_cast<int>(
        std::lround(main.top() + main.height() / 2.0 - self.height() / 2.0));
    const int left = static_cast<int>(
        std::lround(main.left() + main.width() / 2.0 - self.width() / 2.0));
    move(left, top);
  }
  const int current = songs_.CurrentSong;
  if (current < 0 || current >= static_cast<int>(songs_.Songs.size())) return;
  const int row = songs_.Songs[current].ListIndex;
  if (row < 0 || row >= SongList->count()) return;
  {
    const QSignalBlocker quiet(SongList);
    SongList->setCurrentRow(row);
  }
  SongList_Click();
}

void SelectDialog::SongList_Click() {
  const QList<QListWidgetItem*> selected = SongList->selectedItems();
  if (selected.isEmpty()) return;
  const int index = selected.front()->data(Qt::UserRole).toInt();
  if (index < 1 || index > songs_.SongCount) return;
  songs_.CurrentSong = static_cast<int16_t>(index);
}

void SelectDialog::SongList_DblClick() {
  SongList_Click();
  done(QDialog::Accepted);
}

void SelectDialog::btnExit_Click() { done(QDialog::Accepted); }

void SelectDialog::reject() {}

void SelectDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // A focused button is pressed by Enter, as on any dialog.
    if (focusWidget() == btnExit) btnExit->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void SelectDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) Form_Activate();
}

}  // namespace vamplet
