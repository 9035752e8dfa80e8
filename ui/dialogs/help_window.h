// THelpWindow: the program's own reader of the user manual, so that Help
// needs no browser. It shows an HTML page with its pictures, follows links
// between chapters and to anchors, keeps a history for back and forward
// (Alt+Left, Alt+Right), finds text (Ctrl+F, next and previous, wrapping
// at either end) and hands the page it shows to the desktop's browser on
// request. One window serves the whole run: it keeps its size and place
// between showings, and is always put back on the screen when shown.
#pragma once

#include <QRect>
#include <QUrl>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QLayout;
class QLineEdit;
class QTextBrowser;
class QToolBar;

namespace tobrel {

// Where the help window goes when it is first shown: `wanted` in size
// (shrunk to fit `screen`), to the right of the window frame `owner` when
// there is room beside it, otherwise over it, and always wholly on `screen`.
QRect HelpWindowPlacement(const QRect& owner, const QSize& wanted, const QRect& screen);

// `window` moved (and shrunk when it is larger) to lie wholly on `screen`.
QRect KeptOnScreen(const QRect& window, const QRect& screen);

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  // Hands a page to the desktop's browser; false when nothing took it.
  using UrlOpener = std::function<bool(const QUrl&)>;

  // A top-level window; with `owner` it closes with it and is first placed
  // beside it.
  explicit THelpWindow(QWidget* owner = nullptr);

  // Shows the HTML file at `path` from its start (unless that file is already
  // shown, where the reader stays) and brings the window to the front.
  void ShowPage(const QString& path);

  // Finds `text` after the current selection (before it when `backward`),
  // going on from the other end of the page when the end is reached, and
  // selects it. False when the page holds it nowhere; the find bar says so.
  bool FindText(const QString& text, bool backward = false);

  // Opens the page shown, at the place shown, in the desktop's browser; a
  // message box tells when no browser took it.
  void OpenInBrowser();

  // Replaces the desktop's browser (QDesktopServices) for OpenInBrowser and
  // for links that lead out of the manual (http:, mailto:).
  void SetUrlOpener(UrlOpener opener) { url_opener_ = std::move(opener); }

  QTextBrowser* Browser() const { return browser_; }
  // What the find bar says about the last search ("" after a plain find).
  QString FindNote() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QToolBar* BuildToolBar();
  QLayout* BuildFindBar();
  void FollowLink(const QUrl& link);
  void OpenOutside(const QUrl& url);
  void FocusFindField();

  QTextBrowser* browser_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QLineEdit* find_field_ = nullptr;
  QLabel* find_note_ = nullptr;
  UrlOpener url_opener_;
  bool placed_ = false;
};

}  // namespace tobrel
