// Twips (1/1440 inch), the unit of every window layout, converted to device pixels.
#pragma once

#include <QRect>

class QWidget;

namespace vamplet {

class TwipScale {
 public:
  explicit TwipScale(double dotsPerInch = 96.0) : dpi_(dotsPerInch) {}
  // The logical resolution of the screen the widget is on (or of the primary screen).
  static TwipScale ForScreenOf(const QWidget* widget);

  double Dpi() const { return dpi_; }
  int Px(double twips) const;
  double Twips(double px) const { return px * 1440.0 / dpi_; }
  // Rounds the two edges rather than the width, so adjacent rectangles stay adjacent.
  QRect Rect(double left, double top, double width, double height) const;

 private:
  double dpi_;
};

}  // namespace vamplet
