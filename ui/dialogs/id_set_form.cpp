#include "ui/dialogs/id_set_form.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/log_lines.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/file_failure_box.h"
#include "ui/dialogs/text_file_dialog.h"

namespace tobrel {
namespace {

// OpenDialog1 and SaveDialog1: the same filter; only the save dialog gives
// a typed name an extension, the one of the filter chosen.
void PrepareFileDialog(TTextFileDialog& dialog, const std::optional<std::filesystem::path>& file,
                       const QStringList& default_extensions) {
  dialog.SetFilter(U("(*.LST)|*.LST|(*.TXT)|*.TXT|全てのﾌｧｲﾙ(*.*)|*.*"), default_extensions);
  if (file) dialog.selectFile(FromNative(file->string()));
}

}  // namespace

TIDSetForm::TIDSetForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("IDSetForm"));
  setModal(true);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  BitBtn1 = new QPushButton(U("&OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setToolTip(U("これで設定"));
  BitBtn1->setAutoDefault(false);  // Enter starts a new line in the text
  BitBtn2 = new QPushButton(U("&Cancel"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(U("キャンセル"));
  BitBtn2->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  layout->addLayout(buttons);
  CreateMenu();
  resize(380, 320);
}

void TIDSetForm::CreateMenu() {
  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(U("ファイル(&F)"));
  New1 = file->addAction(U("新規作成(&N)"), this, &TIDSetForm::New1Click);
  Open1 = file->addAction(U("開く(&O)..."), this, &TIDSetForm::Open1Click);
  Save1 = file->addAction(U("上書き保存(&S)"), this, &TIDSetForm::Save1Click);
  SaveAs1 = file->addAction(U("名前をつけて保存(&A)..."), this, &TIDSetForm::SaveAs1Click);
  QMenu* edit = bar->addMenu(U("編集(&E)"));
  Cut1 = edit->addAction(U("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X), this,
                         &TIDSetForm::Cut1Click);
  Copy1 = edit->addAction(U("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), this,
                          &TIDSetForm::Copy1Click);
  Paste1 = edit->addAction(U("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), this,
                           &TIDSetForm::Paste1Click);
  New1->setObjectName(QStringLiteral("New1"));
  Open1->setObjectName(QStringLiteral("Open1"));
  Save1->setObjectName(QStringLiteral("Save1"));
  SaveAs1->setObjectName(QStringLiteral("SaveAs1"));
  Cut1->setObjectName(QStringLiteral("Cut1"));
  Copy1->setObjectName(QStringLiteral("Copy1"));
  Paste1->setObjectName(QStringLiteral("Paste1"));
  layout()->setMenuBar(bar);
}

void TIDSetForm::SetTexts(const IdEditorTexts& texts) {
  setWindowTitle(FromCp932(texts.caption));
  Memo1->setToolTip(FromCp932(texts.hint));
}

void TIDSetForm::SetLines(const std::vector<std::string>& lines) {
  Memo1->setPlainText(FromCp932(IdListText(lines)));
}

std::vector<std::string> TIDSetForm::Lines() const {
  return IdListTextLines(ToCp932(Memo1->toPlainText()));
}

void TIDSetForm::New1Click() { Memo1->clear(); }

void TIDSetForm::Open1Click() {
  TTextFileDialog dialog(TTextFileDialog::Kind::Open, QString(), this);
  PrepareFileDialog(dialog, document_.current_file(), {});
  const std::optional<std::string> path = ChosenFile(dialog);
  if (!path) return;
  try {
    document_.Open(*path);
  } catch (const Failure& error) {
    ShowFileFailure(this, FileFailureText(error));
    return;
  }
  SetLines(document_.lines());
}

void TIDSetForm::Save1Click() {
  if (!document_.current_file()) return SaveAs1Click();
  WriteFile(document_.current_file()->string(), false);
}

void TIDSetForm::SaveAs1Click() {
  TTextFileDialog dialog(TTextFileDialog::Kind::Save, QString(), this);
  PrepareFileDialog(dialog, document_.files().saved, {U("LST"), U("TXT"), QString()});
  if (const std::optional<std::string> path = ChosenFile(dialog)) WriteFile(*path, true);
}

void TIDSetForm::WriteFile(const std::string& path, bool save_as) {
  document_.SetLines(Lines());
  try {
    if (save_as)
      document_.SaveAs(path);
    else
      document_.SaveTo(path);
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  }
}

// Cutting also puts the text on the clipboard, as every editor does.
void TIDSetForm::Cut1Click() { Memo1->cut(); }
void TIDSetForm::Copy1Click() { Memo1->copy(); }
void TIDSetForm::Paste1Click() { Memo1->paste(); }

void TIDSetForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CenterOverParent(this);  // opened, not restored
  QDialog::showEvent(event);
}

}  // namespace tobrel
