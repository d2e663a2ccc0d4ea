// The main window: its menus, strip and song window, wired to the program's module.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QSessionManager>
#include <QVBoxLayout>

#include "app/qt_text.h"

// The pictures are compiled into a static library, whose resources register only on request.
static void InitResources() { Q_INIT_RESOURCE(vamplet); }

namespace vamplet {

namespace {

TwipScale ScaleFor(double dotsPerInch) {
  return dotsPerInch > 0 ? TwipScale(dotsPerInch) : TwipScale::ForScreenOf(nullptr);
}

QAction* AddItem(QMenu* menu, const QString& caption, const std::function<void()>& click) {
  QAction* action = menu->addAction(caption);
  QObject::connect(action, &QAction::triggered, action, [click] { click(); });
  return action;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, MidiOutService& midiService, PlayClock& clock,
                       MainWindowOptions windowOptions)
    : options(std::move(windowOptions)),
      scale_(ScaleFor(options.dotsPerInch)),
      songDisplay_(*this),
      portMenu_(*this),
      settingsDisplay_(*this),
      playControls_(*this),
      shell_(*this, options.splashMs, options.exitProcess) {
  InitResources();
  setObjectName(QStringLiteral("mdiRifflo"));
  setWindowTitle(QStringLiteral("Vamplet"));
  QIcon icon;
  for (const int size : {32, 48, 64, 128})
    icon.addFile(QStringLiteral(":/vamplet/vamplet-%1.png").arg(size), QSize(size, size));
  setWindowIcon(icon);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Strip = new KeyStrip(scale_, central);
  Mdi = new QMdiArea(central);
  Mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(Strip);
  layout->addWidget(Mdi, 1);
  setCentralWidget(central);
  frmSong = new SongWindow(scale_);
  Mdi->addSubWindow(frmSong);
  frmSong->hide();

  app_ = std::make_unique<Vamplet>(Seams{dialogs, songDisplay_, *frmSong, *Strip, portMenu_,
                                         settingsDisplay_, playControls_, clock, midiService,
                                         shell_});
  createActions();
  createMenus();
  connectControls();
  updateActions();
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions() {
  Vamplet& app = *app_;
  mnuFile = new QMenu(QStringLiteral("File"), this);
  mnuFileNew = AddItem(mnuFile, QStringLiteral("New chord file"), [&app] { app.files.mnuFileNew_Click(); });
  mnuFileOpen = AddItem(mnuFile, QStringLiteral("Open chord file..."), [&app] { app.files.mnuFileOpen_Click(); });
  mnuFileSave = AddItem(mnuFile, QStringLiteral("Save chord file..."), [&app] { app.files.mnuFileSave_Click(); });
  mnuFileSaveAs = AddItem(mnuFile, QStringLiteral("Save chord file as..."), [&app] { app.files.mnuFileSaveAs_Click(); });
  mnuFile->addSeparator();
  // Exit closes the main window, which runs the shut-down like every other way of closing.
  mnuFileExit = AddItem(mnuFile, QStringLiteral("Exit"), [this] { close(); });

  mnuSong = new QMenu(QStringLiteral("Song"), this);
  mnuSongAdd = AddItem(mnuSong, QStringLiteral("Add song"), [&app] { app.editor.mnuSongAdd_Click(); });
  mnuSongDelete = AddItem(mnuSong, QStringLiteral("Delete song"), [&app] { app.editor.mnuSongDelete_Click(); });

  mnuSet = new QMenu(QStringLiteral("Settings"), this);
  mnuSetPortChords = mnuSet->addMenu(QStringLiteral("Midi port for chords"));
  mnuSetChannelChords = mnuSet->addMenu(QStringLiteral("Midi channel for chords"));
  mnuSetChord = mnuSet->addMenu(QStringLiteral("Chord fingering"));
  mnuSetText = mnuSet->addMenu(QStringLiteral("Text size"));
  mnuSetChordItems = {
      AddItem(mnuSetChord, QStringLiteral("Full fingered"), [&app] { app.mnuSetChordFull_Click(); }),
      AddItem(mnuSetChord, QStringLiteral("Three fingers"), [&app] { app.mnuSetChordThree_Click(); }),
      AddItem(mnuSetChord, QStringLiteral("Three fingers inverted"), [&app] { app.mnuSetChordInverted_Click(); }),
      AddItem(mnuSetChord, QStringLiteral("Single finger (Yamaha)"), [&app] { app.mnuSetChordYamaha_Click(); }),
      AddItem(mnuSetChord, QStringLiteral("Single finger (Roland)"), [&app] { app.mnuSetChordRoland_Click(); }),
  };
  for (QAction* item : mnuSetChordItems) item->setCheckable(true);
  // The design elements 0 of the control arrays; start-up captions them.
  AddMenuItem(mnuSetPortChords, mnuChordsPort, [&app](int i) { app.midi.mnuChordsPort_Click(i); });
  AddMenuItem(mnuSetChannelChords, mnuChordsChannel, [&app](int i) { app.midi.mnuChordsChannel_Click(i); });
  AddMenuItem(mnuSetText, mnuText, [&app](int i) { app.mnuText_Click(i); });

  mnuHelp = new QMenu(QStringLiteral("Help"), this);
  mnuHelpContents = AddItem(mnuHelp, QStringLiteral("Contents..."), [&app] { app.mnuHelpContents_Click(); });
  mnuHelpUsing = AddItem(mnuHelp, QStringLiteral("Using help"), [&app] { app.mnuHelpUsing_Click(); });
  mnuHelpAbout = AddItem(mnuHelp, QStringLiteral("About Vamplet"), [&app] { app.mnuHelpAbout_Click(); });
  mnuHelpUninstall = AddItem(mnuHelp, QStringLiteral("Uninstall..."), [&app] { app.mnuHelpUninstall_Click(); });
}

void MainWindow::createMenus() {
  for (QMenu* menu : {mnuFile, mnuSong, mnuSet, mnuHelp}) menuBar()->addMenu(menu);
}

QAction* MainWindow::AddMenuItem(QMenu* menu, std::vector<QAction*>& items,
                                 std::function<void(int)> click) {
  const int index = static_cast<int>(items.size());
  QAction* action = menu->addAction(QString());
  action->setCheckable(true);
  connect(action, &QAction::triggered, this, [click, index] { click(index); });
  items.push_back(action);
  return action;
}

void MainWindow::connectControls() {
  Vamplet& app = *app_;
  KeyStrip& strip = *Strip;
  connect(strip.btnPlay, &QPushButton::clicked, this, [&app] { app.player.btnPlay_Click(); });
  connect(strip.btnTitle, &QPushButton::clicked, this,
          [this, &app] { SelectDialog::btnTitle_Click(selectDialog, app.songs, this); });
  connect(strip.Title, &QLineEdit::textChanged, this,
          [&app](const QString& text) { app.editor.Title_Change(FromQString(text)); });
  connect(strip.Composer, &QLineEdit::textChanged, this,
          [&app](const QString& text) { app.editor.Composer_Change(FromQString(text)); });
  connect(strip.Style, &QLineEdit::textChanged, this,
          [&app](const QString& text) { app.editor.Style_Change(FromQString(text)); });
  connect(strip.Info, &QLineEdit::textChanged, this,
          [&app](const QString& text) { app.editor.Info_Change(FromQString(text)); });
  frmSong->onChange = [&app](const Text& chart) { app.editor.Song_Change(chart); };
  frmSong->onKeyPress = [&app](char32_t typed) { return app.player.Song_KeyPress(typed); };

  const auto bindBox = [this](QCheckBox* box, int16_t Settings::*value) {
    connect(box, &QCheckBox::toggled, this,
            [this, value](bool on) { app_->settings.*value = on ? kChecked : kUnchecked; });
  };
  bindBox(strip.Chords, &Settings::Chords);
  bindBox(strip.Repeat, &Settings::Repeat);
  bindBox(strip.Intro, &Settings::Intro);
  bindBox(strip.Fill, &Settings::Fill);

  strip.Tempo->onPress = [&app](float y) { app.drag.Tempo_MouseDown(y); };
  strip.Tempo->onMove = [&app](float y) { app.drag.Tempo_MouseMove(y); };
  strip.Tempo->onRelease = [&app](float y) { app.drag.Tempo_MouseUp(y); };
  strip.Beats->onPress = [&app](float y) { app.drag.Beats_MouseDown(y); };
  strip.Beats->onMove = [&app](float y) { app.drag.Beats_MouseMove(y); };
  strip.Beats->onRelease = [&app](float y) { app.drag.Beats_MouseUp(y); };

  // A session that ends, or a quit from elsewhere, shuts down like the close box.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [&app](QSessionManager& manager) {
    manager.allowsInteraction();
    app.MDIForm_Unload();
  });
  connect(qApp, &QCoreApplication::aboutToQuit, this, [&app] { app.MDIForm_Unload(); });
}

void MainWindow::updateActions() {
  const bool enabled = playControlsEnabled;
  for (QMenu* menu : {mnuFile, mnuSong, mnuSet, mnuHelp}) menu->menuAction()->setEnabled(enabled);
  for (QWidget* control : std::initializer_list<QWidget*>{
           Strip->btnTitle, Strip->Repeat, Strip->Fill, Strip->Intro, Strip->Title,
           Strip->Composer, Strip->Chords, Strip->Beats, Strip->Style, Strip->Info})
    control->setEnabled(enabled);
}

void MainWindow::Load() { app_->MDIForm_Load(); }

void MainWindow::Load(const Text& workingDir) { app_->MDIForm_Load(workingDir); }

void MainWindow::closeEvent(QCloseEvent* event) {
  app_->MDIForm_Unload();
  event->accept();
}

}  // namespace vamplet
