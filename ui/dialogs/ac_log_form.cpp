#include "ui/dialogs/ac_log_form.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "sources/folder_list_model.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/folder_browser.h"
#include "ui/widgets/qt_text.h"
#include "ui/view/view_font.h"

namespace tobrel {
namespace {

QTreeWidget* NewListView(const QString& name, const QString& hint,
                         const std::vector<std::pair<QString, int>>& columns, QWidget* parent) {
  auto* view = new QTreeWidget(parent);
  view->setObjectName(name);
  view->setToolTip(hint);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setColumnCount(static_cast<int>(columns.size()));
  QStringList titles;
  for (const auto& column : columns) titles << column.first;
  view->setHeaderLabels(titles);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i)
    view->setColumnWidth(i, columns[static_cast<std::size_t>(i)].second);
  // The last column takes what width is left (at least its own).
  view->header()->setStretchLastSection(true);
  return view;
}

// The rows of `view` that are selected, in list order.
std::vector<std::size_t> SelectedRows(const QTreeWidget* view) {
  std::vector<std::size_t> rows;
  for (int i = 0; i < view->topLevelItemCount(); ++i)
    if (view->topLevelItem(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
  return rows;
}

}  // namespace

TACLogFrm::TACLogFrm(std::filesystem::path wine_prefix, QWidget* parent)
    : QDialog(parent), model_(wine_prefix), drives_(DriveFolders(wine_prefix)) {
  setObjectName(QStringLiteral("TACLogFrm"));
  setWindowTitle(QStringLiteral("AirCraft ﾛｸﾞﾌｧｲﾙの選択"));
  setModal(true);
  CreateControls();
}

void TACLogFrm::CreateControls() {
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->addItems({QStringLiteral("共有ログフォルダ"), QStringLiteral("個人ログフォルダ")});
  auto* folder_label = new QLabel(QStringLiteral("ﾌｫﾙﾀﾞ(&F)"), this);
  folder_label->setBuddy(ComboBox1);

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setReadOnly(true);
  Edit1->setToolTip(QStringLiteral("AirCraft.EXEがｲﾝｽﾄｰﾙされているﾌｫﾙﾀﾞ"));
  auto* install_label = new QLabel(QStringLiteral("&AirCraftのｲﾝｽﾄｰﾙ先"), this);
  install_label->setBuddy(Edit1);

  BitBtn1 = new QPushButton(QStringLiteral("AirCraft参照"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setToolTip(QStringLiteral("AirCraft.EXEのｲﾝｽﾄｰﾙされているﾌｫﾙﾀﾞを参照選択"));
  BitBtn1->setAutoDefault(false);

  ListView1 = NewListView(QStringLiteral("ListView1"), QStringLiteral("ﾌｫｰﾗﾑ一覧"),
                          {{QStringLiteral("Goｺﾏﾝﾄﾞ"), 72}, {QStringLiteral("ﾌｫｰﾗﾑ名"), 108}},
                          this);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);

  ListView2 = NewListView(
      QStringLiteral("ListView2"),
      QStringLiteral("会議室一覧 SHIFT,CTRLｷｰで複数の会議室ﾛｸﾞを選択することができます"),
      {{QStringLiteral("ﾌｧｲﾙ名"), 80}, {QStringLiteral("会議室名"), 208},
       {QStringLiteral("更新日"), 108}},
      this);
  ListView2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  QFont fixed(JapaneseFixedFamily());
  fixed.setPointSizeF(QFontInfo(font()).pointSizeF());
  fixed.setStyleHint(QFont::TypeWriter);
  ListView2->setFont(fixed);

  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setToolTip(
      QStringLiteral("選択されたﾛｸﾞﾌｧｲﾙ名 複数選択した場合は ”;” で区切られます"));

  Edit3 = new QLineEdit(this);
  Edit3->setObjectName(QStringLiteral("Edit3"));
  auto* personal_label = new QLabel(QStringLiteral("個人ﾛｸﾞﾌｫﾙﾀﾞ名(&P)"), this);
  personal_label->setBuddy(Edit3);
  Button1 = new QPushButton(QStringLiteral("..."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAutoDefault(false);
  Button1->setMaximumWidth(Button1->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);

  RadioGroup1 = new QGroupBox(QStringLiteral("会議室ﾛｸﾞﾌｧｲﾙ名の並び順 (&O)"), this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  order_buttons_ = new QButtonGroup(this);
  auto* order_layout = new QHBoxLayout(RadioGroup1);
  for (const QString& item : {QStringLiteral("昇順"), QStringLiteral("降順")}) {
    auto* button = new QRadioButton(item, RadioGroup1);
    order_buttons_->addButton(button, order_layout->count());
    order_layout->addWidget(button);
  }
  order_buttons_->button(0)->setChecked(true);

  BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("選択されたﾛｸﾞﾌｧｲﾙを設定して閉じる"));
  BitBtn2->setDefault(true);
  BitBtn3 = new QPushButton(QStringLiteral("Cancel"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setToolTip(QStringLiteral("選択をｷｬﾝｾﾙして閉じる"));
  BitBtn3->setAutoDefault(false);

  auto* top = new QGridLayout;
  top->addWidget(folder_label, 0, 0);
  top->addWidget(ComboBox1, 0, 1);
  top->addWidget(install_label, 0, 2);
  top->addWidget(Edit1, 0, 3);
  top->addWidget(BitBtn1, 0, 4);
  top->setColumnStretch(3, 1);

  auto* lists = new QHBoxLayout;
  lists->addWidget(ListView1, 5);
  lists->addWidget(ListView2, 8);

  auto* personal = new QHBoxLayout;
  personal->addWidget(personal_label);
  personal->addWidget(Edit3, 1);
  personal->addWidget(Button1);

  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn3);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(RadioGroup1);
  bottom->addStretch(1);
  bottom->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(lists, 1);
  layout->addWidget(Edit2);
  layout->addLayout(personal);
  layout->addLayout(bottom);
  resize(760, 440);

  connect(ComboBox1, &QComboBox::activated, this, &TACLogFrm::ComboBox1Change);
  connect(BitBtn1, &QPushButton::clicked, this, &TACLogFrm::BitBtn1Click);
  connect(Button1, &QPushButton::clicked, this, &TACLogFrm::Button1Click);
  connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TACLogFrm::ListView1Change);
  connect(ListView2, &QTreeWidget::itemSelectionChanged, this, &TACLogFrm::ListView2Change);
  connect(order_buttons_, &QButtonGroup::idClicked, this, &TACLogFrm::RadioGroup1Click);
  connect(Edit2, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetSelectionText(ToNative(text)); });
  connect(Edit3, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetPersonalFolder(ToNative(text)); });
  connect(BitBtn2, &QPushButton::clicked, this, &TACLogFrm::accept);
  connect(BitBtn3, &QPushButton::clicked, this, &TACLogFrm::reject);
}

void TACLogFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOverParent(this);
  FormShow();
}

void TACLogFrm::FormShow() {
  const std::optional<Notice> notice = model_.Show(remembered_.personal_log_folder);
  ComboBox1->setCurrentIndex(static_cast<int>(model_.folder_kind()));
  order_buttons_->button(0)->setChecked(true);
  Edit1->setText(FromNative(model_.install_folder()));
  Edit1->setCursorPosition(0);
  Edit3->setText(FromNative(model_.personal_folder()));
  ShowForums();
  // The message comes once the dialog is up, as it would after the search.
  if (notice) QTimer::singleShot(0, this, [this, notice] { ShowReport(notice); });
}

void TACLogFrm::accept() {
  remembered_.personal_log_folder = model_.personal_folder();
  QDialog::accept();
}

void TACLogFrm::ComboBox1Change(int index) {
  const std::optional<Notice> notice = model_.ChooseFolderKind(static_cast<LogFolderKind>(index));
  ComboBox1->setCurrentIndex(static_cast<int>(model_.folder_kind()));
  if (!notice) ShowForums();
  ShowReport(notice);
}

void TACLogFrm::BitBtn1Click() {
  const std::optional<std::string> folder =
      BrowseFolder(this, QStringLiteral("フォルダの選択"), model_.install_folder(), drives_);
  if (!folder) return;
  const std::optional<Notice> notice = model_.ChooseInstallFolder(*folder);
  Edit1->setText(FromNative(model_.install_folder()));
  Edit1->setCursorPosition(0);
  ShowForums();
  ShowReport(notice);
}

void TACLogFrm::Button1Click() {
  model_.ChoosePersonalFolder(
      BrowseFolder(this, QStringLiteral("フォルダの選択"), model_.personal_folder(), drives_));
  Edit3->setText(FromNative(model_.personal_folder()));
}

void TACLogFrm::ListView1Change() {
  const std::vector<std::size_t> rows = SelectedRows(ListView1);
  if (rows.empty()) return;
  model_.ChooseForum(rows.front());
  ShowRoomFiles();
}

void TACLogFrm::ListView2Change() {
  const std::vector<std::size_t> rows = SelectedRows(ListView2);
  if (rows.empty()) return;
  model_.SelectRoomFiles(rows);
  Edit2->setText(FromNative(model_.selection_text()));
  Edit2->setCursorPosition(0);
}

void TACLogFrm::RadioGroup1Click(int id) {
  std::vector<std::string> selected;
  for (const std::size_t row : SelectedRows(ListView2))
    selected.push_back(model_.room_files()[row].file_name);
  model_.SetOrder(id == 1 ? RoomOrder::Descending : RoomOrder::Ascending);
  ShowRoomFiles(selected);
}

void TACLogFrm::ShowForums() {
  {
    const QSignalBlocker blocker(ListView1);
    ListView1->clear();
    for (const ForumRow& forum : model_.forums())
      ListView1->addTopLevelItem(
          new QTreeWidgetItem({FromCp932(forum.go_word), FromCp932(forum.name)}));
  }
  ShowRoomFiles();
}

void TACLogFrm::ShowRoomFiles(const std::vector<std::string>& keep_selected) {
  const QSignalBlocker blocker(ListView2);
  ListView2->clear();
  for (const RoomFileRow& room : model_.room_files()) {
    auto* item = new QTreeWidgetItem({PathText(room.file_name), FromCp932(room.room_name),
                                      QString::fromStdString(room.update_text)});
    ListView2->addTopLevelItem(item);
    if (std::find(keep_selected.begin(), keep_selected.end(), room.file_name) !=
        keep_selected.end())
      item->setSelected(true);
  }
  Edit2->setText(FromNative(model_.selection_text()));
  Edit2->setCursorPosition(0);
}

void TACLogFrm::ShowReport(const std::optional<Notice>& notice) {
  if (notice) ShowMessageText(this, notice->text, notice->beep);
}

}  // namespace tobrel
