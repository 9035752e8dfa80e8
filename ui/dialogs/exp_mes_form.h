// TExpMesForm: the list of the postings left out while logs were read. On
// showing it lists every ExcludedRec of the store, sorted by room and number
// in the direction the "並び順(&S)" group chooses, with their count beside
// the buttons. A click on a column heading sorts by that column; a click on
// a direction re-sorts by the column sorted last.
#pragma once

#include <QDialog>
#include <vector>

#include "core/log_store.h"
#include "exclusion/excluded_list.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tobrel {

class TRadioGroup;

class TExpMesForm : public QDialog {
  Q_OBJECT

 public:
  // `store` must outlive the dialog.
  explicit TExpMesForm(const LogStore& store, QWidget* parent = nullptr);

  // The column sorted last (0 after every showing).
  int SortColumn() const { return sort_column_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool Descending() const;
  void ShowRows();
  void ListView1ColumnClick(int column);
  void RadioGroup1Click();

  const LogStore& store_;
  std::vector<ExcludedRow> rows_;
  int sort_column_ = 0;
  QTreeWidget* ListView1;
  TRadioGroup* RadioGroup1;  // "並び順(&S)"
  QLabel* Label1;            // the count
  QPushButton* BitBtn1;      // "&OK"
};

}  // namespace tobrel
