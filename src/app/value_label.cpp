// The draggable value labels and what they tell assistive technology.
#include "app/value_label.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace vamplet {

namespace {

class AccessibleValueLabel : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit AccessibleValueLabel(ValueLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Label()->text();
    return QAccessibleWidget::text(t);
  }
  QVariant currentValue() const override { return Label()->text().toInt(); }
  // The value changes by dragging only.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return Label()->Maximum(); }
  QVariant minimumValue() const override { return Label()->Minimum(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  ValueLabel* Label() const { return static_cast<ValueLabel*>(widget()); }
};

QAccessibleInterface* ValueLabelFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("vamplet::ValueLabel") && object && object->isWidgetType())
    return new AccessibleValueLabel(static_cast<ValueLabel*>(object));
  return nullptr;
}

}  // namespace

ValueLabel::ValueLabel(const QString& fieldName, int minimum, int maximum, TwipScale scale,
                       QWidget* parent)
    : QLabel(parent), minimum_(minimum), maximum_(maximum), scale_(scale) {
  setAccessibleName(fieldName);
}

void ValueLabel::InstallAccessibility() { QAccessible::installFactory(ValueLabelFactory); }

void ValueLabel::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, caption.toInt());
    QAccessible::updateAccessibility(&event);
  }
}

float ValueLabel::TwipsY(const QMouseEvent* event) const {
  return static_cast<float>(scale_.Twips(event->position().y()));
}

void ValueLabel::mousePressEvent(QMouseEvent* event) {
  if (onPress) onPress(TwipsY(event));
  event->accept();
}

void ValueLabel::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) onMove(TwipsY(event));
  event->accept();
}

void ValueLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (onRelease) onRelease(TwipsY(event));
  event->accept();
}

}  // namespace vamplet
