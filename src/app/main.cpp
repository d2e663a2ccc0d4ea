// The window program's entry: the application object, the real seams and the main window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/value_label.h"
#include "platform/qt/qt_play_clock.h"
#include "platform/system_midi_service.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs("Vamplet needs a graphical display: start it in a desktop session (or set DISPLAY).\n",
               stderr);
    return EXIT_FAILURE;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vamplet"));
  QApplication::setDesktopFileName(QStringLiteral("vamplet"));
  vamplet::ValueLabel::InstallAccessibility();

  vamplet::QtDialogs dialogs;
  std::unique_ptr<vamplet::MidiOutService> midi = vamplet::CreateSystemMidiService();
  vamplet::QtPlayClock clock;
  vamplet::MainWindowOptions options;
  options.installedHelpFile = QStringLiteral(VAMPLET_INSTALLED_HELP_FILE);
  vamplet::MainWindow window(dialogs, *midi, clock, options);
  dialogs.SetParent(&window);
  QApplication::setWindowIcon(window.windowIcon());
  window.Load();
  return application.exec();
}
