// Qt tests of the song selection dialog: the sorted list, picking, closing and discarding.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/select_dialog.h"
#include "core/fakes/fake_dialogs.h"
#include "core/fakes/fake_song_display.h"
#include "songs/song_editor.h"

namespace vamplet {
namespace {

// Discarding the list deletes the dialog, as the main window does.
class DiscardingDisplay : public test::FakeSongDisplay {
 public:
  void DiscardSelectionList() override {
    FakeSongDisplay::DiscardSelectionList();
    dialog.reset();
  }
  std::unique_ptr<SelectDialog> dialog;
};

struct Fixture {
  explicit Fixture(std::initializer_list<const char32_t*> titles) {
    songs.ResetForRead();
    for (const char32_t* title : titles) {
      ++songs.SongCount;
      songs.ClearSong(songs.SongCount);
      if (title == nullptr) {
        songs.Songs[songs.SongCount].Deleted = true;
      } else {
        songs.Songs[songs.SongCount].Title = title;
      }
    }
    songs.CurrentSong = 1;
    main.setGeometry(200, 150, 900, 700);
  }

  QStringList Entries(const SelectDialog& dialog) const {
    QStringList out;
    for (int row = 0; row < dialog.SongList->count(); ++row)
      out << dialog.SongList->item(row)->text();
    return out;
  }

  static void ClickRow(SelectDialog& dialog, int row, bool twice = false) {
    QListWidget* list = dialog.SongList;
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A real double-click is a click followed by the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  // Runs the Title button; `user` acts while the modal dialog is open. A dialog that the
  // user's actions left open is closed afterwards, so a failure cannot hang the test.
  void OpenModal(std::function<void(SelectDialog&)> user) {
    leftOpen = false;
    QObject scope;  // drops the timers that have not fired when this call ends
    QTimer::singleShot(0, &scope, [this, user, &scope] {
      QVERIFY(display.dialog && display.dialog->isVisible());
      user(*display.dialog);
      QTimer::singleShot(0, &scope, [this] {
        if (display.dialog && display.dialog->isVisible()) {
          leftOpen = true;
          display.dialog->done(QDialog::Rejected);
        }
      });
    });
    SelectDialog::btnTitle_Click(display.dialog, songs, &main);
    QVERIFY(!leftOpen);
  }

  QWidget main;  // first, so that it outlives the dialog it parents
  Settings settings;
  DiscardingDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};
  bool leftOpen = false;
};

}  // namespace

class SelectDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void listIsSortedIgnoringCaseWithoutDeletedSongs() {
    Fixture f({U"b", U"A", nullptr, U"c", U""});
    SelectDialog dialog(f.songs, &f.main);
    QCOMPARE(f.Entries(dialog), (QStringList{"", "A", "b", "c"}));
    const int data[] = {5, 2, 1, 4};
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(dialog.SongList->item(row)->data(Qt::UserRole).toInt(), data[row]);
      QCOMPARE(int{f.songs.Songs[data[row]].ListIndex}, row);
    }
  }

  void lookAndTheWaysToClose() {
    Fixture f({U"one", U"two"});
    SelectDialog dialog(f.songs, &f.main);
    QCOMPARE(dialog.windowTitle(), QString("Select song"));
    QCOMPARE(dialog.btnExit->text(), QString("OK"));
    QVERIFY(!dialog.btnExit->isDefault());
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowMaximizeButtonHint)));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(dialog.SongList->font().bold());
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    dialog.SongList->setFocus();
    QTest::keyClick(dialog.SongList, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.btnExit->isDefault());
    dialog.btnExit->setFocus();
    QTest::keyClick(dialog.btnExit, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    dialog.show();
    dialog.btnExit->click();
    QVERIFY(!dialog.isVisible());
  }

  void activationCentresAndSelectsTheCurrentSong() {
    Fixture f({U"b", U"A", U"c"});
    f.songs.CurrentSong = 3;
    SelectDialog dialog(f.songs, &f.main);
    for (int pass = 0; pass < 2; ++pass) {
      f.main.move(200 + 40 * pass, 150 + 30 * pass);
      dialog.show();
      const QRect main = f.main.frameGeometry();
      const QRect self = dialog.frameGeometry();
      QVERIFY(qAbs(self.center().x() - main.center().x()) <= 1);
      QVERIFY(qAbs(self.center().y() - main.center().y()) <= 1);
      QCOMPARE(dialog.SongList->selectedItems().value(0)->text(), QString("c"));
      QCOMPARE(int{f.songs.CurrentSong}, 3);
      dialog.hide();
    }
  }

  void okWithoutClickShowsTheSameSong() {
    Fixture f({U"b", U"A"});
    f.OpenModal([](SelectDialog& d) { d.btnExit->click(); });
    QCOMPARE(int{f.songs.CurrentSong}, 1);
    QVERIFY(f.display.title == U"b");
    QVERIFY(!f.songs.FileChanged);
  }

  void twoClicksThenOkShowsTheSecondSong() {
    Fixture f({U"b", U"A", U"c"});
    f.OpenModal([](SelectDialog& d) {
      Fixture::ClickRow(d, 2);
      Fixture::ClickRow(d, 0);
      QVERIFY(d.isVisible());
      d.btnExit->click();
    });
    QCOMPARE(int{f.songs.CurrentSong}, 2);
    QVERIFY(f.display.title == U"A");
    QVERIFY(f.display.dialog && !f.display.dialog->isVisible());
  }

  void doubleClickPicksAndCloses() {
    Fixture f({U"b", U"A", U"c"});
    f.OpenModal([](SelectDialog& d) { Fixture::ClickRow(d, 2, true); });
    QCOMPARE(int{f.songs.CurrentSong}, 3);
    QVERIFY(f.display.title == U"c");
  }

  void listIsKeptUntilDiscarded() {
    Fixture f({U"b", U"A", U"c"});
    f.OpenModal([](SelectDialog& d) { d.btnExit->click(); });
    SelectDialog* first = f.display.dialog.get();

    f.songs.Songs[3].Title = U"quiet";  // no discard: the cached list stays
    f.OpenModal([](SelectDialog& d) { d.btnExit->click(); });
    QCOMPARE(f.display.dialog.get(), first);
    QCOMPARE(f.Entries(*first), (QStringList{"A", "b", "c"}));

    SongEditor editor(f.songs);
    editor.Title_Change(U"aa");  // retitles song 1 and discards the list
    QVERIFY(!f.display.dialog);
    f.OpenModal([&f](SelectDialog& d) {
      QCOMPARE(f.Entries(d), (QStringList{"A", "aa", "quiet"}));
      QCOMPARE(d.SongList->selectedItems().value(0)->text(), QString("aa"));
      d.btnExit->click();
    });
    QCOMPARE(int{f.songs.CurrentSong}, 1);
  }
};

}  // namespace vamplet

QTEST_MAIN(vamplet::SelectDialogTest)
#include "select_dialog_test.moc"
