#include "ui/dialogs/exp_mes_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/widgets/dialog_support.h"
#include "ui/widgets/radio_group.h"
#include "ui/view/view_font.h"

namespace tobrel {
namespace {

Qt::Alignment ColumnAlignment(const ExcludedListColumn& column) {
  return (column.right_aligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

}  // namespace

TExpMesForm::TExpMesForm(const LogStore& store, QWidget* parent)
    : QDialog(parent), store_(store) {
  setObjectName(QStringLiteral("ExpMesForm"));
  setModal(true);
  setWindowTitle(U("集計から除外した発言の確認 一覧"));

  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setSortingEnabled(false);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setFont(ResolveViewFont(QString::fromLatin1(kDefaultViewFontName), kDefaultViewFontSize));
  const auto& columns = ExcludedListColumns();
  ListView1->setColumnCount(static_cast<int>(columns.size()));
  auto* header = new QTreeWidgetItem;
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    header->setText(i, FromCp932(columns[i].heading));
    header->setTextAlignment(i, ColumnAlignment(columns[i]));
  }
  ListView1->setHeaderItem(header);
  ListView1->header()->setStretchLastSection(false);
  ListView1->header()->setSectionsClickable(true);
  ListView1->header()->setSortIndicatorShown(false);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i)
    ListView1->setColumnWidth(i, columns[i].width);

  RadioGroup1 = new TRadioGroup(QStringLiteral("RadioGroup1"), U("並び順(&S)"),
                                {U("昇順"), U("降順")}, 2, this);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  BitBtn1 = new QPushButton(U("&OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);

  connect(ListView1->header(), &QHeaderView::sectionClicked, this,
          &TExpMesForm::ListView1ColumnClick);
  connect(RadioGroup1, &TRadioGroup::ItemClicked, this, &TExpMesForm::RadioGroup1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(RadioGroup1);
  bottom->addSpacing(16);
  bottom->addWidget(Label1);
  bottom->addStretch();
  bottom->addWidget(BitBtn1, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListView1, 1);
  layout->addLayout(bottom);
  resize(560, 380);
}

bool TExpMesForm::Descending() const { return RadioGroup1->ItemIndex() == 1; }

void TExpMesForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {  // opened, not restored by the window system
    rows_ = InitialExcludedList(store_.Excluded, Descending());
    sort_column_ = 0;
    ShowRows();
    Label1->setText(FromCp932(ExcludedCountLabel(rows_.size())));
    CenterOverParent(this);
  }
  QDialog::showEvent(event);
}

void TExpMesForm::ShowRows() {
  const auto& columns = ExcludedListColumns();
  ListView1->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows_.size()));
  for (const ExcludedRow& row : rows_) {
    auto* item = new QTreeWidgetItem;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
      item->setText(i, FromCp932(row.cells[i]));
      item->setTextAlignment(i, ColumnAlignment(columns[i]));
    }
    items.append(item);
  }
  ListView1->addTopLevelItems(items);
}

void TExpMesForm::ListView1ColumnClick(int column) {
  sort_column_ = column;
  SortExcludedRows(rows_, sort_column_, Descending());
  ShowRows();
}

void TExpMesForm::RadioGroup1Click() {
  SortExcludedRows(rows_, sort_column_, Descending());
  ShowRows();
}

}  // namespace tobrel
