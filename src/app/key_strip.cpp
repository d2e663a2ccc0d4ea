// The strip "Keyboard": every control at its place in twips, and the keyboard's keys.
#include "app/key_strip.h"

#include <QFont>

namespace vamplet {

namespace {

constexpr double kStripHeight = 1575;

QFont StripFont() {
  QFont font;
  // "MS Sans Serif" is not on this platform; a metric-alike sans-serif stands in for it.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  font.setBold(true);
  return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

KeyStrip::KeyStrip(TwipScale scale, QWidget* parent) : QFrame(parent), scale_(scale) {
  setObjectName(QStringLiteral("Keyboard"));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFixedHeight(scale_.Px(kStripHeight));
  SetBackground(this, QColor(224, 224, 224));
  setFont(StripFont());
  // The controls live inside the border, which the tall white keys must not paint over.
  inside_ = new QWidget(this);
  inside_->setGeometry(contentsRect());

  btnTitle = new QPushButton(QStringLiteral("Title"), inside_);
  btnTitle->setGeometry(PlaceOf(4440, 50, 855, 350));
  Title = AddBox(QStringLiteral("Title"), 5400, 100);
  AddLabel(QStringLiteral("Composer:"), 4440, 480, 855, 240);
  Composer = AddBox(QStringLiteral("Composer"), 5400, 450);
  AddLabel(QStringLiteral("Style"), 4440, 840, 855, 240);
  Style = AddBox(QStringLiteral("Style"), 5400, 800);
  AddLabel(QStringLiteral("Info:"), 4440, 1200, 855, 240);
  Info = AddBox(QStringLiteral("Info"), 5400, 1150);

  btnPlay = new QPushButton(QStringLiteral("PLay"), inside_);
  btnPlay->setGeometry(PlaceOf(9480, 240, 735, 350));
  AddLabel(QStringLiteral("Tempo:"), 9000, 840, 615, 240);
  Tempo = AddValueLabel(QStringLiteral("Tempo"), 10, 250, 810,
                        QStringLiteral("Drag this value up and down with the mouse to change "
                                       "the tempo."));
  AddLabel(QStringLiteral("Beats:"), 9000, 1155, 615, 240);
  Beats = AddValueLabel(QStringLiteral("Beats"), 1, 16, 1155,
                        QStringLiteral("Drag this value up and down with the mouse to change "
                                       "the number of beats in a measure."));

  Chords = AddCheckBox(QStringLiteral("Play chords"), 120, true);
  Repeat = AddCheckBox(QStringLiteral("Repeat"), 480, false);
  Intro = AddCheckBox(QStringLiteral("Intro ticks"), 840, true);
  Fill = AddCheckBox(QStringLiteral("Fill in ticks"), 1200, true);

  keyTemplate_ = NewKey({kKeyTemplateLeft, kKeyTemplateTop, 345, kKeyTemplateHeight},
                        palette().color(QPalette::Base));
  keyTemplate_->hide();
  keyActive_[0] = new QLabel(inside_);
  keyActive_[0]->setFrameStyle(QFrame::Box | QFrame::Plain);
  keyActive_[0]->setGeometry(PlaceOf(kMarkerLeft, kMarkerTop, kMarkerWidth, kMarkerHeight));
  keyActive_[0]->setAccessibleName(QStringLiteral("Chord key marker"));
  keyActive_[0]->hide();
}

QRect KeyStrip::PlaceOf(double left, double top, double width, double height) const {
  return scale_.Rect(left, top, width, height);
}

void KeyStrip::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  inside_->setGeometry(contentsRect());
}

QLabel* KeyStrip::AddLabel(const QString& caption, double left, double top, double width,
                           double height) {
  auto* label = new QLabel(caption, inside_);
  label->setGeometry(PlaceOf(left, top, width, height));
  label->setAccessibleName(caption);
  return label;
}

QLineEdit* KeyStrip::AddBox(const QString& field, double left, double top) {
  auto* box = new QLineEdit(inside_);
  box->setObjectName(field);
  box->setAccessibleName(field);
  box->setGeometry(PlaceOf(left, top, 3495, 300));
  return box;
}

QCheckBox* KeyStrip::AddCheckBox(const QString& caption, double top, bool checked) {
  auto* box = new QCheckBox(caption, inside_);
  box->setGeometry(PlaceOf(10440, top, 1335, 255));
  box->setAccessibleName(caption);
  box->setChecked(checked);
  // Its background is the strip's own colour, so the strip shows through.
  return box;
}

ValueLabel* KeyStrip::AddValueLabel(const QString& field, int minimum, int maximum, double top,
                                    const QString& toolTip) {
  auto* label = new ValueLabel(field, minimum, maximum, scale_, inside_);
  label->setObjectName(field);
  label->setGeometry(PlaceOf(9720, top, 495, 285));
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setAlignment(Qt::AlignCenter);
  label->setToolTip(toolTip);
  label->setCursor(Qt::SizeVerCursor);
  // The colours of a text box, whose text greys while the label is disabled.
  QPalette palette = label->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Window, palette.color(QPalette::Active, QPalette::Base));
    palette.setColor(group, QPalette::WindowText, palette.color(group, QPalette::Text));
  }
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  return label;
}

QLabel* KeyStrip::NewKey(const TwipRect& rect, const QColor& colour) {
  auto* key = new QLabel(inside_);
  key->setFrameStyle(QFrame::Box | QFrame::Plain);
  key->setGeometry(PlaceOf(rect.left, rect.top, rect.width, rect.height));
  SetBackground(key, colour);
  return key;
}

void KeyStrip::BuildKeyboard() {
  for (int i = 1; i < kMarkerCount; ++i) {
    keyActive_[i] = new QLabel(inside_);
    keyActive_[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
    keyActive_[i]->setGeometry(keyActive_[0]->geometry());
    keyActive_[i]->setAccessibleName(keyActive_[0]->accessibleName());
    keyActive_[i]->hide();
  }
  for (QLabel* marker : keyActive_) SetBackground(marker, QColor(0, 255, 0));

  static constexpr const char* kNames[12] = {"C", "C sharp", "D", "D sharp", "E", "F",
                                             "F sharp", "G", "G sharp", "A", "A sharp", "B"};
  for (const bool black : {true, false}) {
    for (int note = kFirstKey; note <= kLastKey; ++note) {
      if ((KeyColour(static_cast<int16_t>(note)) == 0) != black) continue;
      QLabel* key = NewKey(KeyRect(note), black ? QColor(Qt::black) : palette().color(QPalette::Base));
      key->setAccessibleName(QStringLiteral("Key %1 %2")
                                 .arg(QLatin1String(kNames[note % 12]))
                                 .arg(note / 12 - 1));
      keys_[note] = key;
      key->show();
    }
  }
  // Front to back: the markers, the black keys, the white keys.
  for (int note = kFirstKey; note <= kLastKey; ++note)
    if (KeyColour(static_cast<int16_t>(note)) != 0) keys_[note]->lower();
  keyTemplate_->lower();
  for (QLabel* marker : keyActive_) marker->raise();
}

QLabel* KeyStrip::Key(int note) const {
  const auto it = keys_.find(note);
  return it == keys_.end() ? nullptr : it->second;
}

void KeyStrip::ShowActiveKey(int16_t note, int16_t marker) {
  if (marker < 0 || marker >= kMarkerCount || !keyActive_[marker]) return;
  if (note < kFirstKey || note > kLastKey) return;
  const TwipRect place = MarkerRect(note);
  keyActive_[marker]->setGeometry(PlaceOf(place.left, place.top, place.width, place.height));
  keyActive_[marker]->show();
}

void KeyStrip::HideMarkers() {
  for (QLabel* marker : keyActive_)
    if (marker) marker->hide();
}

}  // namespace vamplet
