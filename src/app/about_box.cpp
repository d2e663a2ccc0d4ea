// The About box's layout, its placement over the main window and its splash wait.
#include "app/about_box.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace vamplet {

namespace {

QFont AboutFont(double points) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(true);
  return font;
}

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& place, double points,
                 const QColor& colour) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(place);
  label->setFont(AboutFont(points));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAccessibleName(text);
  return label;
}

}  // namespace

AboutBox::AboutBox(TwipScale scale, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Brasswick"));
  setModal(true);
  // The outer size less a thin dialog border and a short caption bar, so OK stays inside.
  setFixedSize(scale.Px(5220 - 60), scale.Px(5055 - 135));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(192, 255, 255));
  setPalette(palette);
  setAutoFillBackground(true);

  auto* picture = new QLabel(this);
  picture->setGeometry(scale.Rect(225, 345, 480, 480));
  picture->setPixmap(QPixmap(QStringLiteral(":/vamplet/vamplet-32.png")));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setAccessibleName(QStringLiteral("Vamplet"));

  AddLabel(this, QStringLiteral("Vamplet            version 1.0"), scale.Rect(990, 240, 3375, 255),
           9.75, QColor(0, 0, 128));
  AddLabel(this, QStringLiteral("Tool for arranger keyboards"), scale.Rect(990, 600, 3285, 495),
           8.25, Qt::black);

  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command1->setGeometry(scale.Rect(2160, 4440, 1095, 375));
  Command1->setFont(AboutFont(8.25));
  Command1->setDefault(true);
  Command1->setAccessibleName(QStringLiteral("OK"));
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::reject() {}

bool AboutBox::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Place();
  return QDialog::event(event);
}

void AboutBox::Place() {
  if (!mainWindow_) return;
  const QRect main = mainWindow_->frameGeometry();
  const QSize box = frameGeometry().size().expandedTo(size());
  move(main.left() + main.width() / 2 - box.width() / 2,
       static_cast<int>(main.top() + main.height() / 2.25 - box.height() / 2.0));
}

void AboutBox::ShowAbout(int splashMs) {
  Place();
  if (tag != QLatin1String("nonstop")) QTimer::singleShot(splashMs, this, &QDialog::accept);
  exec();
  if (mainWindow_) mainWindow_->activateWindow();
}

}  // namespace vamplet
