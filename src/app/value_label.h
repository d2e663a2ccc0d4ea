// A bordered label whose number is changed by dragging it up and down with the mouse.
#pragma once

#include <QLabel>
#include <functional>

#include "app/twips.h"

namespace vamplet {

class ValueLabel : public QLabel {
  Q_OBJECT

 public:
  // `minimum` and `maximum` are what a screen reader is told the value can range over.
  ValueLabel(const QString& fieldName, int minimum, int maximum, TwipScale scale,
             QWidget* parent = nullptr);

  // Shows a caption and tells assistive technology the new value.
  void SetCaption(const QString& caption);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

  // Vertical mouse positions in twips within the label.
  std::function<void(float)> onPress;
  std::function<void(float)> onMove;
  std::function<void(float)> onRelease;

  // Makes screen readers see ValueLabel's value; installed once by the program.
  static void InstallAccessibility();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  float TwipsY(const QMouseEvent* event) const;

  int minimum_;
  int maximum_;
  TwipScale scale_;
};

}  // namespace vamplet
