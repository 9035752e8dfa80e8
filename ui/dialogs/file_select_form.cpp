#include "ui/dialogs/file_select_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "platform/wine_paths.h"
#include "sources/selection_text.h"
#include "ui/widgets/dialog_placement.h"
#include "ui/dialogs/folder_tree.h"
#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

// The hourglass while a folder is listed.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// A drive list entry: the folder, led by its drive letter when it is one
// of the Wine prefix's drives.
QString DriveLabel(const std::string& folder, const std::vector<WineDrive>& wine_drives) {
  for (const WineDrive& drive : wine_drives)
    if (drive.target.string() == folder)
      return QStringLiteral("%1:  %2")
          .arg(QChar(std::toupper(static_cast<unsigned char>(drive.letter))))
          .arg(FromNative(folder));
  return FromNative(folder);
}

QLabel* NewLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TFileSelectFrm::TFileSelectFrm(std::filesystem::path wine_prefix,
                               const FolderListSettings& settings, QWidget* parent)
    : QDialog(parent), model_(settings), drives_(DriveFolders(wine_prefix)) {
  setObjectName(QStringLiteral("TFileSelectFrm"));
  setWindowTitle(QStringLiteral("ﾛｸﾞﾌｧｲﾙの選択"));
  setToolTip(QStringLiteral("ﾛｸﾞﾌｫﾙﾀﾞ一覧からﾛｸﾞﾌｧｲﾙを選択"));
  setModal(true);
  CreateControls();
  const std::vector<WineDrive> wine_drives = WineDrives(wine_prefix);
  for (const std::string& drive : drives_) DriveComboBox1->addItem(DriveLabel(drive, wine_drives));
  ShowMasks();
}

void TFileSelectFrm::CreateControls() {
  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  DriveComboBox1->setToolTip(QStringLiteral("ﾄﾞﾗｲﾌﾞの選択"));

  DirectoryListBox1 = new FolderTree(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DirectoryListBox1->setToolTip(QStringLiteral("ﾌｫﾙﾀﾞ一覧"));

  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setToolTip(QStringLiteral(
      "選択できるﾌｧｲﾙ一覧。SHIFT、CTRLｷｰとのの併用で複数を選択することができます。"));
  ListView1->setRootIsDecorated(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView1->setHeaderLabels(
      {QStringLiteral("File Name"), QStringLiteral("FileSize"), QStringLiteral("TimeStamp")});
  // The widths of the desktop this was first written for, widened where
  // this font needs more for a size or a time stamp.
  const QFontMetrics metrics = ListView1->fontMetrics();
  ListView1->setColumnWidth(0, 128);
  ListView1->setColumnWidth(1, std::max(100, metrics.horizontalAdvance(QStringLiteral("0,000,000,000")) + 16));
  ListView1->setColumnWidth(2, std::max(120, metrics.horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 16));
  ListView1->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  ListView1->header()->setSectionsClickable(true);
  ListView1->header()->setSortIndicatorShown(true);
  ListView1->header()->setStretchLastSection(true);

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setEditable(false);
  ComboBox1->setToolTip(QStringLiteral(
      "一覧表示するﾌｧｲﾙのﾏｽｸを選択。追加ﾎﾞﾀﾝで新しいﾏｽｸﾊﾟﾀｰﾝを追加設定できます"));

  BitBtn3 = new QPushButton(QStringLiteral("FileMaskの追加/変更(&A)"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setToolTip(QStringLiteral(
      "一覧表示するﾛｸﾞﾌｧｲﾙ名のﾏｽｸﾊﾟﾀｰﾝを追加設定します。複数のﾊﾟﾀｰﾝを\";\"で区切って設定できます"));
  BitBtn3->setAutoDefault(false);
  BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setToolTip(QStringLiteral("選択されたﾛｸﾞﾌｧｲﾙを設定して閉じる"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancel"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("設定せずに閉じる"));
  BitBtn2->setAutoDefault(false);

  auto* left = new QVBoxLayout;
  left->addWidget(NewLabel(QStringLiteral("ﾄﾞﾗｲﾌﾞ(&D)"), DriveComboBox1, this));
  left->addWidget(DriveComboBox1);
  left->addWidget(NewLabel(QStringLiteral("ﾌｫﾙﾀﾞ(&F)"), DirectoryListBox1, this));
  left->addWidget(DirectoryListBox1, 1);

  auto* mask = new QHBoxLayout;
  mask->addWidget(NewLabel(QStringLiteral("File &Mask"), ComboBox1, this));
  mask->addWidget(ComboBox1, 1);
  mask->addWidget(BitBtn3);
  auto* right = new QVBoxLayout;
  right->addWidget(NewLabel(QStringLiteral("ﾛｸﾞﾌｧｲﾙ(&L)"), ListView1, this));
  right->addWidget(ListView1, 1);
  right->addLayout(mask);

  auto* panes = new QHBoxLayout;
  panes->addLayout(left, 5);
  panes->addLayout(right, 8);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(buttons);
  resize(760, 440);

  connect(DriveComboBox1, &QComboBox::activated, this, &TFileSelectFrm::DriveComboBox1Change);
  connect(DirectoryListBox1, &FolderTree::FolderChanged, this,
          &TFileSelectFrm::DirectoryListBox1Change);
  connect(ComboBox1, &QComboBox::activated, this, &TFileSelectFrm::ComboBox1Change);
  connect(BitBtn3, &QPushButton::clicked, this, &TFileSelectFrm::BitBtn3Click);
  connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TFileSelectFrm::ListView1Change);
  connect(ListView1->header(), &QHeaderView::sectionClicked, this,
          &TFileSelectFrm::ListView1ColumnClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TFileSelectFrm::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &TFileSelectFrm::reject);
}

void TFileSelectFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOverParent(this);
  FormShow();
}

void TFileSelectFrm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) model_.Hide();
}

int TFileSelectFrm::DriveOf(const std::string& folder) const {
  const std::string path = WithFinalSlash(folder);
  int best = 0;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    const std::string drive = WithFinalSlash(drives_[i]);
    if (path.compare(0, drive.size(), drive) == 0 && drive.size() > best_length) {
      best = static_cast<int>(i);
      best_length = drive.size();
    }
  }
  return best;
}

void TFileSelectFrm::FormShow() {
  std::string folder = StartFolder(remembered_.last_log_folder);
  const int drive = DriveOf(folder);
  DriveComboBox1->setCurrentIndex(drive);
  DirectoryListBox1->SetRoot(drives_[static_cast<std::size_t>(drive)]);
  if (!DirectoryListBox1->SetCurrentFolder(folder)) {
    folder = StartFolder("");
    DirectoryListBox1->SetRoot(drives_[static_cast<std::size_t>(DriveOf(folder))]);
    DirectoryListBox1->SetCurrentFolder(folder);
  }
  {
    const BusyCursor busy;
    model_.Show(DirectoryListBox1->CurrentFolder());
  }
  ShowMasks();
  ListView1->header()->setSortIndicator(0, Qt::AscendingOrder);
  ShowRows();
}

void TFileSelectFrm::accept() {
  remembered_.last_log_folder = model_.NewLastLogFolder();
  QDialog::accept();
}

void TFileSelectFrm::DriveComboBox1Change(int index) {
  DirectoryListBox1->SetRoot(drives_[static_cast<std::size_t>(index)]);
}

void TFileSelectFrm::DirectoryListBox1Change() {
  {
    const BusyCursor busy;
    model_.ChangeFolder(DirectoryListBox1->CurrentFolder());
  }
  if (model_.showing()) ShowRows();
}

void TFileSelectFrm::ComboBox1Change(int index) {
  {
    const BusyCursor busy;
    model_.ChooseMask(static_cast<std::size_t>(index));
  }
  ShowRows();
}

void TFileSelectFrm::BitBtn3Click() {
  QInputDialog input(this);
  input.setObjectName(QStringLiteral("FileMaskInput"));
  input.setWindowTitle(QStringLiteral("ﾌｧｲﾙﾏｽｸの追加"));
  input.setLabelText(QStringLiteral("新しいﾌｧｲﾙﾏｽｸを設定してください"));
  input.setTextValue(FromCp932(model_.masks()[model_.mask_index()]));
  if (input.exec() != QDialog::Accepted) return;
  {
    const BusyCursor busy;
    model_.AddMask(ToCp932(input.textValue()));
  }
  ShowMasks();
  ShowRows();
}

void TFileSelectFrm::ListView1Change() {
  std::vector<std::size_t> rows;
  for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
    if (ListView1->topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  model_.SelectRows(rows);
}

void TFileSelectFrm::ListView1ColumnClick(int column) {
  std::vector<std::string> selected;
  for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
    if (ListView1->topLevelItem(i)->isSelected())
      selected.push_back(model_.rows()[static_cast<std::size_t>(i)].name);
  const auto file_column = static_cast<FileColumn>(column);
  model_.ClickColumn(file_column);
  ListView1->header()->setSortIndicator(
      column, model_.sort_counter(file_column) % 2 == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
  ShowRows(selected);
}

void TFileSelectFrm::ShowMasks() {
  const QSignalBlocker blocker(ComboBox1);
  ComboBox1->clear();
  for (const std::string& mask : model_.masks()) ComboBox1->addItem(FromCp932(mask));
  ComboBox1->setCurrentIndex(static_cast<int>(model_.mask_index()));
}

void TFileSelectFrm::ShowRows(const std::vector<std::string>& keep_selected) {
  {
    const QSignalBlocker blocker(ListView1);
    ListView1->clear();
    for (const FileRow& row : model_.rows()) {
      auto* item = new QTreeWidgetItem({PathText(row.name), QString::fromStdString(row.size_text),
                                        QString::fromStdString(row.time_text)});
      item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
      ListView1->addTopLevelItem(item);
      if (std::find(keep_selected.begin(), keep_selected.end(), row.name) != keep_selected.end())
        item->setSelected(true);
    }
  }
  ListView1->setFocus();
}

}  // namespace tobrel
