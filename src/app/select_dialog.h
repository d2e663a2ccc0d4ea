// The song selection dialog: the titles of the songs, sorted, from which the user picks one.
#pragma once

#include <QDialog>
#include <memory>

#include "songs/song_collection.h"

class QListWidget;
class QPushButton;

namespace vamplet {

// Lifecycle: constructing the dialog loads it and builds its list; hiding it keeps the
// list; deleting it is how its owner discards the list (SongDisplay::DiscardSelectionList).
// The main window is its Qt parent, so whatever holds it must be destroyed before the main
// window's QWidget part: a member of the main window itself, for instance.
// The only ways to close it are OK and a double-click on an entry: Escape, Enter outside the
// OK button and the window manager's close request are ignored, because a click has already made its song current
// and a "cancel" could not give the earlier song back.
class SelectDialog : public QDialog {
  Q_OBJECT

 public:
  SelectDialog(SongCollection& songs, QWidget* mainWindow);

  // What the main window's Title button does: loads the dialog into `dialog` when it is
  // not loaded, shows it modally, then shows the song that is current afterwards. That
  // ShowSong may discard the list (through `dialog`) when the title on display changes.
  static void btnTitle_Click(std::unique_ptr<SelectDialog>& dialog, SongCollection& songs,
                             QWidget* mainWindow);

  void SongList_Click();
  void SongList_DblClick();
  void btnExit_Click();

  QListWidget* SongList = nullptr;
  QPushButton* btnExit = nullptr;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Form_Load();
  void Form_Activate();

  SongCollection& songs_;
  QWidget* mainWindow_;
};

}  // namespace vamplet
