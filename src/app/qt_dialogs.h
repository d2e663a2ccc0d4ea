// Message boxes, the hourglass and the file dialogs on Qt widgets.
#pragma once

#include <QStringList>

#include "core/dialogs.h"

class QWidget;

namespace vamplet {

class QtDialogs : public Dialogs {
 public:
  // Dialogs open over `parent`, or over the active window when it is null.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  ~QtDialogs() override;

  MsgAnswer MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                       MsgIcon icon) override;
  void SetHourglass(bool on) override;
  std::optional<Text> FileDialog(FileDialogMode mode, const Text& initialDir, const Text& filter,
                                 int filterIndex) override;

  void SetParent(QWidget* parent) { parent_ = parent; }

  // "Description|pattern|..." as Qt's name filters; a pattern "*.*" means every file here, as
  // it does on the system the filter lists were written for.
  static QStringList NameFilters(const Text& filter);

 private:
  QWidget* Parent() const;

  QWidget* parent_;
  bool hourglass_ = false;
};

}  // namespace vamplet
