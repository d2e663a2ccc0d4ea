// Twips to pixels through the screen's logical resolution.
#include "app/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace vamplet {

TwipScale TwipScale::ForScreenOf(const QWidget* widget) {
  QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
  return TwipScale(screen ? screen->logicalDotsPerInch() : 96.0);
}

int TwipScale::Px(double twips) const {
  return static_cast<int>(std::floor(twips * dpi_ / 1440.0 + 0.5));
}

QRect TwipScale::Rect(double left, double top, double width, double height) const {
  const int x = Px(left);
  const int y = Px(top);
  return QRect(x, y, Px(left + width) - x, Px(top + height) - y);
}

}  // namespace vamplet
