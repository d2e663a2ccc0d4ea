// The program's own help viewer: one window that shows the topics of a "rifflo.hlp" file.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

namespace vamplet {

// The help commands the Help menu passes.
constexpr int kHelpContext = 1;   // the topic with the given context number
constexpr int kHelpContents = 3;  // the contents topic
constexpr int kHelpHelpOnHelp = 4;  // how to use this viewer

// Context number of the contents topic; a file without one opens at its first topic.
constexpr int kContentsContext = 2000;

// A help file is HTML whose topics are <section data-context="N" id="name"> elements,
// each titled by its first <h1> or <h2>. Links to "#name" lead to another topic.
struct HelpTopic {
  int context = 0;
  QString id;
  QString title;
  QString html;
};

// Reads the topics of a help file; false with `error` set to a sentence when it cannot.
bool ReadHelpFile(const QString& path, std::vector<HelpTopic>& topics, QString& documentTitle,
                  QString& error);

class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  // `installedHelpFile` is the copy that came with the program; it is shown, with a note
  // saying so, when the file a request names cannot be read. It may be empty.
  explicit HelpViewer(QString installedHelpFile, QWidget* parent = nullptr);

  // Carries out one help request and brings the window to the front.
  void Show(const QString& helpFile, int command, int context);

  // What is on display, for the window's owner and tests: the topic's context number
  // (kHelpOnHelpPage for the built-in page, 0 when no topic is shown), its title, the
  // note above it, and the file whose topics are listed.
  static constexpr int kHelpOnHelpPage = -1;
  int CurrentContext() const;
  QString CurrentTitle() const;
  QString Notice() const;
  QString PageText() const;
  QString ShownFile() const { return shownFile_; }

  // Goes to the first topic at or after the current one that holds `text`, and marks
  // it; false when no topic holds it.
  bool Find(const QString& text);
  void Back();
  void Forward();
  void OpenLink(const QUrl& url);

 private:
  bool Load(const QString& helpFile);
  void ShowPage(int page, bool remember);
  void ShowMessagePage(const QString& message);
  int PageOfContext(int context) const;
  int ContentsPage() const;
  void UpdateButtons();
  void SetNotice(const QString& text);

  static constexpr int kNoPage = -2;

  QString installedHelpFile_;
  QString shownFile_;
  QString documentTitle_;
  std::vector<HelpTopic> topics_;
  int page_ = kNoPage;  // index into topics_, kHelpOnHelpPage, or kNoPage
  std::vector<int> history_;
  int historyPos_ = -1;

  QListWidget* topicList_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QLabel* notice_ = nullptr;
  QLineEdit* findBox_ = nullptr;
  QToolButton* backButton_ = nullptr;
  QToolButton* forwardButton_ = nullptr;
  QToolButton* contentsButton_ = nullptr;
};

}  // namespace vamplet
