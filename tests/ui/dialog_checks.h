// Test helpers for dialogs: a control found by its name, the bytes of a
// written file, and the layout checks of the rendering tests (texts that do
// not fit their control, controls that overlap).
#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// Visible labels, buttons, number and date fields and group titles whose
// text does not fit.
inline QStringList CutTexts(const QWidget* dialog) {
  const auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
  QStringList cut;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    if (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                          : label->width() < label->sizeHint().width())
      cut << label->text();
  }
  // A push button may be narrower than the style's smallest width as long
  // as its text fits with a few pixels each side; radio buttons and check
  // boxes need their mark beside the text.
  for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty()) continue;
    const int needed = qobject_cast<const QPushButton*>(button)
                           ? button->fontMetrics().horizontalAdvance(plain(button->text())) + 8
                           : button->sizeHint().width();
    if (button->width() < needed) cut << button->text();
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
  return cut;
}

// Pairs of visible controls with the same parent (the dialog or one of its
// group boxes) whose rectangles overlap.
inline QStringList Overlaps(const QWidget* dialog) {
  QList<const QWidget*> parents{dialog};
  for (const QGroupBox* group : dialog->findChildren<QGroupBox*>()) parents << group;
  QStringList overlaps;
  for (const QWidget* parent : parents) {
    QList<const QWidget*> controls;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (child->isVisible() && !child->isWindow()) controls << child;
    for (int i = 0; i < controls.size(); ++i)
      for (int j = i + 1; j < controls.size(); ++j)
        if (controls[i]->geometry().intersects(controls[j]->geometry()))
          overlaps << controls[i]->objectName() + "/" + controls[j]->objectName();
  }
  return overlaps;
}

// Saves a picture of `dialog` as `picture` in the test's build folder and
// checks it for cut texts and overlapping controls.
inline void SaveAndCheck(QWidget* dialog, const char* picture) {
  QCoreApplication::processEvents();
  const QString path = QStringLiteral(TOBREL_TEST_ARTIFACTS "/") + picture;
  QVERIFY(dialog->grab().save(path));
  qInfo("picture: %s", qPrintable(path));
  const QStringList cut = CutTexts(dialog);
  QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + cut.join(QStringLiteral(" | "))));
  const QStringList overlaps = Overlaps(dialog);
  QVERIFY2(overlaps.isEmpty(),
           qPrintable(QStringLiteral("overlap: ") + overlaps.join(QStringLiteral(" | "))));
}

}  // namespace tobrel::testing
