// The strip "Keyboard" across the main window's top: song fields, tempo and beats, Play and
// Title, the option check boxes and the on-screen keyboard with its chord markers.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <map>

#include "app/keyboard_layout.h"
#include "app/twips.h"
#include "app/value_label.h"
#include "chords/key_markers.h"

namespace vamplet {

class KeyStrip : public QFrame, public KeyMarkers {
  Q_OBJECT

 public:
  explicit KeyStrip(TwipScale scale, QWidget* parent = nullptr);

  // Start-up: the markers 1..4 as copies of marker 0, all green; then the keys, black keys
  // first, each built from the template.
  void BuildKeyboard();

  void ShowActiveKey(int16_t note, int16_t marker) override;
  void HideMarkers() override;

  QLabel* Key(int note) const;  // nullptr before the keyboard is built
  QLabel* KeyActive(int marker) const { return keyActive_[marker]; }
  // A control's place in twips, relative to the strip's inside (its client area).
  QRect PlaceOf(double left, double top, double width, double height) const;

  QPushButton* btnTitle;
  QLineEdit* Title;
  QLineEdit* Composer;
  QLineEdit* Style;
  QLineEdit* Info;
  QPushButton* btnPlay;
  ValueLabel* Tempo;
  ValueLabel* Beats;
  QCheckBox* Chords;
  QCheckBox* Repeat;
  QCheckBox* Intro;
  QCheckBox* Fill;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* AddLabel(const QString& caption, double left, double top, double width, double height);
  QLineEdit* AddBox(const QString& field, double left, double top);
  QCheckBox* AddCheckBox(const QString& caption, double top, bool checked);
  ValueLabel* AddValueLabel(const QString& field, int minimum, int maximum, double top,
                            const QString& toolTip);
  QLabel* NewKey(const TwipRect& rect, const QColor& colour);

  TwipScale scale_;
  QWidget* inside_;
  QLabel* keyTemplate_;
  std::array<QLabel*, kMarkerCount> keyActive_{};
  std::map<int, QLabel*> keys_;
};

}  // namespace vamplet
