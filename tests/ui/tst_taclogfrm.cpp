// TACLogFrm over a synthetic Wine prefix with an AirCraft 97 installation:
// what the dialog shows when it opens, what OK hands over, that Cancel
// keeps the remembered folder, and the messages for a missing personal
// folder and a missing "Global.Dat".
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "dialog_checks.h"
#include "modal_script.h"
#include "support/aircraft_prefix.h"
#include "ui/dialogs/ac_log_form.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/qt_text.h"

using tobrel::AcLogRemembered;
using tobrel::TACLogFrm;
using tobrel::U;
using tobrel::testing::S;
using tobrel::testing::ModalScript;
using tobrel::testing::NoteText;
using tobrel::testing::WinePrefixBuilder;

namespace {

QStringList Rows(const QTreeWidget* view) {
  QStringList rows;
  for (int i = 0; i < view->topLevelItemCount(); ++i) {
    QStringList columns;
    for (int c = 0; c < view->columnCount(); ++c) columns << view->topLevelItem(i)->text(c);
    rows << columns.join(QLatin1Char('|'));
  }
  return rows;
}

// A folder browser step: keeps the browser's title in `*title` when given,
// goes to `folder` and accepts it.
std::function<void(QFileDialog*)> ChooseFolder(const QString& folder, QString* title = nullptr) {
  return [folder, title](QFileDialog* browser) {
    if (title) *title = browser->windowTitle();
    browser->setDirectory(folder);
    static_cast<QDialog*>(browser)->accept();
  };
}

// Types `text` into `widget` key by key (Japanese characters too).
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class TestTACLogFrm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void initialState();
  void okHandsOverSelectedRooms();
  void okHandsOverTypedSelection_data();
  void okHandsOverTypedSelection();
  void personalFolder();
  void cancelChangesNothing();
  void missingPersonalFolder();
  void missingGlobalDatByHand();
  void messageOnShowing_data();
  void messageOnShowing();

 private:
  template <typename T>
  T* Child(const char* name) {
    return tobrel::testing::Child<T>(*form_, name);
  }
  QString Native(const char* relative) const {
    return QString::fromStdString(prefix_->Native(relative));
  }
  // The installation as the registration names it: through drive C:.
  QString Drive(const char* rest) const {
    return QString::fromStdString(prefix_->Native("dosdevices/c:")) + QLatin1String(rest);
  }
  void ChooseFolderKind(int index) {
    auto* combo = Child<QComboBox>("ComboBox1");
    QTest::keyClick(combo, index == 1 ? Qt::Key_Down : Qt::Key_Up);
  }

  std::unique_ptr<WinePrefixBuilder> prefix_;
  std::unique_ptr<QWidget> main_;
  TACLogFrm* form_ = nullptr;
};

void TestTACLogFrm::init() {
  prefix_ = std::make_unique<WinePrefixBuilder>("tobrel-taclogfrm-test");
  tobrel::testing::BuildAircraftInstall(*prefix_);
  tobrel::testing::RegisterAircraftServer(*prefix_);
  main_ = std::make_unique<QWidget>();
  main_->setGeometry(51, 57, 701, 503);  // odd sizes; the centred dialog fits the screen
  main_->show();
  form_ = new TACLogFrm(prefix_->path(), main_.get());
}

void TestTACLogFrm::cleanup() {
  main_.reset();
  prefix_.reset();
}

void TestTACLogFrm::initialState() {
  form_->SetRemembered({"/no/such/personal/"});
  // A showing starts afresh: the order and the choices of an earlier one go.
  form_->show();
  Child<QTreeWidget>("ListView1")->setCurrentItem(Child<QTreeWidget>("ListView1")->topLevelItem(1));
  Child<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>()[1]->click();
  form_->reject();

  form_->show();
  QCOMPARE(form_->windowTitle(), U("AirCraft ﾛｸﾞﾌｧｲﾙの選択"));
  QVERIFY(form_->isModal());
  QCOMPARE(form_->pos(), tobrel::CenteredTopLeft(main_->frameGeometry(), form_->frameGeometry().size()));
  auto* combo = Child<QComboBox>("ComboBox1");
  QCOMPARE(combo->count(), 2);
  QCOMPARE(combo->itemText(0), U("共有ログフォルダ"));
  QCOMPARE(combo->itemText(1), U("個人ログフォルダ"));
  QCOMPARE(combo->currentIndex(), 0);
  QCOMPARE(Child<QLineEdit>("Edit1")->text(), Drive("/AC97/"));
  QVERIFY(Child<QLineEdit>("Edit1")->isReadOnly());
  QCOMPARE(Child<QLineEdit>("Edit2")->text(), QString());
  QCOMPARE(Child<QLineEdit>("Edit3")->text(), U("/no/such/personal/"));
  QCOMPARE(Rows(Child<QTreeWidget>("ListView1")),
           (QStringList{U("FGAL|ギャラリー（FGAL）"), U("FPC|ＦＰＣ会議室フォーラム (FPC) "),
                        U("FTRAVEL|旅の広場 FTRAVEL "), U("PATIO|Garden")}));
  QCOMPARE(Child<QTreeWidget>("ListView2")->topLevelItemCount(), 0);
  QVERIFY(Child<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>()[0]->isChecked());
  QCOMPARE(Child<QTreeWidget>("ListView2")->selectionMode(), QAbstractItemView::ExtendedSelection);
  QCOMPARE(Child<QTreeWidget>("ListView1")->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestTACLogFrm::okHandsOverSelectedRooms() {
  form_->SetRemembered({Native("mine/").toStdString()});
  form_->show();
  auto* forums = Child<QTreeWidget>("ListView1");
  auto* rooms = Child<QTreeWidget>("ListView2");
  forums->setCurrentItem(forums->topLevelItem(1));  // FPC
  QCOMPARE(Rows(rooms), (QStringList{U("Mes_03.LOG|雑談室|97-05-12 23:45"),
                                     U("Mes_05.LOG|質問室|98-01-02 03:04"),
                                     U("Mes_10.LOG|お知らせ|01-12-31 00:00"),
                                     U("ar_00002.log|過去ログ２|96-07-08 09:10"),
                                     U("ar_00010.LOG|過去ログ１０|96-11-30 12:59")}));
  rooms->topLevelItem(3)->setSelected(true);
  rooms->topLevelItem(0)->setSelected(true);
  const QString fpc = Drive("/AC97/Log/Fpc/");
  QCOMPARE(Child<QLineEdit>("Edit2")->text(), fpc + "Mes_03.LOG;" + fpc + "ar_00002.log");

  // Descending order: room logs still first, the selection kept.
  Child<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>()[1]->click();
  QCOMPARE(rooms->topLevelItem(0)->text(0), U("Mes_10.LOG"));
  QCOMPARE(rooms->topLevelItem(3)->text(0), U("ar_00010.LOG"));
  QCOMPARE(rooms->selectedItems().size(), 2);

  // Deselecting every room keeps the field; OK hands those files over.
  rooms->clearSelection();
  QCOMPARE(Child<QLineEdit>("Edit2")->text(), fpc + "Mes_03.LOG;" + fpc + "ar_00002.log");
  QTest::mouseClick(Child<QPushButton>("BitBtn2"), Qt::LeftButton);
  QCOMPARE(form_->result(), int(QDialog::Accepted));
  QVERIFY(!form_->isVisible());
  QCOMPARE(form_->SelectedPaths(),
           (std::vector<std::string>{(fpc + "Mes_03.LOG").toStdString(),
                                     (fpc + "ar_00002.log").toStdString()}));
  QCOMPARE(form_->Remembered().personal_log_folder, Native("mine/").toStdString());
}

void TestTACLogFrm::okHandsOverTypedSelection_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QStringList>("paths");
  QTest::newRow("empty") << QString() << QStringList();
  QTest::newRow("one path without ;") << "/a/one.log" << QStringList{"/a/one.log"};
  QTest::newRow(";; hands over an empty entry")
      << "/a/one.log;;/b/two.log" << QStringList{"/a/one.log", "", "/b/two.log"};
  QTest::newRow("Japanese file name") << U("/ログ/会議室.LOG") << QStringList{U("/ログ/会議室.LOG")};
}

void TestTACLogFrm::okHandsOverTypedSelection() {
  QFETCH(QString, typed);
  QFETCH(QStringList, paths);
  form_->show();
  auto* forums = Child<QTreeWidget>("ListView1");
  forums->setCurrentItem(forums->topLevelItem(1));
  Child<QTreeWidget>("ListView2")->topLevelItem(0)->setSelected(true);
  auto* edit = Child<QLineEdit>("Edit2");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  TypeText(edit, typed);
  QTest::mouseClick(Child<QPushButton>("BitBtn2"), Qt::LeftButton);
  std::vector<std::string> expected;
  for (const QString& path : paths) expected.push_back(path.toStdString());
  QCOMPARE(form_->SelectedPaths(), expected);
}

void TestTACLogFrm::personalFolder() {
  prefix_->Write("mine/Fmine/Mes_07.LOG", "log");
  form_->SetRemembered({Native("mine").toStdString()});  // typed without a final "/"
  form_->show();
  ChooseFolderKind(1);
  QCOMPARE(Child<QComboBox>("ComboBox1")->currentIndex(), 1);
  QCOMPARE(Rows(Child<QTreeWidget>("ListView1")), QStringList{"FMINE|"});
  Child<QTreeWidget>("ListView1")->setCurrentItem(Child<QTreeWidget>("ListView1")->topLevelItem(0));
  Child<QTreeWidget>("ListView2")->topLevelItem(0)->setSelected(true);
  QCOMPARE(Child<QLineEdit>("Edit2")->text(), Native("mine/Fmine/Mes_07.LOG"));

  // Back to the shared folder; the selection field is emptied.
  ChooseFolderKind(0);
  QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 4);
  QCOMPARE(Child<QLineEdit>("Edit2")->text(), QString());

  // "..." puts the chosen folder with a final "/" into the field; a
  // cancelled browser empties it.
  // (The actions on modal windows only record what they see, so that a
  // failing check cannot leave a window open.)
  QString title;
  ModalScript script;
  script.Then<QFileDialog>(ChooseFolder(Native("mine/Fmine"), &title))
      .Then<QFileDialog>([](QFileDialog* browser) { browser->reject(); });
  QTest::mouseClick(Child<QPushButton>("Button1"), Qt::LeftButton);
  QCOMPARE(title, U("フォルダの選択"));
  QCOMPARE(Child<QLineEdit>("Edit3")->text(), Native("mine/Fmine/"));
  QTest::mouseClick(Child<QPushButton>("Button1"), Qt::LeftButton);
  QVERIFY(script.Done());
  QCOMPARE(Child<QLineEdit>("Edit3")->text(), QString());
  QTest::mouseClick(Child<QPushButton>("BitBtn2"), Qt::LeftButton);
  QCOMPARE(form_->Remembered().personal_log_folder, std::string());
}

void TestTACLogFrm::cancelChangesNothing() {
  form_->SetRemembered({"/kept/"});
  form_->show();
  auto* forums = Child<QTreeWidget>("ListView1");
  forums->setCurrentItem(forums->topLevelItem(1));
  Child<QTreeWidget>("ListView2")->topLevelItem(0)->setSelected(true);
  QTest::keyClicks(Child<QLineEdit>("Edit3"), "changed/");
  QTest::mouseClick(Child<QPushButton>("BitBtn3"), Qt::LeftButton);
  QCOMPARE(form_->result(), int(QDialog::Rejected));
  QVERIFY(!form_->isVisible());
  QCOMPARE(form_->Remembered().personal_log_folder, std::string("/kept/"));
}

void TestTACLogFrm::missingPersonalFolder() {
  prefix_->Write("file-not-folder", "x");
  for (const std::string& personal : {std::string(), prefix_->Native("nosuch/"),
                                      prefix_->Native("file-not-folder")}) {
    form_->SetRemembered({personal});
    form_->show();
    QString text;
    ModalScript script;
    script.Then<QMessageBox>(NoteText(&text));
    ChooseFolderKind(1);
    QVERIFY(script.Done());
    QCOMPARE(text, U("個人ログフォルダが存在しません\n正しいフォルダを設定してください"));
    // Back to the shared folder, its forums still listed.
    QCOMPARE(Child<QComboBox>("ComboBox1")->currentIndex(), 0);
    QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 4);
    form_->reject();
  }
}

void TestTACLogFrm::missingGlobalDatByHand() {
  prefix_->Write("user.reg", "WINE REGISTRY Version 2\n");  // no installation found
  form_->show();
  QCOMPARE(Child<QLineEdit>("Edit1")->text(), QString());
  QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 0);

  // A folder without "Global.Dat": the message, the lists stay empty.
  QString text, title;
  ModalScript script;
  script.Then<QFileDialog>(ChooseFolder(Native("drive_c"), &title))
      .Then<QMessageBox>(NoteText(&text))
      .Then<QFileDialog>(ChooseFolder(Native("drive_c/AC97")));
  QTest::mouseClick(Child<QPushButton>("BitBtn1"), Qt::LeftButton);
  QCOMPARE(title, U("フォルダの選択"));
  QCOMPARE(text, U("指定されたAirCraft 97本体フォルダにGlobal.Datが見つかりません"));
  QCOMPARE(Child<QLineEdit>("Edit1")->text(), Native("drive_c/"));
  QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 0);

  // The installation folder: its forums are listed.
  QTest::mouseClick(Child<QPushButton>("BitBtn1"), Qt::LeftButton);
  QVERIFY(script.Done());
  QCOMPARE(Child<QLineEdit>("Edit1")->text(), Native("drive_c/AC97/"));
  QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 4);
}

void TestTACLogFrm::messageOnShowing_data() {
  QTest::addColumn<bool>("installer_log");
  QTest::addColumn<QString>("message");  // the message, or a part of it
  QTest::addColumn<bool>("installation_found");
  QTest::newRow("Global.Dat missing")
      << false << U("指定されたAirCraft 97本体フォルダにGlobal.Datが見つかりません") << true;
  QTest::newRow("installer log unreadable") << true << U("GONE.LOG") << false;
}

void TestTACLogFrm::messageOnShowing() {
  QFETCH(bool, installer_log);
  QFETCH(QString, message);
  QFETCH(bool, installation_found);
  if (installer_log) {
    prefix_->Write("user.reg", "WINE REGISTRY Version 2\n");
    prefix_->Write("system.reg",
                   "WINE REGISTRY Version 2\n"
                   "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\AirCraft 97] 1\n"
                   "\"UninstallString\"=\"C:\\\\unvise.exe /L C:\\\\AC97\\\\GONE.LOG\"\n");
  } else {
    std::filesystem::remove(prefix_->path() / "drive_c/AC97/Global.Dat");
  }
  QString text;
  // Through exec, as the window opens it; the message comes once it is up.
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&text)).Then<TACLogFrm>([](TACLogFrm* form) { form->reject(); });
  QCOMPARE(form_->exec(), int(QDialog::Rejected));
  QVERIFY(script.Done());
  QVERIFY2(text.contains(message), qPrintable(text));
  QCOMPARE(Child<QLineEdit>("Edit1")->text(), installation_found ? Drive("/AC97/") : QString());
  QCOMPARE(Child<QTreeWidget>("ListView1")->topLevelItemCount(), 0);
}

QTEST_MAIN(TestTACLogFrm)
#include "tst_taclogfrm.moc"
