// The chart box: core positions (characters, CR LF) against the box's (UTF-16, one unit per
// line break), selections made and read back, and the song window's resize rule.
#include <QMdiArea>
#include <QTest>

#include "app/chart_positions.h"
#include "app/qt_text.h"
#include "app/song_window.h"

namespace vamplet {

class ChartBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void textsConvertBothWays();
  void positionsConvertBothWays_data();
  void positionsConvertBothWays();
  void selectionsLandOnTheCoreCharacters();
  void selectionsAreClippedLikeATextBox();
  void loneLineBreaksKeepTheRecordAndThePositions();
  void typedChangesReachTheCoreWithCrLf();
  void resizeRuleFollowsTheOuterSize();
};

namespace {

// Two lines with "é" and a character outside the Basic Multilingual Plane (the G clef).
const Text kChart = U"\u00e9C|F|\r\n\U0001D11E G|\r\n.Am|";

}  // namespace

void ChartBoxTest::textsConvertBothWays() {
  const QString box = ToBoxText(kChart);
  QCOMPARE(box, QString::fromUtf8("\u00e9C|F|\n\U0001D11E G|\n.Am|"));
  QCOMPARE(box.size(), 16);  // one unit per break, two for the clef
  QVERIFY(ToCoreText(box) == kChart);
  // Qt's own paragraph and line separators are line breaks too.
  QVERIFY(ToCoreText(QString::fromUtf8("a\u2029b\u2028c")) == Text(U"a\r\nb\r\nc"));
}

void ChartBoxTest::positionsConvertBothWays_data() {
  QTest::addColumn<int>("core");
  QTest::addColumn<int>("box");
  // core: é C | F | CR LF clef space G | CR LF . A m |
  //       0 1 2 3 4 5  6  7     8     9 10 11 12 13 ...
  QTest::newRow("start") << 0 << 0;
  QTest::newRow("after e-acute") << 1 << 1;
  QTest::newRow("at the first break") << 5 << 5;
  QTest::newRow("after the first break") << 7 << 6;
  QTest::newRow("after the clef") << 8 << 8;
  QTest::newRow("after the second break") << 13 << 12;
  QTest::newRow("end") << 17 << 16;
}

void ChartBoxTest::positionsConvertBothWays() {
  QFETCH(int, core);
  QFETCH(int, box);
  QCOMPARE(BoxPosition(kChart, core), box);
  QCOMPARE(CorePosition(kChart, box), core);
}

void ChartBoxTest::selectionsLandOnTheCoreCharacters() {
  SongWindow window{TwipScale(96)};
  window.SetSongText(kChart);
  // The measure "G|" of the second line, as the scanner would highlight it.
  window.SelectChart(9, 2);
  QCOMPARE(window.Song->textCursor().selectedText(), QStringLiteral("G|"));
  QCOMPARE(window.SelStart(), 9);
  QCOMPARE(window.SelLength(), 2);
  // A selection across the line break reads back in core characters.
  window.SelectChart(3, 6);
  QCOMPARE(window.Song->textCursor().selectedText(),
           QString::fromUtf8("F|\u2029\U0001D11E "));
  QCOMPARE(window.SelLength(), 6);
}

void ChartBoxTest::selectionsAreClippedLikeATextBox() {
  SongWindow window{TwipScale(96)};
  window.SetSongText(U"C|\r\nF|");
  window.SelectChart(4, 1000);
  QCOMPARE(window.SelStart(), 4);
  QCOMPARE(window.SelLength(), 2);
  window.SelectChart(1000, 5);
  QCOMPARE(window.SelStart(), 6);
  QCOMPARE(window.SelLength(), 0);
  window.SelectChart(-3, -1);
  QCOMPARE(window.SelStart(), 0);
  QCOMPARE(window.SelLength(), 0);
}

void ChartBoxTest::loneLineBreaksKeepTheRecordAndThePositions() {
  SongWindow window{TwipScale(96)};
  std::vector<Text> changes;
  window.onChange = [&changes](const Text& chart) { changes.push_back(chart); };
  // A chord file may leave a lone LF inside a line and a lone CR ends one.
  const Text chart = U"a\nb\rc\r\nd|";
  window.SetSongText(chart);
  QCOMPARE(window.Song->toPlainText(), QStringLiteral("a\nb\nc\nd|"));
  // Shown unchanged, the box hands the core its exact text, so showing marks nothing.
  QVERIFY(!changes.empty());
  QVERIFY(changes.back() == chart);
  QVERIFY(window.ChartText() == chart);
  window.SelectChart(7, 2);
  QCOMPARE(window.Song->textCursor().selectedText(), QStringLiteral("d|"));
  QCOMPARE(window.SelStart(), 7);
}

void ChartBoxTest::typedChangesReachTheCoreWithCrLf() {
  SongWindow window{TwipScale(96)};
  Text last;
  window.onChange = [&last](const Text& chart) { last = chart; };
  window.SetSongText(U"C|\r\nF|");
  QTextCursor cursor = window.Song->textCursor();
  cursor.setPosition(2);
  cursor.insertText(QStringLiteral("G|\nAm|"));
  QVERIFY(last == Text(U"C|G|\r\nAm|\r\nF|"));
  QVERIFY(window.ChartText() == last);
}

void ChartBoxTest::resizeRuleFollowsTheOuterSize() {
  // At 1440 dots per inch a pixel is a twip.
  QMdiArea area;
  area.resize(3000, 3000);
  auto* window = new SongWindow(TwipScale(1440));
  area.addSubWindow(window);
  area.show();
  window->showNormal();
  const QSize design = window->Song->size();
  QCOMPARE(design, QSize(11880, 7700));

  window->resize(1000, 400);
  window->Form_Resize();
  QCOMPARE(window->Song->height(), design.height());
  QCOMPARE(window->Song->width(), 880);

  window->resize(150, 501);
  window->Form_Resize();
  QCOMPARE(window->Song->height(), 381);
  QCOMPARE(window->Song->width(), 880);

  window->showMinimized();
  window->Form_Resize();
  QCOMPARE(window->Song->size(), QSize(880, 381));
}

}  // namespace vamplet

QTEST_MAIN(vamplet::ChartBoxTest)
#include "chart_box_test.moc"
