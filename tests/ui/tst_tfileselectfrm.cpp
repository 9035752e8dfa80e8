// TFileSelectFrm over a folder of log files: what the dialog shows when it
// opens, the mask and folder changes, sorting by a column click, adding a
// mask, what OK hands over and remembers, and Cancel.
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "dialog_checks.h"
#include "modal_script.h"
#include "support/sjis.h"
#include "support/wine_prefix.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/dialogs/folder_tree.h"

using tobrel::FolderListSettings;
using tobrel::FolderTree;
using tobrel::TFileSelectFrm;
using tobrel::U;
using tobrel::testing::ModalScript;
using tobrel::testing::WinePrefixBuilder;

namespace {

QStringList Column(const QTreeWidget* view, int column) {
  QStringList texts;
  for (int i = 0; i < view->topLevelItemCount(); ++i) texts << view->topLevelItem(i)->text(column);
  return texts;
}

}  // namespace

class TestTFileSelectFrm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void initialState();
  void masksAndFolders();
  void columnClickSorts_data();
  void columnClickSorts();
  void addMask();
  void okHandsOverAndRemembers();
  void okWithoutSelection();
  void cancelChangesNothing();
  void missingLastFolderStartsAtHome();

 private:
  template <typename T>
  T* Child(const char* name) {
    return tobrel::testing::Child<T>(*form_, name);
  }
  std::string Folder(const char* relative = "logs") const { return files_->Native(relative); }
  void SelectRows(std::initializer_list<int> rows) {
    for (const int row : rows) Child<QTreeWidget>("ListView1")->topLevelItem(row)->setSelected(true);
  }

  std::unique_ptr<WinePrefixBuilder> files_;
  std::unique_ptr<QWidget> main_;
  TFileSelectFrm* form_ = nullptr;
};

void TestTFileSelectFrm::init() {
  files_ = std::make_unique<WinePrefixBuilder>("tobrel-tfileselectfrm-test");
  files_->Write("logs/b.LOG", std::string(999, 'x'));
  files_->Write("logs/a.log", std::string(1000, 'x'));
  files_->Write("logs/C.txt", std::string(1234567, 'x'));
  files_->Write("logs/notes", "");
  files_->Write("logs/会議室.LOG", "x");
  files_->Write("logs/sub/inner.log", "x");
  files_->MakeFolder("logs/.hidden");
  files_->MakeFolder("home");
  files_->SetTime("logs/b.LOG", 2001, 2, 3, 4, 5, 6);
  files_->SetTime("logs/a.log", 1999, 12, 31, 23, 59, 59);
  files_->SetTime("logs/C.txt", 2000, 1, 1, 0, 0, 0);
  files_->SetTime("logs/会議室.LOG", 1998, 6, 1, 12, 0, 0);
  files_->SetTime("logs/notes", 1990, 1, 1, 0, 0, 0);
  qputenv("HOME", QByteArray::fromStdString(files_->Native("home")));
  main_ = std::make_unique<QWidget>();
  main_->setGeometry(250, 150, 301, 201);  // smaller than the dialog: negative halves
  main_->show();
  form_ = new TFileSelectFrm(files_->path(), FolderListSettings{{"*.TXT;notes", "", "*.NEVER"}},
                             main_.get());
  form_->SetRemembered({Folder()});
}

void TestTFileSelectFrm::cleanup() {
  main_.reset();
  files_.reset();
}

void TestTFileSelectFrm::initialState() {
  form_->show();
  QCOMPARE(form_->windowTitle(), U("ﾛｸﾞﾌｧｲﾙの選択"));
  QVERIFY(form_->isModal());
  QCOMPARE(form_->pos(), tobrel::CenteredTopLeft(main_->frameGeometry(), form_->frameGeometry().size()));
  // The drive list: "/", the home folder, the prefix's drive C:.
  auto* drives = Child<QComboBox>("DriveComboBox1");
  QCOMPARE(drives->itemText(0), U("/"));
  QCOMPARE(drives->itemText(1), QString::fromStdString(Folder("home")));
  QVERIFY(drives->itemText(2).startsWith(U("C:  ")));
  QCOMPARE(drives->currentIndex(), 0);
  // The tree opened down to the remembered folder; hidden folders not offered.
  auto* tree = Child<FolderTree>("DirectoryListBox1");
  QCOMPARE(tree->CurrentFolder(), Folder());
  QCOMPARE(tree->currentItem()->childCount(), 1);
  QCOMPARE(tree->currentItem()->child(0)->text(0), U("sub"));
  // The user's masks up to the first empty one, then the built-in ones.
  auto* masks = Child<QComboBox>("ComboBox1");
  QCOMPARE(masks->count(), 5);
  QCOMPARE(masks->itemText(0), U("*.TXT;notes"));
  QCOMPARE(masks->itemText(1), U("*.LOG;*.TXT"));
  QCOMPARE(masks->currentIndex(), 0);
  auto* files = Child<QTreeWidget>("ListView1");
  QCOMPARE(Column(files, 0), (QStringList{"C.txt", "notes"}));
  QCOMPARE(Column(files, 1), (QStringList{"1,234,567", "0"}));
  QCOMPARE(Column(files, 2), (QStringList{"2000/01/01 00:00:00", "1990/01/01 00:00:00"}));
  QCOMPARE(files->headerItem()->text(0), U("File Name"));
  QCOMPARE(files->headerItem()->text(1), U("FileSize"));
  QCOMPARE(files->headerItem()->text(2), U("TimeStamp"));
  QCOMPARE(files->selectionMode(), QAbstractItemView::ExtendedSelection);
  QCOMPARE(files->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, int(Qt::AlignRight));
  QVERIFY(files->hasFocus() || !form_->isActiveWindow());
}

void TestTFileSelectFrm::masksAndFolders() {
  form_->show();
  auto* masks = Child<QComboBox>("ComboBox1");
  auto* files = Child<QTreeWidget>("ListView1");
  QTest::keyClick(masks, Qt::Key_Down);  // "*.LOG;*.TXT"
  QCOMPARE(Column(files, 0), (QStringList{"a.log", "b.LOG", "C.txt", U("会議室.LOG")}));

  // Another folder of the tree is listed with the same mask.
  auto* tree = Child<FolderTree>("DirectoryListBox1");
  QVERIFY(tree->SetCurrentFolder(Folder("logs/sub")));
  QCOMPARE(Column(files, 0), QStringList{"inner.log"});
  // A hidden folder can be made current; a missing one cannot.
  QVERIFY(tree->SetCurrentFolder(Folder("logs/.hidden")));
  QCOMPARE(files->topLevelItemCount(), 0);
  QVERIFY(!tree->SetCurrentFolder(Folder("logs/nosuch")));
  QCOMPARE(tree->CurrentFolder(), Folder("logs/.hidden"));

  // Another drive: its root becomes the tree's folder and is listed.
  auto* drives = Child<QComboBox>("DriveComboBox1");
  drives->setCurrentIndex(0);
  QTest::keyClick(drives, Qt::Key_Down);  // the home folder
  QCOMPARE(tree->CurrentFolder(), Folder("home"));
  QCOMPARE(files->topLevelItemCount(), 0);
}

void TestTFileSelectFrm::columnClickSorts_data() {
  QTest::addColumn<QList<int>>("clicks");
  QTest::addColumn<QStringList>("names");
  const QString kaigi = U("会議室.LOG");
  // The first click on a column sorts it in descending order.
  QTest::newRow("none") << QList<int>{} << QStringList{"a.log", "b.LOG", "C.txt", kaigi};
  QTest::newRow("name") << QList<int>{0} << QStringList{kaigi, "C.txt", "b.LOG", "a.log"};
  QTest::newRow("name twice") << QList<int>{0, 0} << QStringList{"a.log", "b.LOG", "C.txt", kaigi};
  // Sizes as numbers: 1,000 after 999.
  QTest::newRow("size") << QList<int>{1} << QStringList{"C.txt", "a.log", "b.LOG", kaigi};
  QTest::newRow("size twice") << QList<int>{1, 1} << QStringList{kaigi, "b.LOG", "a.log", "C.txt"};
  QTest::newRow("time") << QList<int>{2} << QStringList{"b.LOG", "C.txt", "a.log", kaigi};
  QTest::newRow("time twice") << QList<int>{2, 2} << QStringList{kaigi, "a.log", "C.txt", "b.LOG"};
}

void TestTFileSelectFrm::columnClickSorts() {
  QFETCH(QList<int>, clicks);
  QFETCH(QStringList, names);
  form_->show();
  QTest::keyClick(Child<QComboBox>("ComboBox1"), Qt::Key_Down);  // "*.LOG;*.TXT"
  auto* files = Child<QTreeWidget>("ListView1");
  SelectRows({1});  // b.LOG stays selected through the sorts
  for (const int column : clicks) {
    QHeaderView* header = files->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
  }
  QCOMPARE(Column(files, 0), names);
  QCOMPARE(files->selectedItems().size(), 1);
  QCOMPARE(files->selectedItems().front()->text(0), U("b.LOG"));
}

void TestTFileSelectFrm::addMask() {
  form_->show();
  auto* masks = Child<QComboBox>("ComboBox1");
  // Cancel and an empty answer change nothing.
  QStringList seen;  // recorded, so that a failing check cannot leave the box open
  ModalScript script;
  script.Then<QInputDialog>([&seen](QInputDialog* input) {
    seen << input->windowTitle() << input->labelText() << input->textValue();
    input->reject();
  });
  QTest::mouseClick(Child<QPushButton>("BitBtn3"), Qt::LeftButton);
  QCOMPARE(seen, (QStringList{U("ﾌｧｲﾙﾏｽｸの追加"), U("新しいﾌｧｲﾙﾏｽｸを設定してください"),
                              U("*.TXT;notes")}));
  script.Then<QInputDialog>([](QInputDialog* input) {
    input->setTextValue(QString());
    input->accept();
  });
  QTest::mouseClick(Child<QPushButton>("BitBtn3"), Qt::LeftButton);
  QCOMPARE(masks->count(), 5);
  QCOMPARE(masks->currentIndex(), 0);

  // A new mask is added, chosen and listed with; a known one (ignoring
  // case) is only chosen.
  script.Then<QInputDialog>([](QInputDialog* input) {
    input->setTextValue(U("会議室*;*.log"));
    input->accept();
  });
  QTest::mouseClick(Child<QPushButton>("BitBtn3"), Qt::LeftButton);
  QCOMPARE(masks->count(), 6);
  QCOMPARE(masks->currentText(), U("会議室*;*.log"));
  QCOMPARE(Column(Child<QTreeWidget>("ListView1"), 0), (QStringList{"a.log", "b.LOG", U("会議室.LOG")}));
  script.Then<QInputDialog>([](QInputDialog* input) {
    input->setTextValue(U("*.log"));
    input->accept();
  });
  QTest::mouseClick(Child<QPushButton>("BitBtn3"), Qt::LeftButton);
  QCOMPARE(masks->count(), 6);
  QCOMPARE(masks->currentText(), U("*.LOG"));

  // Offered again at the next showing, which starts with the first mask.
  form_->reject();
  form_->show();
  QCOMPARE(masks->count(), 6);
  QCOMPARE(masks->currentIndex(), 0);
  QVERIFY(script.Done());
}

void TestTFileSelectFrm::okHandsOverAndRemembers() {
  form_->show();
  QTest::keyClick(Child<QComboBox>("ComboBox1"), Qt::Key_Down);  // "*.LOG;*.TXT"
  SelectRows({3, 0});
  // Deselecting every row keeps the last selection.
  Child<QTreeWidget>("ListView1")->clearSelection();
  QTest::mouseClick(Child<QPushButton>("BitBtn1"), Qt::LeftButton);
  QCOMPARE(form_->result(), int(QDialog::Accepted));
  QCOMPARE(form_->SelectedPaths(), (std::vector<std::string>{Folder("logs/a.log"),
                                                             Folder("logs/会議室.LOG")}));
  QCOMPARE(form_->Remembered().last_log_folder, Folder("logs/"));

  // The next showing opens there, with nothing selected.
  form_->show();
  QCOMPARE(Child<FolderTree>("DirectoryListBox1")->CurrentFolder(), Folder());
  QCOMPARE(Child<QTreeWidget>("ListView1")->selectedItems().size(), 0);
}

void TestTFileSelectFrm::okWithoutSelection() {
  form_->show();
  QTest::mouseClick(Child<QPushButton>("BitBtn1"), Qt::LeftButton);
  QVERIFY(form_->SelectedPaths().empty());
  QCOMPARE(form_->Remembered().last_log_folder, std::string());
  // So the next showing starts in the home folder.
  form_->show();
  QCOMPARE(Child<FolderTree>("DirectoryListBox1")->CurrentFolder(), Folder("home"));
}

void TestTFileSelectFrm::cancelChangesNothing() {
  form_->show();
  SelectRows({0});
  QTest::mouseClick(Child<QPushButton>("BitBtn2"), Qt::LeftButton);
  QCOMPARE(form_->result(), int(QDialog::Rejected));
  QCOMPARE(form_->Remembered().last_log_folder, Folder());
}

void TestTFileSelectFrm::missingLastFolderStartsAtHome() {
  files_->Write("home/home.log", "x");
  form_->SetRemembered({Folder("gone")});
  form_->show();
  QCOMPARE(Child<FolderTree>("DirectoryListBox1")->CurrentFolder(), Folder("home"));
  QCOMPARE(Child<QComboBox>("DriveComboBox1")->currentIndex(), 1);
  QTest::keyClick(Child<QComboBox>("ComboBox1"), Qt::Key_Down);
  QCOMPARE(Column(Child<QTreeWidget>("ListView1"), 0), QStringList{"home.log"});
}

QTEST_MAIN(TestTFileSelectFrm)
#include "tst_tfileselectfrm.moc"
