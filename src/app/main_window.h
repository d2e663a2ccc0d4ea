// The main window "mdiRifflo": menu bar, the strip "Keyboard" and the MDI area with the song
// window; it owns the program's module and wires the widgets to it.
#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <functional>
#include <memory>
#include <vector>

#include "app/key_strip.h"
#include "app/logic/application.h"
#include "app/qt_seams.h"
#include "app/select_dialog.h"
#include "app/song_window.h"
#include "app/twips.h"
#include "platform/qt/help_viewer.h"

namespace vamplet {

struct MainWindowOptions {
  // How long the About box stays at start-up.
  int splashMs = 2000;
  // Ends the process at the end of the shut-down; a test replaces it.
  std::function<void()> exitProcess;
  // The help file installed with the program, shown when ProgramDir holds none.
  QString installedHelpFile;
  // The screen's logical resolution, when not the real screen's.
  double dotsPerInch = 0;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(Dialogs& dialogs, MidiOutService& midiService, PlayClock& clock,
             MainWindowOptions options);
  ~MainWindow() override;

  // Start-up (MDIForm_Load); returns when the About box has closed.
  void Load();
  void Load(const Text& workingDir);
  Vamplet& App() { return *app_; }
  const TwipScale& Scale() const { return scale_; }

  // Every widget's enabled state, set in one place from the play state.
  void updateActions();

  KeyStrip* Strip;
  QMdiArea* Mdi;
  SongWindow* frmSong;

  QMenu* mnuFile;
  QMenu* mnuSong;
  QMenu* mnuSet;
  QMenu* mnuHelp;
  QMenu* mnuSetPortChords;
  QMenu* mnuSetChannelChords;
  QMenu* mnuSetChord;
  QMenu* mnuSetText;
  QAction* mnuFileNew;
  QAction* mnuFileOpen;
  QAction* mnuFileSave;
  QAction* mnuFileSaveAs;
  QAction* mnuFileExit;
  QAction* mnuSongAdd;
  QAction* mnuSongDelete;
  std::vector<QAction*> mnuSetChordItems;  // Full, Three, Inverted, Yamaha, Roland
  QAction* mnuHelpContents;
  QAction* mnuHelpUsing;
  QAction* mnuHelpAbout;
  QAction* mnuHelpUninstall;
  std::vector<QAction*> mnuChordsPort;
  std::vector<QAction*> mnuChordsChannel;
  std::vector<QAction*> mnuText;

  // Adds item `index` to a control-array submenu; clicking it calls `click(index)`.
  QAction* AddMenuItem(QMenu* menu, std::vector<QAction*>& items,
                       std::function<void(int)> click);

  std::unique_ptr<SelectDialog> selectDialog;
  std::unique_ptr<HelpViewer> helpViewer;
  bool playControlsEnabled = true;
  MainWindowOptions options;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void connectControls();

  TwipScale scale_;
  QtSongDisplay songDisplay_;
  QtPortMenu portMenu_;
  QtSettingsDisplay settingsDisplay_;
  QtPlayControls playControls_;
  QtShell shell_;
  std::unique_ptr<Vamplet> app_;
};

}  // namespace vamplet
