// Qt tests of the help viewer: the three commands, a missing file, the installed copy,
// navigation, and the integrity of the shipped help file.
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "platform/qt/help_viewer.h"

namespace vamplet {

namespace {

const char* const kSmallHelp =
    "<!DOCTYPE html><html><head><title>Test Help</title></head><body>\n"
    "<section data-context=\"5\" id=\"first\"><h2>First steps</h2><p>Press the walrus button.</p></section>\n"
    "<section data-context=\"2000\" id=\"contents\"><h1>Contents</h1>\n"
    "<p><a href=\"#first\">First steps</a>, <a href=\"#uninstall\">Removing</a></p></section>\n"
    "<section data-context=\"21\" id=\"uninstall\"><h2>Removing</h2>\n"
    "<p>See <a href=\"#first\">first steps</a>. Keep your chord files.</p></section>\n"
    "</body></html>";

const char* const kNoContents =
    "<html><body>\n"
    "<section data-context=\"7\" id=\"a\"><h2>Alpha</h2></section>\n"
    "<section data-context=\"8\" id=\"b\"><h2>Beta</h2></section></body></html>";

QString WriteFile(const QTemporaryDir& dir, const QString& name, const char* text) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
  return path;
}

}  // namespace

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(dir_.isValid()); }

  void commandsShowTheirPage_data() {
    QTest::addColumn<bool>("withContents");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("context");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("noted");
    QTest::newRow("contents") << true << kHelpContents << 0 << 2000 << "Contents" << false;
    QTest::newRow("topic 21") << true << kHelpContext << 21 << 21 << "Removing" << false;
    QTest::newRow("first topic") << true << kHelpContext << 5 << 5 << "First steps" << false;
    QTest::newRow("unknown topic") << true << kHelpContext << 999 << 2000 << "Contents" << true;
    QTest::newRow("help on help") << true << kHelpHelpOnHelp << 0 << int{HelpViewer::kHelpOnHelpPage}
                                  << "How to use Help" << false;
    QTest::newRow("no contents topic") << false << kHelpContents << 2000 << 7 << "Alpha" << false;
  }

  void commandsShowTheirPage() {
    QFETCH(bool, withContents);
    QFETCH(int, command);
    QFETCH(int, context);
    QFETCH(int, shown);
    QFETCH(QString, title);
    QFETCH(bool, noted);
    const QString file =
        WriteFile(dir_, "rifflo.hlp", withContents ? kSmallHelp : kNoContents);
    HelpViewer viewer{QString()};
    viewer.Show(file, command, context);
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.CurrentContext(), shown);
    QCOMPARE(viewer.CurrentTitle(), title);
    QCOMPARE(viewer.Notice().contains(QString::number(context)), noted);
    if (command == kHelpHelpOnHelp) QVERIFY(viewer.PageText().contains("Back"));
  }

  void missingFileIsReportedInTheWindow() {
    const QString missing = dir_.filePath("x/rifflo.hlp");
    HelpViewer viewer{dir_.filePath("also-missing.hlp")};
    viewer.Show(missing, kHelpContext, 21);
    QVERIFY(viewer.isVisible());
    QVERIFY(viewer.PageText().contains(QString("The help file %1 was not found.").arg(missing)));
    QCOMPARE(viewer.CurrentContext(), 0);
    QVERIFY(viewer.ShownFile().isEmpty());

    viewer.Show(missing, kHelpHelpOnHelp, 0);  // the built-in page needs no file
    QCOMPARE(viewer.CurrentContext(), int{HelpViewer::kHelpOnHelpPage});
    QVERIFY(viewer.Notice().contains("was not found."));
  }

  void missingFileFallsBackToTheInstalledCopy() {
    const QString installed = WriteFile(dir_, "installed.hlp", kSmallHelp);
    const QString missing = dir_.filePath("gone/rifflo.hlp");
    HelpViewer viewer{installed};
    viewer.Show(missing, kHelpContext, 21);
    QCOMPARE(viewer.CurrentContext(), 21);
    QCOMPARE(viewer.ShownFile(), installed);
    QVERIFY(viewer.Notice().contains(QString("The help file %1 was not found.").arg(missing)));
    QVERIFY(viewer.Notice().contains(installed));

    // Once the file is back, it is shown and the note is gone.
    const QString present = WriteFile(dir_, "rifflo.hlp", kNoContents);
    viewer.Show(present, kHelpContents, 2000);
    QCOMPARE(viewer.ShownFile(), present);
    QCOMPARE(viewer.CurrentTitle(), QString("Alpha"));
    QVERIFY(viewer.Notice().isEmpty());
  }

  void linksHistoryListAndFind() {
    const QString file = WriteFile(dir_, "rifflo.hlp", kSmallHelp);
    HelpViewer viewer{QString()};
    viewer.Show(file, kHelpContext, 21);
    viewer.OpenLink(QUrl("#first"));
    QCOMPARE(viewer.CurrentContext(), 5);
    viewer.Back();
    QCOMPARE(viewer.CurrentContext(), 21);
    viewer.Forward();
    QCOMPARE(viewer.CurrentContext(), 5);
    viewer.OpenLink(QUrl("#nowhere"));
    QCOMPARE(viewer.CurrentContext(), 5);

    auto* list = viewer.findChild<QListWidget*>();
    QVERIFY(list);
    QCOMPARE(list->count(), 3);
    list->setCurrentRow(2);
    QCOMPARE(viewer.CurrentContext(), 21);

    // The same window serves the next request.
    viewer.Show(file, kHelpContents, 2000);
    QCOMPARE(viewer.CurrentContext(), 2000);
    viewer.Back();
    QCOMPARE(viewer.CurrentContext(), 21);

    QVERIFY(viewer.Find("WALRUS"));
    QCOMPARE(viewer.CurrentContext(), 5);
    QVERIFY(!viewer.Find("zebra"));
    QVERIFY(viewer.Notice().contains("zebra"));
  }

  void shippedHelpFileIsComplete() {
    std::vector<HelpTopic> topics;
    QString title;
    QString error;
    QVERIFY2(ReadHelpFile(VAMPLET_HELP_FILE, topics, title, error), qPrintable(error));
    QSet<int> contexts;
    QSet<QString> ids;
    for (const HelpTopic& topic : topics) {
      QVERIFY2(!contexts.contains(topic.context), qPrintable(topic.title));
      contexts.insert(topic.context);
      ids.insert(topic.id);
    }
    QVERIFY(contexts.contains(kContentsContext));
    QVERIFY(contexts.contains(21));
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]*)\""));
    for (const HelpTopic& topic : topics) {
      for (auto it = link.globalMatch(topic.html); it.hasNext();) {
        const QString target = it.next().captured(1);
        QVERIFY2(ids.contains(target), qPrintable(topic.title + " links to " + target));
      }
    }
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace vamplet

QTEST_MAIN(vamplet::HelpViewerTest)
#include "help_viewer_test.moc"
