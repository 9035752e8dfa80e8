// Renders each dialog with Japanese content into a picture (kept in the
// build folder for a look) and checks what a picture alone would show
// badly: texts of labels and buttons cut short, and controls lying on top
// of each other.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "dialog_checks.h"
#include "modal_script.h"
#include "support/aircraft_prefix.h"
#include "ui/dialogs/ac_log_form.h"
#include "ui/dialogs/about_box.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/qt_translations.h"
#include "ui/widgets/text_preview.h"

using namespace tobrel;
using tobrel::testing::LayoutFaults;
using tobrel::testing::PicturePath;
using tobrel::testing::S;
using tobrel::testing::SaveAndCheck;
using tobrel::testing::WinePrefixBuilder;

namespace {

// The row of the file list named `name`, once the folder is read.
QModelIndex FindRow(const QListView* list, const QString& name) {
  const QModelIndex root = list->rootIndex();
  for (int row = 0; row < list->model()->rowCount(root); ++row)
    if (list->model()->index(row, 0, root).data().toString() == name)
      return list->model()->index(row, 0, root);
  return {};
}

}  // namespace

class TestDialogRendering : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void acLogForm();
  void fileSelectForm();
  void aboutBox();
  void textFileDialog();
  void messageBox();

 private:
  std::unique_ptr<WinePrefixBuilder> prefix_;
  QWidget main_;
};

void TestDialogRendering::initTestCase() {
  // Qt's own texts in Japanese, as the program has them.
  QVERIFY(InstallJapaneseQtTexts(*qApp));
  prefix_ = std::make_unique<WinePrefixBuilder>("tobrel-dialog-rendering-test");
  testing::BuildAircraftInstall(*prefix_);
  testing::RegisterAircraftServer(*prefix_);
  prefix_->Write("drive_c/AC97/Log/Fpc/mes_05.log",
                 S("■ 会議室ログ\r\n 1/ 1 ABC01234 山田太郎 会議室の案内\r\n"));
  main_.setGeometry(0, 0, 1000, 700);
  main_.show();
}

void TestDialogRendering::acLogForm() {
  TACLogFrm form(prefix_->path(), &main_);
  form.SetRemembered({prefix_->Native("mine/")});
  form.show();
  auto* forums = form.findChild<QTreeWidget*>("ListView1");
  forums->setCurrentItem(forums->topLevelItem(1));
  auto* rooms = form.findChild<QTreeWidget*>("ListView2");
  rooms->topLevelItem(0)->setSelected(true);
  rooms->topLevelItem(1)->setSelected(true);
  SaveAndCheck(&form, "dialog_taclogfrm.png");
}

void TestDialogRendering::fileSelectForm() {
  TFileSelectFrm form(prefix_->path(), FolderListSettings{{"Mes_*.LOG"}}, &main_);
  form.SetRemembered({prefix_->Native("drive_c/AC97/Log/Fpc")});
  form.show();
  auto* files = form.findChild<QTreeWidget*>("ListView1");
  files->topLevelItem(0)->setSelected(true);
  SaveAndCheck(&form, "dialog_tfileselectfrm.png");
}

void TestDialogRendering::aboutBox() {
  TAboutBox box(&main_);
  box.show();
  SaveAndCheck(&box, "dialog_taboutbox.png");
}

void TestDialogRendering::textFileDialog() {
  TTextFileDialog dialog(TTextFileDialog::Kind::Open, U("ログファイルの選択"), &main_);
  dialog.SetFilter(U("ログファイル(*.LOG)|*.LOG|テキストファイル(*.TXT)|*.TXT|"
                     "すべてのファイル(*.*)|*.*"),
                   {"LOG", "TXT", ""});
  dialog.setDirectory(QString::fromStdString(prefix_->Native("drive_c/AC97/Log/Fpc")));
  dialog.show();
  // Clicking the file in the list makes it the current one.
  auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
  QVERIFY(list);
  QModelIndex file;
  QTRY_VERIFY((file = FindRow(list, U("mes_05.log"))).isValid());
  list->setCurrentIndex(file);
  QCOMPARE(dialog.Preview()->toPlainText(),
           U("■ 会議室ログ\n 1/ 1 ABC01234 山田太郎 会議室の案内"));
  SaveAndCheck(&dialog, "dialog_textopendialog.png");
}

void TestDialogRendering::messageBox() {
  QString cut = QStringLiteral("not shown");
  tobrel::testing::ModalScript script;
  script.Then<QMessageBox>([&cut](QMessageBox* box) {
    QCoreApplication::processEvents();
    box->grab().save(PicturePath("dialog_message_personal_folder.png"));
    cut = LayoutFaults(box).join(QStringLiteral(" | "));
    box->accept();
  });
  ShowMessageText(&main_, kPersonalFolderMissingMessage, true);
  QVERIFY(script.Done());
  QCOMPARE(cut, QString());
}

QTEST_MAIN(TestDialogRendering)
#include "tst_dialogrendering.moc"
