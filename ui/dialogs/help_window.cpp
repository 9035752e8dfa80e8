#include "ui/dialogs/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tobrel {
namespace {

constexpr QSize kWantedSize(820, 700);

// A link the reader follows itself: a page of the manual (or a place in
// one). Everything else (the web, mail, files that are no page) goes to the
// desktop.
bool IsManualPage(const QUrl& url) {
  if (!url.isLocalFile()) return false;
  const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
  return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

QString UrlText(const QUrl& url) {
  return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toDisplayString();
}

// An action of the window's tool bar, with its keys named in its tip.
QAction* ToolAction(QWidget* owner, const char* name, const QString& text, const QString& tip,
                    const QList<QKeySequence>& keys, QStyle::StandardPixmap icon) {
  auto* action = new QAction(owner->style()->standardIcon(icon), text, owner);
  action->setObjectName(QLatin1String(name));
  action->setShortcuts(keys);
  action->setToolTip(keys.isEmpty()
                         ? tip
                         : QStringLiteral("%1 (%2)").arg(tip, keys.front().toString(QKeySequence::NativeText)));
  owner->addAction(action);
  return action;
}

// A key of the window that no button shows.
QAction* KeyAction(QWidget* owner, QKeySequence::StandardKey key) {
  auto* action = new QAction(owner);
  action->setShortcuts(key);
  owner->addAction(action);
  return action;
}

}  // namespace

QRect KeptOnScreen(const QRect& window, const QRect& screen) {
  QRect kept(window.topLeft(), window.size().boundedTo(screen.size()));
  if (kept.right() > screen.right()) kept.moveRight(screen.right());
  if (kept.bottom() > screen.bottom()) kept.moveBottom(screen.bottom());
  if (kept.left() < screen.left()) kept.moveLeft(screen.left());
  if (kept.top() < screen.top()) kept.moveTop(screen.top());
  return kept;
}

QRect HelpWindowPlacement(const QRect& owner, const QSize& wanted, const QRect& screen) {
  const QSize size = wanted.boundedTo(screen.size());
  QRect place(QPoint(owner.right() + 1, owner.top()), size);
  if (place.right() > screen.right())
    place.moveCenter(owner.center());  // no room beside: over it
  return KeptOnScreen(place, screen);
}

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("ヘルプ"));
  url_opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Links are followed here, so that a link out of the manual goes to the
  // desktop and one into it stays in this window.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::FollowLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildToolBar());
  layout->addWidget(browser_, 1);
  layout->addLayout(BuildFindBar());
  resize(kWantedSize);
  browser_->setFocus();
}

QToolBar* THelpWindow::BuildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("HelpToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_ = ToolAction(this, "HelpBack", QStringLiteral("戻る"), QStringLiteral("前に見ていた場所へ戻る"),
                     {QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)},
                     QStyle::SP_ArrowBack);
  back_->setEnabled(false);
  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  forward_ = ToolAction(this, "HelpForward", QStringLiteral("進む"), QStringLiteral("戻る前の場所へ進む"),
                        {QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)},
                        QStyle::SP_ArrowForward);
  forward_->setEnabled(false);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  QAction* home = ToolAction(this, "HelpContents", QStringLiteral("目次"),
                             QStringLiteral("説明書の先頭の目次へ"),
                             {QKeySequence(Qt::ALT | Qt::Key_Home)}, QStyle::SP_DirHomeIcon);
  connect(home, &QAction::triggered, this, [this] {
    QUrl top = browser_->source();
    top.setFragment(QString());
    if (!top.isEmpty()) browser_->setSource(top);
  });
  QAction* outside = ToolAction(this, "HelpOpenInBrowser", QStringLiteral("ブラウザで開く"),
                                QStringLiteral("このページをデスクトップのブラウザで開く"), {},
                                QStyle::SP_DesktopIcon);
  connect(outside, &QAction::triggered, this, &THelpWindow::OpenInBrowser);
  bar->addAction(back_);
  bar->addAction(forward_);
  bar->addAction(home);
  bar->addSeparator();
  bar->addAction(outside);
  return bar;
}

QLayout* THelpWindow::BuildFindBar() {
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(6, 4, 6, 4);
  find_field_ = new QLineEdit(this);
  find_field_->setObjectName(QStringLiteral("HelpFindText"));
  find_field_->setPlaceholderText(QStringLiteral("説明書の中を検索"));
  find_field_->setClearButtonEnabled(true);
  auto* label = new QLabel(QStringLiteral("検索(&F):"), this);
  label->setBuddy(find_field_);
  auto* previous = new QToolButton(this);
  previous->setObjectName(QStringLiteral("HelpFindPrevious"));
  previous->setText(QStringLiteral("前を検索"));
  auto* next = new QToolButton(this);
  next->setObjectName(QStringLiteral("HelpFindNext"));
  next->setText(QStringLiteral("次を検索"));
  find_note_ = new QLabel(this);
  find_note_->setObjectName(QStringLiteral("HelpFindNote"));
  bar->addWidget(label);
  bar->addWidget(find_field_, 1);
  bar->addWidget(previous);
  bar->addWidget(next);
  bar->addWidget(find_note_, 1);

  const auto find_next = [this] { FindText(find_field_->text(), false); };
  const auto find_previous = [this] { FindText(find_field_->text(), true); };
  connect(find_field_, &QLineEdit::returnPressed, this, find_next);
  connect(find_field_, &QLineEdit::textEdited, find_note_, &QLabel::clear);
  connect(next, &QToolButton::clicked, this, find_next);
  connect(previous, &QToolButton::clicked, this, find_previous);
  connect(KeyAction(this, QKeySequence::Find), &QAction::triggered, this, &THelpWindow::FocusFindField);
  connect(KeyAction(this, QKeySequence::FindNext), &QAction::triggered, this, find_next);
  connect(KeyAction(this, QKeySequence::FindPrevious), &QAction::triggered, this, find_previous);
  next->setToolTip(QStringLiteral("次を検索 (Enter, %1)")
                       .arg(QKeySequence(QKeySequence::FindNext).toString(QKeySequence::NativeText)));
  previous->setToolTip(
      QStringLiteral("前を検索 (%1)")
          .arg(QKeySequence(QKeySequence::FindPrevious).toString(QKeySequence::NativeText)));
  return bar;
}

void THelpWindow::ShowPage(const QString& path) {
  const QUrl page = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
  if (browser_->source().adjusted(QUrl::RemoveFragment) != page) {
    browser_->setSource(page);
    browser_->clearHistory();
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

bool THelpWindow::FindText(const QString& text, bool backward) {
  find_note_->clear();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (browser_->find(text, flags)) return true;
  // On from the other end of the page.
  const QTextCursor before = browser_->textCursor();
  QTextCursor from_end = before;
  from_end.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  browser_->setTextCursor(from_end);
  if (browser_->find(text, flags)) {
    find_note_->setStyleSheet(QString());
    find_note_->setText(backward ? QStringLiteral("末尾から続けて検索しました")
                                 : QStringLiteral("先頭から続けて検索しました"));
    return true;
  }
  browser_->setTextCursor(before);
  find_note_->setStyleSheet(QStringLiteral("color: #c00000;"));
  find_note_->setText(QStringLiteral("「%1」は見つかりません").arg(text));
  return false;
}

QString THelpWindow::FindNote() const { return find_note_->text(); }

void THelpWindow::OpenInBrowser() {
  const QUrl page = browser_->source();
  if (page.isEmpty()) return;
  OpenOutside(page);
}

void THelpWindow::FollowLink(const QUrl& link) {
  const QUrl target = browser_->source().resolved(link);
  if (IsManualPage(target))
    browser_->setSource(target);
  else
    OpenOutside(target);
}

void THelpWindow::OpenOutside(const QUrl& url) {
  if (url_opener_(url)) return;
  QMessageBox::warning(this, windowTitle(),
                       QStringLiteral("ブラウザで開けませんでした:\n") + UrlText(url));
}

void THelpWindow::FocusFindField() {
  find_field_->setFocus(Qt::ShortcutFocusReason);
  find_field_->selectAll();
}

void THelpWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  const QScreen* screen = owner ? owner->screen() : this->screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  // The frame (title bar, borders) is what has to fit on the screen.
  const QSize frame = frameGeometry().size() - size();
  const QRect place = placed_ || !owner
                          ? KeptOnScreen(frameGeometry(), available)
                          : HelpWindowPlacement(owner->frameGeometry(), size() + frame, available);
  placed_ = true;
  resize(place.size() - frame);
  move(place.topLeft());
}

}  // namespace tobrel
