// The main window on fakes: start-up on the real widgets, the menu bar, the keyboard, Play and
// Stop, the typing lock, the file commands, the settings menus and the shut-down.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QElapsedTimer>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <fstream>
#include <functional>
#include <memory>

#include "app/about_box.h"
#include "app/logic/settings_file.h"
#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "app/value_label.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_midi_out_service.h"
#include "fakes/fake_settings_display.h"
#include "platform/qt/qt_play_clock.h"
#include "player/virtual_clock.h"

namespace vamplet {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void firstStartInAnEmptyDirectory();
  void startWithSettingsAndChordFile();
  void menuBarAsDesigned();
  void keyboardGeometry_data();
  void keyboardGeometry();
  void markersSitOnTheirKeysInFront();
  void playThenStop();
  void playsOnTheRealWaitUntilStop();
  void typingDuringPlayback();
  void editsDuringPlaybackAreSafe();
  void helpWithoutAHelpFileShowsNoMessage();
  void fileCommandsAskThroughTheSeam();
  void titleButtonPicksASongAndSongMenuDiscardsTheList();
  void fingeringAndTextSizeMenus();
  void tempoDragWritesTheSongAndCaption();
  void closingAsksThenWritesSettingsThenQuits();
  void closingDuringPlaybackStopsTheKeyboard();
  void aboutBoxSplashAndNonstop();
  void fileDialogFilters();
  void everyControlHasAnAccessibleName();

 private:
  MainWindow& Start();
  void WriteFile(const QString& name, const std::string& content);
  void StoreSettings(const std::function<void(Settings&)>& change);
  Text Dir() const { return FromQString(dir_->path()); }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<test::FakeDialogs> dialogs_;
  std::unique_ptr<test::FakeMidiOutService> midi_;
  std::unique_ptr<VirtualClock> clock_;
  std::unique_ptr<QtPlayClock> realClock_;
  std::unique_ptr<MainWindow> window_;
  int quits_ = 0;
  size_t callsAtQuit_ = 0;
};

namespace {

const std::string kChordFile =
    "T:Blue song\r\nC:Someone\r\nB:4\r\nQ:120\r\nR:Swing\r\nI:Slow\r\n.C|F|G|C|\r\nT:Next\r\n";

}  // namespace

void MainWindowTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  dialogs_ = std::make_unique<test::FakeDialogs>();
  midi_ = std::make_unique<test::FakeMidiOutService>();
  midi_->names = {"Vamplet built-in synthesizer", "USB keyboard"};
  clock_ = std::make_unique<VirtualClock>();
  realClock_.reset();
  quits_ = 0;
}

void MainWindowTest::cleanup() {
  window_.reset();
  dir_.reset();
}

MainWindow& MainWindowTest::Start() {
  MainWindowOptions options;
  options.splashMs = 0;
  options.exitProcess = [this] {
    ++quits_;
    callsAtQuit_ = midi_->calls.size();
  };
  options.dotsPerInch = 96;
  window_ = std::make_unique<MainWindow>(
      *dialogs_, *midi_, realClock_ ? static_cast<PlayClock&>(*realClock_) : *clock_, options);
  window_->Load(Dir());
  return *window_;
}

void MainWindowTest::WriteFile(const QString& name, const std::string& content) {
  std::ofstream(dir_->filePath(name).toStdString(), std::ios::binary) << content;
}

void MainWindowTest::StoreSettings(const std::function<void(Settings&)>& change) {
  Settings settings;
  settings.ProgramDir = Dir() + U"/";
  change(settings);
  QVERIFY(WriteSettings(settings).empty());
}

void MainWindowTest::firstStartInAnEmptyDirectory() {
  MainWindow& w = Start();
  KeyStrip& strip = *w.Strip;
  QCOMPARE(w.windowTitle(), QStringLiteral("Vamplet"));
  QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
  QCOMPARE(w.size(), QSize(800, 600));  // 12000 x 9000 twips at 96 dots per inch
  for (QLineEdit* box : {strip.Title, strip.Composer, strip.Style, strip.Info})
    QVERIFY(box->text().isEmpty());
  QCOMPARE(strip.Beats->text(), QStringLiteral("4"));
  QCOMPARE(strip.Tempo->text(), QStringLiteral("120"));
  QCOMPARE(w.frmSong->Song->toPlainText(), QString());
  QCOMPARE(w.App().songs.SongCount, 1);
  for (QCheckBox* box : {strip.Chords, strip.Repeat, strip.Intro, strip.Fill})
    QVERIFY(!box->isChecked());
  QCOMPARE(w.mnuChordsPort[0]->text(), QStringLiteral("Device not enabled"));
  QVERIFY(w.mnuChordsPort[0]->isChecked());
  QVERIFY(!w.mnuChordsPort[1]->isChecked());
  QCOMPARE(w.mnuChordsChannel.size(), size_t{16});
  QVERIFY(w.mnuChordsChannel[0]->isChecked());
  for (QAction* item : w.mnuText) QVERIFY(!item->isChecked());
  QCOMPARE(strip.btnPlay->text(), QStringLiteral("PLay"));
  QVERIFY(w.frmSong->isMaximized());
  QCOMPARE(w.frmSong->Song->font().pointSizeF(), 14.25);
  QVERIFY(strip.Title->hasFocus() || !w.isActiveWindow());
}

void MainWindowTest::startWithSettingsAndChordFile() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  StoreSettings([](Settings& s) {
    s.ChordPort = 2;
    s.ChordChannel = 3;
    s.Fingering = 1;
    s.TextSize = 28;
    s.Intro = 1;
    s.Fill = 0;
    s.Chords = 1;
    s.Repeat = 1;
  });
  MainWindow& w = Start();
  KeyStrip& strip = *w.Strip;
  QCOMPARE(strip.Title->text(), QStringLiteral("Blue song"));
  QCOMPARE(strip.Composer->text(), QStringLiteral("Someone"));
  QCOMPARE(strip.Style->text(), QStringLiteral("Swing"));
  QCOMPARE(strip.Info->text(), QStringLiteral("Slow"));
  QCOMPARE(w.frmSong->Song->toPlainText(), QStringLiteral(".C|F|G|C|"));
  QVERIFY(!w.App().songs.FileChanged);
  QCOMPARE(w.mnuChordsPort[2]->text(), QStringLiteral("USB keyboard"));
  QVERIFY(w.mnuChordsPort[2]->isChecked());
  QCOMPARE(midi_->DeviceOf(w.App().midi.ChordOut), 1);
  QVERIFY(w.mnuChordsChannel[3]->isChecked());
  QVERIFY(w.mnuSetChordItems[1]->isChecked());
  QVERIFY(w.mnuText[5]->isChecked());
  // The stored size is only checked; the chart keeps its design size.
  QCOMPARE(w.frmSong->Song->font().pointSizeF(), 14.25);
  QVERIFY(strip.Intro->isChecked() && !strip.Fill->isChecked() && strip.Chords->isChecked() &&
          strip.Repeat->isChecked());
}

void MainWindowTest::menuBarAsDesigned() {
  MainWindow& w = Start();
  // Captions in order; "-" a separator, "> " a submenu's items follow it indented.
  std::function<QStringList(QMenu*, const QString&)> list = [&list](QMenu* menu,
                                                                    const QString& indent) {
    QStringList out;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        out << indent + QLatin1Char('-');
        continue;
      }
      out << indent + action->text();
      if (!action->shortcut().isEmpty()) out << QStringLiteral("shortcut!");
      if (action->menu() && (action->text() == QLatin1String("Chord fingering")))
        out << list(action->menu(), indent + QStringLiteral("> "));
    }
    return out;
  };
  QStringList bar;
  for (QAction* action : w.menuBar()->actions()) bar << action->text();
  QCOMPARE(bar, (QStringList{"File", "Song", "Settings", "Help"}));
  QCOMPARE(list(w.mnuFile, {}), (QStringList{"New chord file", "Open chord file...",
                                             "Save chord file...", "Save chord file as...", "-",
                                             "Exit"}));
  QCOMPARE(list(w.mnuSong, {}), (QStringList{"Add song", "Delete song"}));
  QCOMPARE(list(w.mnuSet, {}),
           (QStringList{"Midi port for chords", "Midi channel for chords", "Chord fingering",
                        "> Full fingered", "> Three fingers", "> Three fingers inverted",
                        "> Single finger (Yamaha)", "> Single finger (Roland)", "Text size"}));
  QCOMPARE(list(w.mnuHelp, {}),
           (QStringList{"Contents...", "Using help", "About Vamplet", "Uninstall..."}));
  QStringList sizes;
  for (QAction* item : w.mnuText) sizes << item->text();
  QCOMPARE(sizes, (QStringList{"8", "10", "12", "14", "20", "28", "36", "56"}));
  QCOMPARE(w.mnuChordsChannel[15]->text(), QStringLiteral("16"));
}

void MainWindowTest::keyboardGeometry_data() {
  QTest::addColumn<int>("note");
  QTest::addColumn<QRect>("pixels");  // at 96 dots per inch, 15 twips to the pixel
  QTest::addColumn<bool>("black");
  QTest::newRow("C 36") << 36 << QRect(-1, 0, 22, 127) << false;   // left -15, 327 x 1905
  QTest::newRow("C# 37") << 37 << QRect(15, 0, 11, 64) << true;    // 223, 163.5 x 952.5
  QTest::newRow("E 40") << 40 << QRect(40, 0, 22, 127) << false;   // 599
  QTest::newRow("F# 42") << 42 << QRect(76, 0, 11, 64) << true;    // 1144
  QTest::newRow("C 48") << 48 << QRect(142, 0, 22, 127) << false;  // 2134
  QTest::newRow("A# 58") << 58 << QRect(260, 0, 11, 64) << true;   // 3907
  QTest::newRow("B 59") << 59 << QRect(265, 0, 22, 127) << false;  // 3976
}

void MainWindowTest::keyboardGeometry() {
  QFETCH(int, note);
  QFETCH(QRect, pixels);
  QFETCH(bool, black);
  MainWindow& w = Start();
  QLabel* key = w.Strip->Key(note);
  QVERIFY(key);
  QCOMPARE(key->geometry(), pixels);
  QVERIFY(key->isVisible());
  QCOMPARE(key->palette().color(QPalette::Window) == QColor(Qt::black), black);
  QCOMPARE(KeyColour(static_cast<int16_t>(note)) == 0, black);
}

void MainWindowTest::markersSitOnTheirKeysInFront() {
  MainWindow& w = Start();
  KeyStrip& strip = *w.Strip;
  for (int i = 0; i < kMarkerCount; ++i) QVERIFY(!strip.KeyActive(i)->isVisible());
  strip.ShowActiveKey(36, 0);  // left 80, top 1250
  strip.ShowActiveKey(37, 2);  // left 238, top 597.5
  QCOMPARE(strip.KeyActive(0)->geometry(), QRect(5, 83, 9, 17));
  QCOMPARE(strip.KeyActive(2)->geometry(), QRect(16, 40, 9, 17));
  QCOMPARE(strip.KeyActive(0)->palette().color(QPalette::Window), QColor(0, 255, 0));
  QVERIFY(strip.KeyActive(0)->isVisible() && strip.KeyActive(2)->isVisible());
  QVERIFY(!strip.KeyActive(1)->isVisible());
  // Front to back: markers, black keys, white keys (later siblings paint over earlier ones).
  const QObjectList& stack = strip.KeyActive(0)->parentWidget()->children();
  QVERIFY(stack.indexOf(strip.KeyActive(2)) > stack.indexOf(strip.Key(37)));
  QVERIFY(stack.indexOf(strip.Key(58)) > stack.indexOf(strip.Key(36)));
  QVERIFY(stack.indexOf(strip.Key(37)) > stack.indexOf(strip.Key(59)));
  strip.HideMarkers();
  QVERIFY(!strip.KeyActive(0)->isVisible() && !strip.KeyActive(2)->isVisible());
  QCOMPARE(strip.KeyActive(0)->geometry(), QRect(5, 83, 9, 17));
}

void MainWindowTest::playThenStop() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  StoreSettings([](Settings& s) {
    s.ChordPort = 1;
    s.Chords = 1;
    s.Intro = 0;
  });
  MainWindow& w = Start();
  KeyStrip& strip = *w.Strip;
  w.frmSong->SelectChart(0, 0);
  QString highlighted;
  QString caption;
  bool locked = false;
  bool beatsGreyed = false;
  int markers = 0;
  // 2.5 seconds in, at 120 beats a minute: the second measure ("F") sounds.
  clock_->StopAt(2500, [&] {
    highlighted = w.frmSong->Song->textCursor().selectedText();
    caption = strip.btnPlay->text();
    locked = !w.mnuFile->menuAction()->isEnabled() && !w.mnuSong->menuAction()->isEnabled() &&
             !w.mnuSet->menuAction()->isEnabled() && !w.mnuHelp->menuAction()->isEnabled() &&
             !strip.btnTitle->isEnabled() && !strip.Title->isEnabled() &&
             !strip.Composer->isEnabled() && !strip.Style->isEnabled() &&
             !strip.Info->isEnabled() && !strip.Beats->isEnabled() &&
             !strip.Chords->isEnabled() && !strip.Repeat->isEnabled() &&
             !strip.Intro->isEnabled() && !strip.Fill->isEnabled() && strip.Tempo->isEnabled() &&
             strip.btnPlay->isEnabled();
    beatsGreyed = strip.Beats->palette().color(QPalette::Disabled, QPalette::WindowText) !=
                  strip.Tempo->palette().color(QPalette::Active, QPalette::WindowText);
    for (int i = 0; i < kMarkerCount; ++i) markers += strip.KeyActive(i)->isVisible() ? 1 : 0;
    QTest::mouseClick(strip.btnPlay, Qt::LeftButton);
  });

  QTest::mouseClick(strip.btnPlay, Qt::LeftButton);

  QCOMPARE(highlighted, QStringLiteral("F"));
  QCOMPARE(caption, QStringLiteral("Stop"));
  QVERIFY(locked);
  QVERIFY(beatsGreyed);
  QCOMPARE(markers, 3);
  QCOMPARE(strip.btnPlay->text(), QStringLiteral("Play"));
  QVERIFY(w.mnuFile->menuAction()->isEnabled() && strip.Title->isEnabled() &&
          strip.Beats->isEnabled() && strip.Fill->isEnabled());
  for (int i = 0; i < kMarkerCount; ++i) QVERIFY(!strip.KeyActive(i)->isVisible());
  const std::vector<test::MidiCall> sent = midi_->CallsOf("ShortMsg");
  QVERIFY(!sent.empty());
  QCOMPARE(sent.back().message, 0xFCu);
  // The caret is back where it was.
  QCOMPARE(w.frmSong->SelStart(), 0);
  QCOMPARE(w.frmSong->SelLength(), 0);
}

void MainWindowTest::playsOnTheRealWaitUntilStop() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  StoreSettings([](Settings& s) {
    s.ChordPort = 1;
    s.Intro = 0;
  });
  realClock_ = std::make_unique<QtPlayClock>();
  MainWindow& w = Start();
  QElapsedTimer elapsed;
  elapsed.start();
  // The Stop click comes through the event loop that the wait runs.
  QTimer::singleShot(300, w.Strip->btnPlay, [&w] { w.Strip->btnPlay->click(); });
  QTest::mouseClick(w.Strip->btnPlay, Qt::LeftButton);
  QVERIFY(elapsed.elapsed() < 2000);
  QVERIFY(!w.App().player.Playing);
  int clocks = 0;
  for (const test::MidiCall& call : midi_->CallsOf("ShortMsg")) clocks += call.message == 0xF8u;
  // 300 ms at 120 beats a minute is about 14 clocks of 20.8 ms; a busy machine may give fewer.
  QVERIFY2(clocks >= 3 && clocks <= 20, qPrintable(QString::number(clocks)));
  QCOMPARE(midi_->CallsOf("ShortMsg").back().message, 0xFCu);
}

void MainWindowTest::typingDuringPlayback() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  MainWindow& w = Start();
  QPlainTextEdit* song = w.frmSong->Song;
  w.frmSong->SelectChart(0, 0);
  clock_->StopAt(1000, [&] {
    QTextCursor end = song->textCursor();
    end.movePosition(QTextCursor::End);
    song->setTextCursor(end);
    QTest::keyClicks(song, QStringLiteral("x!\""));
    QTest::keyClick(song, Qt::Key_Backspace);
    QTest::keyClick(song, Qt::Key_Return);
    QTest::keyClick(song, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(song, Qt::Key_Left);  // moves, types nothing
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(song, &composed);
    QTest::mouseClick(w.Strip->btnPlay, Qt::LeftButton);
  });
  QTest::mouseClick(w.Strip->btnPlay, Qt::LeftButton);

  QCOMPARE(song->toPlainText(), QStringLiteral(".C|F|G|C|!\""));
  QVERIFY(w.App().songs.Songs[1].SongText == Text(U".C|F|G|C|!\""));
  // Not playing, every key types again.
  QTest::keyClicks(song, QStringLiteral("x"));
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("\u00e9"));
  QApplication::sendEvent(song, &composed);
  QVERIFY(song->toPlainText().contains(QStringLiteral("x\u00e9")));
}

void MainWindowTest::editsDuringPlaybackAreSafe() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  MainWindow& w = Start();
  QPlainTextEdit* song = w.frmSong->Song;
  w.frmSong->SelectChart(0, 0);
  // Delete types no character, so it edits while the song plays: here the whole chart goes.
  clock_->StopAt(1000, [&] {
    song->selectAll();
    QTest::keyClick(song, Qt::Key_Delete);
  });
  QTest::mouseClick(w.Strip->btnPlay, Qt::LeftButton);
  QVERIFY(!w.App().player.Playing);
  QVERIFY(song->toPlainText().isEmpty());
  QVERIFY(w.App().songs.Songs[1].SongText.empty());
  QCOMPARE(w.Strip->btnPlay->text(), QStringLiteral("Play"));
}

void MainWindowTest::helpWithoutAHelpFileShowsNoMessage() {
  MainWindow& w = Start();
  w.mnuHelpUninstall->trigger();
  QVERIFY(dialogs_->messages.empty());
  QVERIFY(w.helpViewer && w.helpViewer->isVisible());
  // The viewer says in its own window what is missing.
  QVERIFY(w.helpViewer->PageText().contains(QStringLiteral("rifflo.hlp")));
}

void MainWindowTest::fileCommandsAskThroughTheSeam() {
  MainWindow& w = Start();
  QTest::keyClicks(w.Strip->Style, QStringLiteral("Waltz"));
  QVERIFY(w.App().songs.FileChanged);
  QCOMPARE(w.App().songs.Songs[1].Style, Text(U"Waltz"));

  // New, answered No twice: each time the question, no save, a fresh song.
  w.mnuFileNew->trigger();
  w.mnuFileNew->trigger();
  QCOMPARE(dialogs_->messages.size(), size_t{2});
  QVERIFY(dialogs_->messages[1].text == Text(U"Chord file has been changed, save it?"));
  QCOMPARE(dialogs_->messages[1].buttons, MsgButtons::YesNo);
  QCOMPARE(dialogs_->messages[1].icon, MsgIcon::Question);
  QVERIFY(w.Strip->Style->text().isEmpty());

  // Open after a Yes: the save dialog names the file (".crd" appended), then the open
  // dialog is cancelled and the saved collection stays.
  QTest::keyClicks(w.Strip->Title, QStringLiteral("Kept"));
  dialogs_->answers = {MsgAnswer::Yes};
  dialogs_->paths = {Dir() + U"/kept"};
  w.mnuFileOpen->trigger();
  QCOMPARE(dialogs_->fileDialogs.size(), size_t{2});
  QCOMPARE(dialogs_->fileDialogs[0].mode, FileDialogMode::Save);
  QVERIFY(dialogs_->fileDialogs[0].filter == Text(U"All Files (*.*)|*.*|Song Files (*.crd)|*.crd"));
  QCOMPARE(dialogs_->fileDialogs[0].filterIndex, 2);
  QVERIFY(dialogs_->fileDialogs[0].initialDir == Dir() + U"/");
  QCOMPARE(dialogs_->fileDialogs[1].mode, FileDialogMode::Open);
  QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("kept.crd"))));
  QCOMPARE(w.Strip->Title->text(), QStringLiteral("Kept"));
  QVERIFY(!w.App().songs.FileChanged);

  // A name that does not exist: the message, the song on display unchanged.
  dialogs_->paths = {Dir() + U"/gone.crd"};
  w.mnuFileOpen->trigger();
  QVERIFY(dialogs_->messages.back().text == Dir() + U"/gone.crd not found.");
  QCOMPARE(w.Strip->Title->text(), QStringLiteral("Kept"));

  // Open a real file: its first song on display, nothing changed.
  WriteFile(QStringLiteral("gig.crd"), kChordFile);
  dialogs_->paths = {Dir() + U"/gig.crd"};
  w.mnuFileOpen->trigger();
  QCOMPARE(w.Strip->Title->text(), QStringLiteral("Blue song"));
  QVERIFY(!w.App().songs.FileChanged);
}

void MainWindowTest::titleButtonPicksASongAndSongMenuDiscardsTheList() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  MainWindow& w = Start();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<SelectDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->SongList->setCurrentRow(1);  // "Next", after "Blue song"
    dialog->btnExit->click();
  });
  QTest::mouseClick(w.Strip->btnTitle, Qt::LeftButton);
  QCOMPARE(w.Strip->Title->text(), QStringLiteral("Next"));
  QVERIFY(!w.App().songs.FileChanged);
  // The list is kept while hidden (the same title shown again would keep it), and a new song
  // discards it.
  w.mnuSongAdd->trigger();
  QVERIFY(!w.selectDialog);
  QCOMPARE(w.App().songs.SongCount, int16_t{3});
  QVERIFY(w.Strip->Title->text().isEmpty());
  w.mnuSongDelete->trigger();
  QCOMPARE(w.Strip->Title->text(), QStringLiteral("Blue song"));
  QVERIFY(w.App().songs.FileChanged);
}

void MainWindowTest::fingeringAndTextSizeMenus() {
  StoreSettings([](Settings& s) { s.TextSize = 28; });
  MainWindow& w = Start();
  QVERIFY(w.mnuText[5]->isChecked());

  w.mnuText[4]->trigger();
  QCOMPARE(w.App().settings.TextSize, int16_t{20});
  QVERIFY(w.mnuText[4]->isChecked());
  QVERIFY(!w.mnuText[5]->isChecked());
  QCOMPARE(w.frmSong->Song->font().pointSizeF(), 20.0);
  QVERIFY(w.frmSong->Song->font().bold());
  // Clicking the checked size keeps it checked.
  w.mnuText[4]->trigger();
  QVERIFY(w.mnuText[4]->isChecked());

  w.mnuSetChordItems[2]->trigger();
  QCOMPARE(w.App().settings.Fingering, int16_t{2});
  for (size_t i = 0; i < w.mnuSetChordItems.size(); ++i)
    QCOMPARE(w.mnuSetChordItems[i]->isChecked(), i == 2);
  w.mnuChordsChannel[9]->trigger();
  QCOMPARE(w.App().settings.ChordChannel, int16_t{9});
  QVERIFY(!w.mnuChordsChannel[0]->isChecked() && w.mnuChordsChannel[9]->isChecked());
  QVERIFY(!w.App().songs.FileChanged);
}

void MainWindowTest::tempoDragWritesTheSongAndCaption() {
  MainWindow& w = Start();
  ValueLabel* tempo = w.Strip->Tempo;
  // 96 dots per inch: 4 pixels are 60 twips, two steps of the tempo.
  QTest::mousePress(tempo, Qt::LeftButton, {}, QPoint(10, 10));
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 6), tempo->mapToGlobal(QPointF(10, 6)),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(tempo, &move);
  QTest::mouseRelease(tempo, Qt::LeftButton, {}, QPoint(10, 6));
  QCOMPARE(tempo->text(), QStringLiteral("122"));
  QCOMPARE(w.App().songs.Songs[1].Tempo, int16_t{122});
  QVERIFY(w.App().songs.FileChanged);
}

void MainWindowTest::closingAsksThenWritesSettingsThenQuits() {
  MainWindow& w = Start();
  QTest::keyClicks(w.Strip->Info, QStringLiteral("Gig"));
  w.Strip->Repeat->setChecked(true);
  dialogs_->answers = {MsgAnswer::No};
  w.mnuFileExit->trigger();
  QVERIFY(!w.isVisible());
  QCOMPARE(dialogs_->messages.size(), size_t{1});
  QCOMPARE(quits_, 1);
  QCOMPARE(midi_->CallsOf("Close").size(), size_t{2});

  // The settings file holds what the window showed at exit.
  Settings read;
  read.ProgramDir = Dir() + U"/";
  test::FakeSettingsDisplay display(read);
  ReadSettings(read, display);
  QCOMPARE(read.Repeat, kChecked);
  QCOMPARE(read.Chords, kUnchecked);
  // Answered No: nothing saved, and the unnamed collection leaves the default name.
  QVERIFY(read.ChordFileName == Dir() + U"/chords.crd");
  QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("chords.crd"))));
  // The window manager closing it again changes nothing.
  w.close();
  QCOMPARE(quits_, 1);
}

void MainWindowTest::closingDuringPlaybackStopsTheKeyboard() {
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  StoreSettings([](Settings& s) {
    s.ChordPort = 1;
    s.Chords = 1;
  });
  MainWindow& w = Start();
  clock_->StopAt(2500, [&] { w.close(); });
  QTest::mouseClick(w.Strip->btnPlay, Qt::LeftButton);
  QCOMPARE(quits_, 1);
  // Up to the end of the process: three note-offs of the sounding chord and Stop, then the
  // chord port and the mapper close.
  const std::vector<test::MidiCall> calls(midi_->calls.begin(),
                                          midi_->calls.begin() + static_cast<long>(callsAtQuit_));
  QVERIFY(calls.size() >= 6);
  const auto last = calls.end();
  QCOMPARE((last - 1)->op, std::string("Close"));
  QCOMPARE((last - 2)->op, std::string("Close"));
  QCOMPARE((last - 3)->message, 0xFCu);
  for (int i = 4; i <= 6; ++i) QCOMPARE((last - i)->message & 0xF0u, 0x80u);
}

void MainWindowTest::aboutBoxSplashAndNonstop() {
  const auto pressOkAfter = [](int ms) {
    QTimer::singleShot(ms, [] {
      if (auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget()))
        box->Command1->click();
    });
  };
  QWidget main;
  main.setGeometry(100, 100, 800, 600);
  QElapsedTimer elapsed;
  {
    // OK during the splash closes it at once.
    AboutBox box(TwipScale(96), &main);
    QCOMPARE(box.windowTitle(), QStringLiteral("About Brasswick"));
    pressOkAfter(50);
    elapsed.start();
    box.ShowAbout(60000);
    QVERIFY(elapsed.elapsed() < 5000);
    // Centred across the main window, its middle at 1/2.25 of its height.
    const QRect outer = box.frameGeometry();
    QVERIFY(qAbs(outer.x() + outer.width() / 2 - (100 + 400)) <= 1);
    QVERIFY(qAbs(outer.y() + outer.height() / 2 - (100 + 600 / 2.25)) <= 1);
  }
  {
    // Without OK the splash closes itself.
    AboutBox box(TwipScale(96), &main);
    elapsed.start();
    box.ShowAbout(100);
    QVERIFY(elapsed.elapsed() >= 100 && elapsed.elapsed() < 5000);
  }
  {
    // From the Help menu it stays until OK; Escape does not close it.
    AboutBox box(TwipScale(96), &main);
    box.tag = QStringLiteral("nonstop");
    bool openAfterEscape = false;
    QPoint placed;
    QPoint replaced;
    QTimer::singleShot(300, [&] {
      auto* shown = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
      if (!shown) return;
      QTest::keyClick(shown, Qt::Key_Escape);
      openAfterEscape = shown->isVisible();
      // Moved away, the box comes back over the main window when it is activated again.
      placed = shown->pos();
      shown->move(placed + QPoint(70, 40));
      QEvent activate(QEvent::WindowActivate);
      QApplication::sendEvent(shown, &activate);
      replaced = shown->pos();
      shown->Command1->click();
    });
    elapsed.start();
    box.ShowAbout(10);
    QVERIFY(elapsed.elapsed() >= 300);
    QVERIFY(openAfterEscape);
    QCOMPARE(replaced, placed);
  }
}

void MainWindowTest::fileDialogFilters() {
  QtDialogs dialogs;
  QStringList shown;
  QString selected;
  QString directory;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
      for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    selected = dialog->selectedNameFilter();
    directory = dialog->directory().absolutePath();
    dialog->reject();
  });
  const std::optional<Text> path = dialogs.FileDialog(
      FileDialogMode::Open, Dir(), U"All Files (*.*)|*.*|Chord Files (*.crd)|*.crd", 2);
  QVERIFY(!path);  // a cancel
  // The descriptions as given; "*.*" matches every file, as on the system they come from.
  QCOMPARE(shown, (QStringList{"All Files (*.*)", "Chord Files (*.crd)"}));
  QCOMPARE(selected, QStringLiteral("Chord Files (*.crd)"));
  QCOMPARE(directory, dir_->path());
}

void MainWindowTest::everyControlHasAnAccessibleName() {
  ValueLabel::InstallAccessibility();
  WriteFile(QStringLiteral("chords.crd"), kChordFile);
  MainWindow& w = Start();
  for (QWidget* control : w.Strip->findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(control) && !control->isVisible()) continue;
    if (control->parentWidget() != w.Strip->btnPlay->parentWidget()) continue;
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(control);
    QVERIFY2(item && !item->text(QAccessible::Name).isEmpty(),
             qPrintable(control->metaObject()->className()));
  }
  // A button is named by its caption, which playback changes.
  QCOMPARE(QAccessible::queryAccessibleInterface(w.Strip->btnPlay)->text(QAccessible::Name),
           QStringLiteral("PLay"));
  QCOMPARE(w.Strip->Title->accessibleName(), QStringLiteral("Title"));
  QCOMPARE(w.frmSong->Song->accessibleName(), QStringLiteral("Song"));
  QAccessibleInterface* tempo = QAccessible::queryAccessibleInterface(w.Strip->Tempo);
  QVERIFY(tempo && tempo->valueInterface());
  QCOMPARE(tempo->text(QAccessible::Name), QStringLiteral("Tempo"));
  QCOMPARE(tempo->valueInterface()->currentValue().toInt(), 120);
  QCOMPARE(tempo->text(QAccessible::Value), QStringLiteral("120"));
  QCOMPARE(tempo->valueInterface()->maximumValue().toInt(), 250);
}

}  // namespace vamplet

QTEST_MAIN(vamplet::MainWindowTest)
#include "main_window_test.moc"
