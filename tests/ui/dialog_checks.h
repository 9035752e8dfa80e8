// Test helpers for dialogs: a control found by its name, the bytes of a
// written file, and the layout checks of the rendering tests (texts that do
// not fit their control, controls that overlap or leave their window, tabs
// cut short), which every rendering test of a window or dialog runs.
#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QSizeGrip>
#include <QTabBar>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string>

#include "support/file_bytes.h"

namespace tobrel::testing {

// The control `name` of `form`; a missing one ends the test program.
template <typename Widget = QWidget>
Widget* Child(QObject& form, const char* name) {
  auto* child = form.findChild<Widget*>(QString::fromLatin1(name));
  if (!child) qFatal("no control %s", name);
  return child;
}

// A control's name for a message: its object name, else its class.
inline QString ControlName(const QWidget* control) {
  return control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                         : control->objectName();
}

// Visible labels, buttons, number and date fields and group titles whose
// text does not fit.
inline QStringList CutTexts(const QWidget* dialog) {
  const auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
  QStringList cut;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    if (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                          : label->width() < label->sizeHint().width() ||
                                label->height() < label->fontMetrics().height())
      cut << label->text();
  }
  // A push button may be narrower than the style's smallest width as long
  // as its text fits with a few pixels each side; radio buttons and check
  // boxes need their mark beside the text.
  for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty()) continue;
    const bool push = qobject_cast<const QPushButton*>(button);
    const int needed = push ? button->fontMetrics().horizontalAdvance(plain(button->text())) + 8
                            : button->sizeHint().width();
    const int needed_height =
        push ? button->fontMetrics().height() + 2 : button->sizeHint().height();
    if (button->width() < needed || button->height() < needed_height) cut << button->text();
  }
  for (const QAbstractSpinBox* field : dialog->findChildren<QAbstractSpinBox*>()) {
    // The area that shows the text, with the line edit's own margins.
    const auto* edit = field->findChild<QLineEdit*>();
    if (field->isVisible() && edit->width() < edit->fontMetrics().horizontalAdvance(field->text()) + 8)
      cut << field->text();
  }
  for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
    if (group->isVisible() &&
        group->width() < group->fontMetrics().horizontalAdvance(plain(group->title())) + 16)
      cut << group->title();
  // Every tab of a tab bar whole, its text inside it, and no scroll arrows.
  for (const QTabBar* bar : dialog->findChildren<QTabBar*>()) {
    if (!bar->isVisible()) continue;
    for (int i = 0; i < bar->count(); ++i) {
      const QRect tab = bar->tabRect(i);
      if (tab.right() >= bar->width() ||
          tab.width() < bar->fontMetrics().horizontalAdvance(plain(bar->tabText(i))) + 4)
        cut << bar->tabText(i);
    }
  }
  return cut;
}

// Whether `widget` is drawn inside a scrolling view (a list's rows, the
// page of a scroll area), where lying beyond the view is what scrolling is for.
inline bool InsideScrollingView(const QWidget* widget) {
  for (const QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget()))
      if (area->viewport() == w) return true;
  return false;
}

// Visible controls that reach beyond the window they are in.
inline QStringList OutsideTheWindow(const QWidget* window) {
  QStringList outside;
  for (const QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisible() || child->isWindow() || InsideScrollingView(child)) continue;
    const QRect in_window(child->mapTo(window, QPoint(0, 0)), child->size());
    if (!window->rect().contains(in_window))
      outside << ControlName(child);
  }
  return outside;
}

// Pairs of visible controls with the same parent (the dialog, one of its
// group boxes, or any widget that lays its children out) whose rectangles
// overlap.
inline QStringList Overlaps(const QWidget* dialog) {
  QList<const QWidget*> parents{dialog};
  for (const QWidget* widget : dialog->findChildren<QWidget*>())
    if (widget->isVisible() && (widget->layout() || qobject_cast<const QGroupBox*>(widget)) &&
        !InsideScrollingView(widget))
      parents << widget;
  QStringList overlaps;
  for (const QWidget* parent : parents) {
    QList<const QWidget*> controls;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      // A dialog's size grip lies over its corner by design.
      if (child->isVisible() && !child->isWindow() && !qobject_cast<const QSizeGrip*>(child))
        controls << child;
    for (int i = 0; i < controls.size(); ++i)
      for (int j = i + 1; j < controls.size(); ++j)
        if (controls[i]->geometry().intersects(controls[j]->geometry()))
          overlaps << ControlName(controls[i]) + "/" + ControlName(controls[j]);
  }
  return overlaps;
}

// Every fault of the layout checks above, in one list.
inline QStringList LayoutFaults(const QWidget* window) {
  QStringList faults;
  for (const QString& text : CutTexts(window)) faults << QStringLiteral("cut: ") + text;
  for (const QString& pair : Overlaps(window)) faults << QStringLiteral("overlap: ") + pair;
  for (const QString& name : OutsideTheWindow(window)) faults << QStringLiteral("outside: ") + name;
  return faults;
}

// Where a picture named `picture` ("name.png") goes in the test's build
// folder; at a scale other than 1 (QT_SCALE_FACTOR) the name ends in
// "_x" and the scale ("name_x1.5.png"), so that the runs at both scales keep
// their pictures.
inline QString PicturePath(const QString& picture) {
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
  QString name = picture;
  if (!scale.isEmpty() && scale != QLatin1String("1"))
    name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("_x") + scale);
  return QStringLiteral(TOBREL_TEST_ARTIFACTS "/") + name;
}

// Saves a picture of `dialog` as `picture` (PicturePath) and checks it for
// cut texts, overlapping controls and controls outside it.
inline void SaveAndCheck(QWidget* dialog, const QString& picture) {
  QCoreApplication::processEvents();
  const QString path = PicturePath(picture);
  QVERIFY(dialog->grab().save(path));
  qInfo("picture: %s", qPrintable(path));
  const QStringList faults = LayoutFaults(dialog);
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(" | "))));
}

}  // namespace tobrel::testing
