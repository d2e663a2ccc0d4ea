// The song window "frmSong": an MDI child holding the chart box "Song", which it offers to
// the core as a chart with CR LF line breaks.
#pragma once

#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <functional>

#include "app/twips.h"
#include "chords/chart_view.h"

namespace vamplet {

class SongWindow : public QMdiSubWindow, public ChartView {
  Q_OBJECT

 public:
  explicit SongWindow(TwipScale scale, QWidget* parent = nullptr);

  // Shows a chart. The box's change notification follows only when its text changes.
  void SetSongText(const Text& chart);
  void SetFontSize(double points);

  const Text& ChartText() const override { return chart_; }
  int32_t SelStart() const override;
  int32_t SelLength() const override;
  void SelectChart(int32_t start, int32_t length) override;
  void FocusChart() override;

  // The resize rule: the box follows the window's outer size, less 120 twips, unless the
  // window is minimised or smaller than 500 twips high (200 wide).
  void Form_Resize();

  QPlainTextEdit* Song;
  // The chart after every change of the box, typed or shown.
  std::function<void(const Text&)> onChange;
  // The typing lock: asked for every typed character; false discards it.
  std::function<bool(char32_t)> onKeyPress;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BoxChanged();

  TwipScale scale_;
  Text chart_;      // the chart as the core sees it
  QString shown_;   // the box text that `chart_` corresponds to
};

}  // namespace vamplet
