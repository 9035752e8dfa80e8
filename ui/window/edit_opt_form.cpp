#include "ui/window/edit_opt_form.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/widgets/qt_text.h"

namespace tobrel {

TEditOptForm::TEditOptForm(const TobrelSettings& settings, QWidget* parent) : QDialog(parent) {
  setObjectName("EditOptForm");
  setWindowTitle(QStringLiteral("集計結果を外部エディタで開く 設定"));
  auto* pages = new QTabWidget(this);

  auto* page1 = new QWidget;
  page1->setObjectName("TabSheet1");
  auto* group = new QGroupBox(QStringLiteral("集計結果を格納するﾌｧｲﾙの指定"), page1);
  group->setObjectName("RadioGroup1");
  kind_ = new QButtonGroup(this);
  auto* group_layout = new QVBoxLayout(group);
  const QString items[3] = {QStringLiteral("Windowsﾃﾝﾎﾟﾗﾘﾌｧｲﾙ(&W)"),
                            QStringLiteral("指定されたﾌｫﾙﾀﾞにﾕﾆｰｸﾌｧｲﾙ(&U)"),
                            QStringLiteral("指定されたﾌｫﾙﾀﾞの固定ﾌｧｲﾙ(&F)")};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(items[i], group);
    kind_->addButton(button, i);
    group_layout->addWidget(button);
  }
  folder_label_ = new QLabel(QStringLiteral("ﾌｫﾙﾀﾞ(&D)"), page1);
  folder_ = new QLineEdit(FromNative(settings.ext_folder), page1);
  folder_->setObjectName("EditFolder");
  folder_label_->setBuddy(folder_);
  folder_button_ = new QPushButton(QStringLiteral("参照"), page1);
  folder_button_->setObjectName("Button1");
  file_label_ = new QLabel(QStringLiteral("固定ﾌｧｲﾙ名(&N)"), page1);
  file_name_ = new QLineEdit(FromNative(settings.ext_file_name), page1);
  file_name_->setObjectName("EditFileName");
  file_label_->setBuddy(file_name_);
  auto* grid1 = new QGridLayout(page1);
  grid1->addWidget(group, 0, 0, 1, 3);
  grid1->addWidget(folder_label_, 1, 0);
  grid1->addWidget(folder_, 1, 1);
  grid1->addWidget(folder_button_, 1, 2);
  grid1->addWidget(file_label_, 2, 0);
  grid1->addWidget(file_name_, 2, 1, 1, 2);

  auto* page2 = new QWidget;
  page2->setObjectName("TabSheet2");
  auto* editor_label = new QLabel(QStringLiteral("使用するエディタ(&E)"), page2);
  editor_ = new QLineEdit(FromNative(settings.ext_editor), page2);
  editor_->setObjectName("EditEditor");
  editor_label->setBuddy(editor_);
  auto* editor_button = new QPushButton(QStringLiteral("参照"), page2);
  editor_button->setObjectName("Button2");
  auto* encoding_label = new QLabel(QStringLiteral("文字コード"), page2);
  encoding_ = new QComboBox(page2);
  encoding_->setObjectName("ComboEncoding");
  encoding_->addItems({QStringLiteral("Shift_JIS (CR LF)"), QStringLiteral("UTF-8 (LF)")});
  encoding_->setCurrentIndex(settings.ext_encoding == ExternalFileEncoding::kUtf8 ? 1 : 0);
  auto* grid2 = new QGridLayout(page2);
  grid2->addWidget(editor_label, 0, 0);
  grid2->addWidget(editor_, 1, 0);
  grid2->addWidget(editor_button, 1, 1);
  grid2->addWidget(encoding_label, 2, 0);
  grid2->addWidget(encoding_, 3, 0);
  grid2->setRowStretch(4, 1);

  auto* page3 = new QWidget;
  page3->setObjectName("TabSheet3");
  header_ = new QLineEdit(FromCp932(settings.ext_header), page3);
  header_->setObjectName("EditHeader");
  footer_ = new QLineEdit(FromCp932(settings.ext_footer), page3);
  footer_->setObjectName("EditFooter");
  auto* header_label = new QLabel(QStringLiteral("ヘッダ(&H)"), page3);
  header_label->setBuddy(header_);
  auto* footer_label = new QLabel(QStringLiteral("フッタ(&F)"), page3);
  footer_label->setBuddy(footer_);
  auto* label6 = new QLabel(page3);
  label6->setObjectName("Label6");
  label6->setToolTip(QStringLiteral("カーソル位置 ： ヘッダ文字列の長さ"));
  auto* label7 = new QLabel(page3);
  label7->setObjectName("Label7");
  label7->setToolTip(QStringLiteral("カーソル位置 ： フッタ文字列の長さ"));
  auto* grid3 = new QGridLayout(page3);
  grid3->addWidget(header_label, 0, 0);
  grid3->addWidget(label6, 0, 1);
  grid3->addWidget(header_, 1, 0, 1, 2);
  grid3->addWidget(footer_label, 2, 0);
  grid3->addWidget(label7, 2, 1);
  grid3->addWidget(footer_, 3, 0, 1, 2);
  for (auto [field, label] : {std::pair{header_, label6}, std::pair{footer_, label7}}) {
    connect(field, &QLineEdit::textChanged, label, [=] { ShowPosition(label, field); });
    connect(field, &QLineEdit::cursorPositionChanged, label, [=] { ShowPosition(label, field); });
    ShowPosition(label, field);
  }

  pages->addTab(page1, QStringLiteral("ﾌｧｲﾙ名"));
  pages->addTab(page2, QStringLiteral("ｴﾃﾞｨﾀ"));
  pages->addTab(page3, QStringLiteral("ﾍｯﾀﾞ/ﾌｯﾀ"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("&CANCEL"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages);
  layout->addWidget(buttons);

  connect(kind_, &QButtonGroup::idClicked, this, &TEditOptForm::KindChosen);
  connect(folder_button_, &QPushButton::clicked, this, [this] {
    const QString start = QFileInfo(folder_->text()).isDir() ? folder_->text() : QDir::homePath();
    const QString chosen = QFileDialog::getExistingDirectory(this, QString(), start);
    if (!chosen.isEmpty()) folder_->setText(chosen);
  });
  connect(editor_button, &QPushButton::clicked, this, [this] {
    const QString folder = QFileInfo(editor_->text()).absolutePath();
    const QString start = QFileInfo(folder).isDir() ? folder : QDir::homePath();
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("エディタの指定"), start);
    if (!chosen.isEmpty()) editor_->setText(chosen);
  });
  const int stored = static_cast<int>(settings.ext_file_type);
  const int kind = stored >= 0 && stored <= 2 ? stored : 0;
  kind_->button(kind)->setChecked(true);
  KindChosen(kind);
}

void TEditOptForm::KindChosen(int kind) {
  for (QWidget* w : {static_cast<QWidget*>(folder_label_), static_cast<QWidget*>(folder_),
                     static_cast<QWidget*>(folder_button_)})
    w->setEnabled(kind >= 1);
  file_label_->setEnabled(kind == 2);
  file_name_->setEnabled(kind == 2);
}

void TEditOptForm::ShowPosition(QLabel* label, const QLineEdit* field) {
  label->setText(QString::asprintf("%5d: %5d", field->cursorPosition() + 1,
                                   static_cast<int>(ToCp932(field->text()).size())));
}

void TEditOptForm::Store(TobrelSettings& settings) const {
  settings.ext_file_type = static_cast<ExternalFileKind>(kind_->checkedId());
  settings.ext_folder = ToNative(folder_->text());
  settings.ext_file_name = ToNative(file_name_->text());
  settings.ext_editor = ToNative(editor_->text());
  settings.ext_header = ToCp932(header_->text());
  settings.ext_footer = ToCp932(footer_->text());
  settings.ext_encoding = encoding_->currentIndex() == 1 ? ExternalFileEncoding::kUtf8
                                                         : ExternalFileEncoding::kCp932;
}

}  // namespace tobrel
