// The help viewer: reading a help file's topics, and the window that shows them.
#include "platform/qt/help_viewer.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

namespace vamplet {

namespace {

const char* const kStyleSheet =
    "body { font-size: 11pt; }"
    "h1, h2 { color: #000080; }"
    "h3 { color: #000080; margin-top: 14px; }"
    "code, pre { font-family: 'Liberation Mono', 'DejaVu Sans Mono', monospace; }"
    "pre { background-color: #f2f2f2; }"
    "th { background-color: #e0e0e0; text-align: left; }"
    ".note { background-color: #fff6d0; }";

const char* const kHelpOnHelp = R"(
<h2>How to use Help</h2>
<p>Help is made of <b>topics</b>. Each topic explains one thing, and many topics lead
on to others.</p>
<h3>Moving between topics</h3>
<ul>
<li>The list on the left names every topic. Click a name to read that topic.</li>
<li>Underlined words in a topic are <b>links</b>: click one to go to the topic it names.</li>
<li><b>Contents</b> brings you back to the overview of all topics.</li>
<li><b>Back</b> returns to the topic you read before; <b>Forward</b> goes ahead again
after you went back. The keys Alt+Left and Alt+Right do the same.</li>
</ul>
<h3>Searching</h3>
<ul>
<li>Type a word into the <b>Find</b> box at the top and press Enter. Help marks the next
place where the word stands, in this topic or in the topics after it.</li>
<li>Press Enter again to go on to the next place. Ctrl+F puts the cursor in the Find box.</li>
<li>Upper and lower case do not matter when you search.</li>
</ul>
<h3>Reading</h3>
<ul>
<li>Scroll with the mouse wheel, the scroll bar, or the Page Up and Page Down keys.</li>
<li>Select text with the mouse and press Ctrl+C to copy it, for example a chart example
that you want to paste into a song.</li>
<li>The Help window stays open beside the program. Close it when you are done; the Help
menu opens it again where you need it.</li>
</ul>
)";

QString PlainText(const QString& html) {
  return QTextDocumentFragment::fromHtml(html).toPlainText();
}

QString AttributeValue(const QString& attributes, const QString& name) {
  const QRegularExpression re(name + QStringLiteral(R"re(\s*=\s*"([^"]*)")re"),
                              QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(attributes);
  return m.hasMatch() ? m.captured(1) : QString();
}

}  // namespace

bool ReadHelpFile(const QString& path, std::vector<HelpTopic>& topics, QString& documentTitle,
                  QString& error) {
  topics.clear();
  documentTitle.clear();
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists() || info.isDir()) {
    error = QStringLiteral("The help file %1 was not found.").arg(path);
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("The help file %1 could not be read: %2.").arg(path, file.errorString());
    return false;
  }
  QString text = QString::fromUtf8(file.readAll());
  // A comment may describe the format, <section> tags and all; it holds no topics.
  text.remove(QRegularExpression(QStringLiteral("<!--.*?-->"),
                                 QRegularExpression::DotMatchesEverythingOption));

  const QRegularExpression titleRe(QStringLiteral("<title>(.*?)</title>"),
                                   QRegularExpression::DotMatchesEverythingOption |
                                       QRegularExpression::CaseInsensitiveOption);
  documentTitle = PlainText(titleRe.match(text).captured(1)).simplified();

  const QRegularExpression sectionRe(QStringLiteral("<section\\b([^>]*)>(.*?)</section>"),
                                     QRegularExpression::DotMatchesEverythingOption |
                                         QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression headingRe(QStringLiteral("<h([12])\\b[^>]*>(.*?)</h\\1>"),
                                     QRegularExpression::DotMatchesEverythingOption |
                                         QRegularExpression::CaseInsensitiveOption);
  for (auto it = sectionRe.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    bool numeric = false;
    const int context = AttributeValue(m.captured(1), QStringLiteral("data-context")).toInt(&numeric);
    if (!numeric) continue;
    HelpTopic topic;
    topic.context = context;
    topic.id = AttributeValue(m.captured(1), QStringLiteral("id"));
    topic.html = m.captured(2);
    topic.title = PlainText(headingRe.match(topic.html).captured(2)).simplified();
    if (topic.title.isEmpty()) topic.title = QStringLiteral("Topic %1").arg(context);
    topics.push_back(std::move(topic));
  }
  if (topics.empty()) {
    error = QStringLiteral("The help file %1 holds no help topics.").arg(path);
    return false;
  }
  return true;
}

HelpViewer::HelpViewer(QString installedHelpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), installedHelpFile_(std::move(installedHelpFile)) {
  setWindowTitle(QStringLiteral("Help"));
  resize(900, 640);

  contentsButton_ = new QToolButton(this);
  contentsButton_->setText(QStringLiteral("Contents"));
  backButton_ = new QToolButton(this);
  backButton_->setText(QStringLiteral("Back"));
  backButton_->setShortcut(QKeySequence(QKeySequence::Back));
  forwardButton_ = new QToolButton(this);
  forwardButton_->setText(QStringLiteral("Forward"));
  forwardButton_->setShortcut(QKeySequence(QKeySequence::Forward));
  auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
  findBox_ = new QLineEdit(this);
  findBox_->setClearButtonEnabled(true);
  findBox_->setPlaceholderText(QStringLiteral("word to find, then Enter"));
  findLabel->setBuddy(findBox_);
  auto* findButton = new QPushButton(QStringLiteral("Find next"), this);
  findButton->setAutoDefault(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(contentsButton_);
  bar->addWidget(backButton_);
  bar->addWidget(forwardButton_);
  bar->addSpacing(16);
  bar->addWidget(findLabel);
  bar->addWidget(findBox_, 1);
  bar->addWidget(findButton);

  notice_ = new QLabel(this);
  notice_->setWordWrap(true);
  notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  notice_->setStyleSheet(QStringLiteral("background-color: #fff6d0; padding: 6px;"));
  notice_->hide();

  topicList_ = new QListWidget(this);
  topicList_->setSelectionMode(QAbstractItemView::SingleSelection);
  topicList_->setWordWrap(true);
  topicList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(false);
  browser_->document()->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));

  auto* splitter = new QSplitter(this);
  splitter->addWidget(topicList_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 620});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(notice_);
  layout->addWidget(splitter, 1);

  connect(contentsButton_, &QToolButton::clicked, this, [this] {
    if (!topics_.empty()) ShowPage(ContentsPage(), true);
  });
  connect(backButton_, &QToolButton::clicked, this, [this] { Back(); });
  connect(forwardButton_, &QToolButton::clicked, this, [this] { Forward(); });
  connect(findBox_, &QLineEdit::returnPressed, this, [this] { Find(findBox_->text()); });
  connect(findButton, &QPushButton::clicked, this, [this] { Find(findBox_->text()); });
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
    findBox_->setFocus();
    findBox_->selectAll();
  });
  connect(topicList_, &QListWidget::itemSelectionChanged, this, [this] {
    const int row = topicList_->currentRow();
    if (!topicList_->selectedItems().isEmpty() && row != page_) ShowPage(row, true);
  });
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { OpenLink(url); });
  UpdateButtons();
}

void HelpViewer::Show(const QString& helpFile, int command, int context) {
  const bool loaded = Load(helpFile);
  if (command == kHelpHelpOnHelp) {
    ShowPage(kHelpOnHelpPage, true);
  } else if (!loaded) {
    ShowMessagePage(Notice());
    SetNotice(QString());
  } else if (command == kHelpContext && PageOfContext(context) >= 0) {
    ShowPage(PageOfContext(context), true);
  } else {
    if (command == kHelpContext) {
      const QString missing =
          QStringLiteral("This help file has no topic number %1; here are its contents.").arg(context);
      SetNotice(Notice().isEmpty() ? missing : Notice() + QLatin1Char(' ') + missing);
    }
    ShowPage(ContentsPage(), true);
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

bool HelpViewer::Load(const QString& helpFile) {
  QString error;
  QString fileError;
  std::vector<HelpTopic> topics;
  QString title;
  QString shown = helpFile;
  if (!ReadHelpFile(helpFile, topics, title, fileError)) {
    error = fileError;
    shown.clear();
    const bool otherCopy = !installedHelpFile_.isEmpty() &&
                           QFileInfo(installedHelpFile_).absoluteFilePath() !=
                               QFileInfo(helpFile).absoluteFilePath();
    QString installedError;
    if (otherCopy && ReadHelpFile(installedHelpFile_, topics, title, installedError)) {
      shown = installedHelpFile_;
      error += QStringLiteral(" Showing the copy installed with the program, %1.").arg(shown);
    }
  }
  if (shown != shownFile_ || topics.size() != topics_.size()) {
    history_.clear();
    historyPos_ = -1;
  }
  topics_ = std::move(topics);
  shownFile_ = shown;
  documentTitle_ = title;
  setWindowTitle(documentTitle_.isEmpty() ? QStringLiteral("Help") : documentTitle_);

  topicList_->blockSignals(true);
  topicList_->clear();
  for (const HelpTopic& topic : topics_) topicList_->addItem(topic.title);
  topicList_->blockSignals(false);
  page_ = kNoPage;
  SetNotice(error);
  UpdateButtons();
  return !shownFile_.isEmpty();
}

void HelpViewer::ShowPage(int page, bool remember) {
  QString html;
  if (page == kHelpOnHelpPage) {
    html = QString::fromLatin1(kHelpOnHelp);
  } else if (page >= 0 && page < static_cast<int>(topics_.size())) {
    html = topics_[page].html;
  } else {
    return;
  }
  page_ = page;
  browser_->setHtml(QStringLiteral("<html><body>%1</body></html>").arg(html));
  {
    const QSignalBlocker quiet(topicList_);
    if (page >= 0) {
      topicList_->setCurrentRow(page);
    } else {
      topicList_->clearSelection();
    }
  }
  if (remember && (historyPos_ < 0 || history_[historyPos_] != page)) {
    history_.resize(historyPos_ + 1);
    history_.push_back(page);
    historyPos_ = static_cast<int>(history_.size()) - 1;
  }
  UpdateButtons();
}

void HelpViewer::ShowMessagePage(const QString& message) {
  page_ = kNoPage;
  browser_->setHtml(QStringLiteral("<html><body><h2>Help is not available</h2><p>%1</p>"
                                   "<p>Reinstall the program to get its help file back.</p>"
                                   "</body></html>")
                        .arg(message.toHtmlEscaped()));
  UpdateButtons();
}

int HelpViewer::PageOfContext(int context) const {
  for (size_t i = 0; i < topics_.size(); ++i)
    if (topics_[i].context == context) return static_cast<int>(i);
  return -1;
}

int HelpViewer::ContentsPage() const {
  const int page = PageOfContext(kContentsContext);
  return page >= 0 ? page : 0;
}

int HelpViewer::CurrentContext() const {
  if (page_ == kHelpOnHelpPage) return kHelpOnHelpPage;
  return page_ >= 0 ? topics_[page_].context : 0;
}

QString HelpViewer::CurrentTitle() const {
  if (page_ == kHelpOnHelpPage) return QStringLiteral("How to use Help");
  return page_ >= 0 ? topics_[page_].title : QString();
}

QString HelpViewer::Notice() const { return notice_->text(); }

QString HelpViewer::PageText() const { return browser_->toPlainText(); }

bool HelpViewer::Find(const QString& text) {
  if (text.trimmed().isEmpty()) return false;
  if (page_ != kNoPage && browser_->find(text)) return true;
  const int count = static_cast<int>(topics_.size());
  const int start = page_ >= 0 ? page_ : -1;
  for (int step = 1; step <= count; ++step) {
    const int page = (start + step + count) % count;
    if (!PlainText(topics_[page].html).contains(text, Qt::CaseInsensitive)) continue;
    ShowPage(page, true);
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(text);
    return true;
  }
  SetNotice(QStringLiteral("No topic holds \"%1\".").arg(text));
  return false;
}

void HelpViewer::Back() {
  if (historyPos_ <= 0) return;
  --historyPos_;
  ShowPage(history_[historyPos_], false);
}

void HelpViewer::Forward() {
  if (historyPos_ + 1 >= static_cast<int>(history_.size())) return;
  ++historyPos_;
  ShowPage(history_[historyPos_], false);
}

void HelpViewer::OpenLink(const QUrl& url) {
  if (url.scheme().isEmpty() && url.path().isEmpty()) {
    for (size_t i = 0; i < topics_.size(); ++i) {
      if (topics_[i].id == url.fragment()) {
        ShowPage(static_cast<int>(i), true);
        return;
      }
    }
    return;
  }
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
    QDesktopServices::openUrl(url);
  }
}

void HelpViewer::UpdateButtons() {
  backButton_->setEnabled(historyPos_ > 0);
  forwardButton_->setEnabled(historyPos_ + 1 < static_cast<int>(history_.size()));
  contentsButton_->setEnabled(!topics_.empty());
}

void HelpViewer::SetNotice(const QString& text) {
  notice_->setText(text);
  notice_->setVisible(!text.isEmpty());
}

}  // namespace vamplet
