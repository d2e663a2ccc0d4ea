// The core's seams carried out on the main window's widgets.
#include "app/qt_seams.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/qt_text.h"

namespace vamplet {

namespace {

// Writing a box raises its change handler only when its text changes, as a text box does.
void SetBox(QLineEdit* box, const Text& text) {
  const QString value = ToQString(text);
  if (box->text() == value) return;
  box->setText(value);
  // A long value shows its beginning, as a box that was just filled does.
  box->setCursorPosition(0);
}

void SetItem(QMenu* menu, std::vector<QAction*>& items, int index, const Text& caption,
             MainWindow& window, const std::function<void(int)>& click) {
  if (index < 0) return;
  while (static_cast<int>(items.size()) <= index) window.AddMenuItem(menu, items, click);
  items[static_cast<size_t>(index)]->setText(ToQString(caption));
}

void CheckItem(std::vector<QAction*>& items, int index, bool checked) {
  if (index >= 0 && index < static_cast<int>(items.size()))
    items[static_cast<size_t>(index)]->setChecked(checked);
}

}  // namespace

void QtSongDisplay::SetTitleBox(const Text& text) { SetBox(window_.Strip->Title, text); }
void QtSongDisplay::SetSongBox(const Text& text) { window_.frmSong->SetSongText(text); }
void QtSongDisplay::SetComposerBox(const Text& text) { SetBox(window_.Strip->Composer, text); }
void QtSongDisplay::SetBeatsCaption(const Text& caption) {
  window_.Strip->Beats->SetCaption(ToQString(caption));
}
void QtSongDisplay::SetStyleBox(const Text& text) { SetBox(window_.Strip->Style, text); }
void QtSongDisplay::SetInfoBox(const Text& text) { SetBox(window_.Strip->Info, text); }
void QtSongDisplay::SetTempoCaption(const Text& caption) {
  window_.Strip->Tempo->SetCaption(ToQString(caption));
}
void QtSongDisplay::FocusTitleBox() { window_.Strip->Title->setFocus(); }
void QtSongDisplay::DiscardSelectionList() { window_.selectDialog.reset(); }

void QtPortMenu::SetPortItem(int index, const Text& caption) {
  Vamplet& app = window_.App();
  SetItem(window_.mnuSetPortChords, window_.mnuChordsPort, index, caption, window_,
          [&app](int i) { app.midi.mnuChordsPort_Click(i); });
}
void QtPortMenu::CheckPortItem(int index, bool checked) {
  CheckItem(window_.mnuChordsPort, index, checked);
}
void QtPortMenu::SetChannelItem(int index, const Text& caption) {
  Vamplet& app = window_.App();
  SetItem(window_.mnuSetChannelChords, window_.mnuChordsChannel, index, caption, window_,
          [&app](int i) { app.midi.mnuChordsChannel_Click(i); });
}
void QtPortMenu::CheckChannelItem(int index, bool checked) {
  CheckItem(window_.mnuChordsChannel, index, checked);
}

void QtSettingsDisplay::CheckFingeringMenu() {
  const int16_t fingering = window_.App().settings.Fingering;
  for (size_t i = 0; i < window_.mnuSetChordItems.size(); ++i)
    window_.mnuSetChordItems[i]->setChecked(fingering == static_cast<int16_t>(i));
}
void QtSettingsDisplay::CheckTextSizeMenu() {
  CheckItem(window_.mnuText, TextSizeItem(window_.App().settings.TextSize), true);
}
void QtSettingsDisplay::CheckChannelMenu() { window_.App().midi.CheckChannelMenu(); }
void QtSettingsDisplay::ShowCheckBoxes() {
  const Settings& settings = window_.App().settings;
  KeyStrip& strip = *window_.Strip;
  strip.Intro->setChecked(settings.Intro == kChecked);
  strip.Fill->setChecked(settings.Fill == kChecked);
  strip.Chords->setChecked(settings.Chords == kChecked);
  strip.Repeat->setChecked(settings.Repeat == kChecked);
}

void QtPlayControls::SetPlayCaption(const Text& caption) {
  window_.Strip->btnPlay->setText(ToQString(caption));
}
void QtPlayControls::SetPlayControlsEnabled(bool enabled) {
  window_.playControlsEnabled = enabled;
  window_.updateActions();
}

void QtShell::CreateTextSizeItems() {
  Vamplet& app = window_.App();
  for (size_t i = 0; i < kTextSizes.size(); ++i)
    SetItem(window_.mnuSetText, window_.mnuText, static_cast<int>(i), NumberText(kTextSizes[i]),
            window_, [&app](int index) { app.mnuText_Click(index); });
}

void QtShell::CheckTextSizeItem(int index, bool checked) {
  CheckItem(window_.mnuText, index, checked);
}

void QtShell::SizeMainWindow() {
  const TwipScale& scale = window_.Scale();
  window_.resize(scale.Px(12000), scale.Px(9000));
  const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const double width = scale.Twips(area.width());
  const double height = scale.Twips(area.height());
  window_.move(area.left() + scale.Px((width - 12000) / 2),
               area.top() + scale.Px((height - 9000) / 2));
}

void QtShell::BuildKeyboard() { window_.Strip->BuildKeyboard(); }

void QtShell::ShowSongWindow() {
  window_.show();
  window_.frmSong->showMaximized();
}

void QtShell::ShowAbout(bool nonstop) {
  AboutBox box(window_.Scale(), &window_);
  if (nonstop) box.tag = QStringLiteral("nonstop");
  box.ShowAbout(splashMs_);
}

void QtShell::SetChartFontSize(int points) { window_.frmSong->SetFontSize(points); }

void QtShell::ShowHelp(const Text& helpFile, int command, int context) {
  if (!window_.helpViewer)
    window_.helpViewer = std::make_unique<HelpViewer>(window_.options.installedHelpFile);
  window_.helpViewer->Show(ToQString(helpFile), command, context);
}

void QtShell::Quit() {
  if (exitProcess_) {
    exitProcess_();
    return;
  }
  // The program ends at once, also from inside the playback wait, which must not resume.
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

}  // namespace vamplet
