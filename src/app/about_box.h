// The About box: the program's name, version and picture; a splash at start-up.
#pragma once

#include <QDialog>
#include <QPushButton>

#include "app/twips.h"

namespace vamplet {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(TwipScale scale, QWidget* mainWindow);

  // Shows the box modally over the main window. Without the tag "nonstop" it closes itself
  // after `splashMs` milliseconds; OK closes it at once.
  void ShowAbout(int splashMs);

  QString tag;
  QPushButton* Command1;

 public slots:
  // The box has no Cancel button and no close box: Escape and the window manager's close
  // request leave it open; OK and the end of the splash close it.
  void reject() override;

 protected:
  // Every activation places the box over the main window again.
  bool event(QEvent* event) override;

 private:
  // Centred across the main window, its middle at 1/2.25 of the main window's height.
  void Place();

  QWidget* mainWindow_;
};

}  // namespace vamplet
