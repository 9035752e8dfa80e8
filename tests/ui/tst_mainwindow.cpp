// The main window end to end on the offscreen platform: the report the
// window shows for each tally page is the report of tobrel-cli for the same
// options; start with files on the command line, read, tally, save; copy;
// find; the external editor; settings across a restart; the single-instance
// hand-over; and a picture of the window at its design size.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "chart_checks.h"
#include "core/log_cache.h"
#include "core/read_run.h"
#include "output/report_charts.h"
#include "ui/charts/chart_pane.h"
#include "ui/charts/chart_tab.h"
#include "core/read_data_file.h"
#include "dialog_checks.h"
#include "modal_script.h"
#include "platform/cp932.h"
#include "support/sjis.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/dialogs/font_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/radio_group.h"
#include "ui/window/single_instance.h"
#include "ui/view/box_clipboard.h"
#include "ui/window/window_frame.h"
#include "ui/view/text_view.h"

using namespace tobrel;
using tobrel::testing::ChartMismatch;
using tobrel::testing::ChooseFile;
using tobrel::testing::ModalScript;
using tobrel::testing::LayoutFaults;
using tobrel::testing::NoteText;
using tobrel::testing::PicturePath;
using tobrel::testing::ReadAll;
using tobrel::testing::S;
using tobrel::testing::SaveAndCheck;

namespace {

const std::string kSample = TOBREL_SAMPLES "/sample.log";
const char kToday[] = "2026/12/10";

DateTime Today() { return *EncodeDateTime({2026, 12, 10, 12, 0, 0}); }

std::unique_ptr<TForm1> MakeWindow(const QTemporaryDir& folder, std::vector<std::string> arguments,
                                   std::filesystem::path source_docs = {}) {
  WindowEnvironment environment;
  environment.source_docs = std::move(source_docs);
  environment.startup.program_path = (folder.path() + "/tobrel").toStdString();
  environment.startup.settings_path = (folder.path() + "/TOBREL.INI").toStdString();
  environment.startup.arguments = std::move(arguments);
  environment.startup.today = Today();
  environment.startup.home_folder = folder.path().toStdString();
  environment.clock = std::make_shared<FixedClock>(Today());
  return std::make_unique<TForm1>(environment);
}

std::string CliReport(const QStringList& arguments) {
  std::vector<std::string> args;
  for (const QString& a : arguments) args.push_back(a.toStdString());
  args.insert(args.end(), {"--today", kToday, kSample});
  const CliParse parse = ParseCliArguments(args);
  std::ostringstream out, err;
  RunCli(parse.options, out, err);
  return out.str();
}

std::string ViewText(const TForm1& window) {
  const std::string text = window.Editor()->Lines().Text();
  return window.Editor()->Lines().Count() ? text + "\r\n" : text;
}

// Sets the controls as "Name=item" (radio groups and spin fields), "Name"
// (check boxes), "Name:text" (fields) and "Name@yyyy/MM/dd" (date pickers).
void SetControls(TForm1& window, const QStringList& controls) {
  for (const QString& control : controls) {
    if (control.contains('=')) {
      const QString name = control.section('=', 0, 0);
      const int value = control.section('=', 1).toInt();
      if (auto* group = window.findChild<TRadioGroup*>(name)) {
        group->SetItemIndex(value);
        emit group->ItemClicked(value);
      } else if (auto* spin = window.findChild<QSpinBox*>(name)) {
        spin->setValue(value);
      } else {
        QFAIL(qPrintable("no control " + name));
      }
    } else if (control.contains(':')) {
      auto* field = window.findChild<QLineEdit*>(control.section(':', 0, 0));
      QVERIFY(field);
      field->setText(control.section(':', 1));
    } else if (control.contains('@')) {
      auto* picker = window.findChild<QDateEdit*>(control.section('@', 0, 0));
      QVERIFY(picker);
      picker->setDate(QDate::fromString(control.section('@', 1), "yyyy/MM/dd"));
    } else {
      auto* box = window.findChild<QCheckBox*>(control);
      QVERIFY2(box, qPrintable(control));
      box->setChecked(true);
    }
  }
}

// While it lives, closes every message box that opens and keeps the text of
// the last one.
class MessageCatcher {
 public:
  MessageCatcher() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        box->accept();
      }
    });
    timer_.start();
  }
  QString text;

 private:
  QTimer timer_;
};

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void tallyMatchesCli_data();
  void tallyMatchesCli();
  void startReadTallySave();
  void tallyWithoutLogsRefuses();
  void refusedMonthlyTallyShowsItsMessage();
  void shiftJisNamesShowAsJapanese();
  void tablesSavedAsTsv();
  void reportSavedAsHtml();
  void rulesMatchCli();
  void quotePatternChange();
  void copyAndFind();
  void externalEditor();
  void settingsSurviveRestart();
  void settingsFileThatIsAFifo();
  void secondInstanceHandsOver();
  void pageHintsAndCommands();
  void dataFileAtStart();
  void logAndDataFilesByTheOpenDialog();
  void saveResultByTheSaveDialog_data();
  void saveResultByTheSaveDialog();
  void failedSaveSaysWhichFileAndWhy_data();
  void failedSaveSaysWhichFileAndWhy();
  void everyMenuAndToolCommandIsEnabled();
  void dialogsRememberBetweenOpenings();
  void commandsOpenTheirDialogs_data();
  void commandsOpenTheirDialogs();
  void fontDialog_data();
  void fontDialog();
  void missingManual();
  void helpOpensOneWindow();
  void rendering();
  void extraRoomGoesToTheViewAndTheLists();
  void placementSurvivesRestart();
  void placementOffEveryScreenFallsBack();
  void startFrame_data();
  void startFrame();
  void dialogsRenderWholeOnScreen_data();
  void dialogsRenderWholeOnScreen();
  void readHealthWarning();
  void chartPageShowsTheReportsCharts_data();
  void chartPageShowsTheReportsCharts();
  void chartPageRendering();
  void logCacheSwitch();
};

void TestMainWindow::tallyMatchesCli_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QStringList>("controls");
  QTest::addColumn<QStringList>("cli");
  QTest::newRow("count") << 0 << QStringList{} << QStringList{"count"};
  QTest::newRow("count by chars, all tables, top 100, no ids")
      << 0
      << QStringList{"RadioGroup2=1", "CheckBox1",  "CheckBox2",  "CheckBox3", "CheckBox4",
                     "CheckBox13",    "CheckBox14", "CheckBox12", "CheckBoxDispID"}
      << QStringList{"count", "--order", "1", "--tables", "dmhwiz", "--top100", "--hide-ids"};
  QTest::newRow("count by numbers")
      << 0 << QStringList{"RadioGroup2=3", "SaNumEdit1:3", "SaNumEdit2:40"}
      << QStringList{"count", "--order", "3", "--numbers", "3-40"};
  QTest::newRow("count by dates")
      << 0 << QStringList{"RadioGroup1=1", "DateTimePicker1@1996/01/01", "DateTimePicker2@1996/01/02"}
      << QStringList{"count", "--dates", "1996/01/01-1996/01/02"};
  QTest::newRow("quote") << 1 << QStringList{} << QStringList{"quote"};
  QTest::newRow("quote by quoted chars, top 100, no ids")
      << 1 << QStringList{"RadioGroup3=3", "CheckBox12", "CheckBoxDispID"}
      << QStringList{"quote", "--order", "3", "--top100", "--hide-ids"};
  QTest::newRow("comment") << 2 << QStringList{} << QStringList{"comment"};
  QTest::newRow("comment per posting, all")
      << 2 << QStringList{"RadioGroup4=2", "RadioGroup5=3"}
      << QStringList{"comment", "--order", "2", "--limit", "all"};
  QTest::newRow("stats") << 3 << QStringList{} << QStringList{"stats"};
  QTest::newRow("stats titles RT form, missing numbers")
      << 3 << QStringList{"CheckBox7", "RadioGroup6=1", "CheckBox8"}
      << QStringList{"stats", "--titles", "1", "--missing"};
  QTest::newRow("month")
      << 4 << QStringList{"FromYear=1995", "FromMonth=12", "ToYear=1996", "ToMonth=6"}
      << QStringList{"month", "--from", "1995/12", "--to", "1996/06"};
  QTest::newRow("month by chars without ids")
      << 4
      << QStringList{"RadioGroup7=1", "FromYear=1995", "FromMonth=12", "ToYear=1996",
                     "ToMonth=6", "CheckBoxDispID"}
      << QStringList{"month", "--kind", "1", "--from", "1995/12", "--to", "1996/06", "--hide-ids"};
  QTest::newRow("month one id")
      << 4
      << QStringList{"RadioGroup7=2", "FromYear=1995", "FromMonth=12", "ToYear=1996",
                     "ToMonth=6", "MaskEdit1:NBN08841"}
      << QStringList{"month", "--kind", "2", "--from", "1995/12", "--to", "1996/06", "--id",
                     "NBN08841"};
}

void TestMainWindow::tallyMatchesCli() {
  QFETCH(int, page);
  QFETCH(QStringList, controls);
  QFETCH(QStringList, cli);
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  SetControls(*window, controls);
  window->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page);
  window->RunTally();
  const std::string expected = CliReport(cli);
  QVERIFY(!expected.empty());
  QCOMPARE(ViewText(*window), expected);
}

void TestMainWindow::startReadTallySave() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  QCOMPARE(window->Candidates().Count(), 1);
  QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("  1 Files"));
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  QVERIFY(window->findChild<QLabel*>("Label2")->text().endsWith(QStringLiteral("Article 読込み済み")));
  QCOMPARE(window->findChild<QListWidget*>("ListBox1")->count(), 1);
  window->RunTally();
  const QString path = folder.path() + "/result.txt";
  window->SaveResultTo(path);
  QCOMPARE(ReadAll(path.toStdString()), CliReport({"count"}));
  // Replaced whole, leaving no temporary file beside it.
  window->SaveResultTo(path);
  QCOMPARE(QDir(folder.path()).entryList({"result.txt*"}, QDir::Files).size(), 1);
}

void TestMainWindow::tallyWithoutLogsRefuses() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  window->Editor()->Lines().Add("kept");
  MessageCatcher message;
  window->RunTally();
  QCOMPARE(message.text, QStringLiteral("ログファイルが読み込まれていません"));
  QCOMPARE(window->Editor()->Lines().Count(), 1);
}

// The monthly tally's refusal shows its own message, and the view stays empty.
void TestMainWindow::refusedMonthlyTallyShowsItsMessage() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  window->SelectTallyPage(TallyKind::Month);
  // A single month is refused.
  window->findChild<QSpinBox*>("ToYear")->setValue(window->findChild<QSpinBox*>("FromYear")->value());
  window->findChild<QSpinBox*>("ToMonth")->setValue(window->findChild<QSpinBox*>("FromMonth")->value());
  window->Editor()->Lines().Add("before");
  MessageCatcher message;
  window->RunTally();
  QCOMPARE(message.text, QStringLiteral("対象年月が不正です。"));
  QVERIFY(window->Editor()->Lines().Text().empty());
}

// A log whose file name is CP932 bytes shows that name's Japanese text in
// both file lists, not replacement characters.
void TestMainWindow::shiftJisNamesShowAsJapanese() {
  QTemporaryDir folder;
  const std::string log = folder.path().toStdString() + "/" + S("会議室.log");
  std::ofstream(log, std::ios::binary) << ReadAll(kSample);
  auto window = MakeWindow(folder, {log});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  const QString shown = folder.path() + QStringLiteral("/会議室.log");
  QCOMPARE(window->findChild<QListWidget*>("CheckListBox1")->item(0)->text(), shown);
  QCOMPARE(window->findChild<QListWidget*>("ListBox1")->item(0)->text(), shown);
  QCOMPARE(window->Store().ReadFiles, std::vector<std::string>{log});
}

std::string FileText(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The save dialog's "TSV" writes the tables of the report last made: those
// of tobrel-cli --format tsv. Without a report there is nothing to save.
void TestMainWindow::tablesSavedAsTsv() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  {
    MessageCatcher message;
    window->SaveTablesTo(folder.path() + "/none.tsv");
    QCOMPARE(message.text, QStringLiteral("集計結果がありません"));
    QVERIFY(!QFile::exists(folder.path() + "/none.tsv"));
  }
  SetControls(*window,
              {"RadioGroup2=2", "CheckBox1", "CheckBox14", "CheckBox12", "CheckBoxDispID"});
  window->RunTally();
  const std::string expected =
      CliReport({"count", "--format", "tsv", "--order", "2", "--tables", "dz", "--top100",
                 "--hide-ids"});
  QVERIFY(expected.find('\t') != std::string::npos);

  // Typed without an extension: the TSV type adds its own.
  ModalScript script;
  script.Then<TTextFileDialog>(ChooseFile(folder.filePath("tables"), 2));
  window->findChild<QAction*>("SaveResult")->trigger();
  QVERIFY(script.Done());
  QCOMPARE(FileText(folder.filePath("tables.tsv")), expected);
}

// The save dialog's "HTML" writes the page of tobrel-cli --format html for
// the report last made.
void TestMainWindow::reportSavedAsHtml() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  SetControls(*window, {"CheckBox3", "CheckBox14"});
  window->RunTally();
  const std::string expected = CliReport({"count", "--format", "html", "--tables", "hz"});
  QVERIFY(expected.find("<svg") != std::string::npos);
  ModalScript script;
  script.Then<TTextFileDialog>(ChooseFile(folder.filePath("report"), 3));
  window->findChild<QAction*>("SaveResult")->trigger();
  QVERIFY(script.Done());
  QCOMPARE(FileText(folder.filePath("report.html")), expected);
}

void TestMainWindow::rulesMatchCli() {
  QTemporaryDir folder;
  const QString ids = folder.path() + "/ids.txt";
  const QString pairs = folder.path() + "/pairs.txt";
  std::ofstream(ids.toStdString()) << "EAC31676\r\n";
  std::ofstream(pairs.toStdString()) << "NBN08841,IAE63352\r\n";
  auto window = MakeWindow(folder, {kSample});
  window->findChild<QCheckBox*>("CheckBox11")->setChecked(true);
  ExclusionRules& rules = window->Rules();
  rules.id_rule = true;
  rules.ExcludedIds = {"EAC31676"};
  rules.same_id_rule = true;
  rules.SameIdPairs = {"NBN08841,IAE63352"};
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  QVERIFY(!window->Store().Excluded.empty());
  window->RunTally();
  QCOMPARE(ViewText(*window), CliReport({"count", "--exclude-ids", ids, "--same-ids", pairs}));
  // Without the master switch the rules do nothing.
  window->ClearReadData();
  window->findChild<QCheckBox*>("CheckBox11")->setChecked(false);
  window->ReadCheckedFiles();
  window->RunTally();
  QCOMPARE(ViewText(*window), CliReport({"count"}));
}

void TestMainWindow::quotePatternChange() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  auto* field = window->findChild<QLineEdit*>("Edit1");
  const QString before = field->text();
  QVERIFY(!before.isEmpty());
  MessageCatcher message;
  window->ChangeQuotePatternTo("(");  // not a pattern
  QCOMPARE(message.text, QStringLiteral("正規表現が不正です"));
  QCOMPARE(field->text(), before);
  // A new pattern reads the logs again; the window shows it and the quote
  // report follows it, as the command line's --quote does.
  window->ChangeQuotePatternTo("^>");
  QCOMPARE(message.text,
           QStringLiteral("引用行正規表現が変更されたので指定されたログファイルを読み込み直します"));
  QCOMPARE(field->text(), QString("^>"));
  window->SelectTallyPage(TallyKind::Quote);
  window->RunTally();
  QCOMPARE(ViewText(*window), CliReport({"quote", "--quote", "^>"}));
}

void TestMainWindow::copyAndFind() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  window->RunTally();
  // The copy is the saved file's text, its last line break included, with
  // this desktop's LF line ends; also when box selection is on.
  const QString saved = folder.path() + "/saved.txt";
  window->SaveResultTo(saved);
  const QString file_text = QString::fromStdString(cp932::ToUtf8(ReadAll(saved.toStdString())))
                                .replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QVERIFY(file_text.endsWith(QLatin1Char('\n')));
  for (const SelectionShape shape : {SelectionShape::kNormal, SelectionShape::kBox}) {
    QGuiApplication::clipboard()->clear();
    window->Editor()->SetSelectionMode(shape);
    window->CopyResult();
    QCOMPARE(window->StatusText(), QStringLiteral("集計結果をクリップボードにコピーしました"));
    QCOMPARE(QGuiApplication::clipboard()->text(), file_text);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(kBoxMimeType));
  }
  window->Editor()->SetSelectionMode(SelectionShape::kNormal);

  // Find from the start: the first match, then the next, then not found.
  const std::string whole = ViewText(*window);
  const std::size_t first = whole.find("IAE63352");
  QVERIFY(first != std::string::npos);
  window->Editor()->SetSelectionStart(0);
  window->Editor()->SetSelectionLength(0);
  window->FindInView("iae63352", false);
  QCOMPARE(window->Editor()->SelectionStart(), static_cast<std::int64_t>(first));
  QCOMPARE(window->Editor()->SelectionLength(), 8);
  const std::size_t second = whole.find("IAE63352", first + 8);
  if (second != std::string::npos) {
    window->FindInView("IAE63352", true);
    QCOMPARE(window->Editor()->SelectionStart(), static_cast<std::int64_t>(second));
  }
  MessageCatcher message;
  window->FindInView(QStringLiteral("存在しない文字列"), true);
  QCOMPARE(message.text, QStringLiteral("存在しない文字列が見つかりません"));
  window->Editor()->SetSelectionStart(0);
  window->Editor()->SetSelectionLength(0);
  window->FindInView("iae63352", true);  // case kept: no match
  QCOMPARE(message.text, QStringLiteral("iae63352が見つかりません"));
}

void TestMainWindow::externalEditor() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  window->Editor()->Lines().SetText("line1\r\nline2\r\n");
  MessageCatcher message;

  window->Settings().ext_editor = (folder.path() + "/no-such-editor").toStdString();
  window->OpenInExternalEditor();
  QCOMPARE(message.text, QStringLiteral("指定されたエディタが無効です"));

  window->Settings().ext_file_type = ExternalFileKind::kNamedFile;
  window->Settings().ext_folder = (folder.path() + "/missing").toStdString();
  window->OpenInExternalEditor();
  QCOMPARE(message.text, QStringLiteral("指定されたフォルダ名が無効です"));

  window->Settings().ext_folder = folder.path().toStdString();
  window->Settings().ext_file_name = "";
  window->OpenInExternalEditor();
  QCOMPARE(message.text, QStringLiteral("指定されたファイル名が無効です"));

  // A real program, started detached: the fixed file has header, lines, footer.
  window->Settings().ext_file_name = "edit.txt";
  window->Settings().ext_editor = "/bin/true";
  window->Settings().ext_header = "Head\\n";
  window->Settings().ext_footer = "Foot";
  message.text.clear();
  window->OpenInExternalEditor();
  QVERIFY(message.text.isEmpty());
  QCOMPARE(ReadAll((folder.path() + "/edit.txt").toStdString()),
           std::string("Head\r\n\r\nline1\r\nline2\r\nFoot\r\n"));
}

// A FIFO in the settings file's place neither holds up the start nor is
// written at close: the window starts from the defaults and says why. An
// alarm ends a test run that waits on the FIFO, so that it fails, not hangs.
void TestMainWindow::settingsFileThatIsAFifo() {
  ::alarm(60);
  struct AlarmOff {
    ~AlarmOff() { ::alarm(0); }
  } alarm_off;
  QTemporaryDir folder;
  const std::string fifo = (folder.path() + "/TOBREL.INI").toStdString();
  QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
  QString started, closed;
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&started)).Then<QMessageBox>(NoteText(&closed));
  auto window = MakeWindow(folder, {});
  QVERIFY(!window->findChild<QCheckBox*>("CheckBox12")->isChecked());
  window->show();
  window->close();
  QVERIFY(script.Done());
  QCOMPARE(started, QString::fromStdString(fifo) +
                        QStringLiteral(" を読み込めません\n通常のファイルではありません（名前付きパイプです）"));
  QCOMPARE(closed, started);
  QVERIFY(std::filesystem::is_fifo(fifo));
}

void TestMainWindow::settingsSurviveRestart() {
  QTemporaryDir folder;
  {
    auto window = MakeWindow(folder, {kSample});
    window->show();
    window->move(120, 80);
    window->resize(632, 500);
    window->findChild<QCheckBox*>("CheckBox12")->setChecked(true);
    window->findChild<QCheckBox*>("CheckBox10")->setChecked(true);
    window->findChild<QAction*>("MenuScBoth")->trigger();
    window->findChild<QAction*>("menuLineNo")->trigger();
    window->Editor()->SetFontByName("IPAGothic", 12);
    window->close();
  }
  auto window = MakeWindow(folder, {});
  QCOMPARE(window->Candidates().Count(), 1);
  QCOMPARE(window->Candidates().Entries()[0].path, kSample);
  QCOMPARE(window->height(), 500);
  QCOMPARE(window->pos(), QPoint(120, 80));
  QVERIFY(window->findChild<QCheckBox*>("CheckBox12")->isChecked());
  QVERIFY(window->findChild<QCheckBox*>("CheckBox10")->isChecked());
  QVERIFY(!window->findChild<QCheckBox*>("CheckBoxDispID")->isChecked());
  QCOMPARE(window->Editor()->ScrollBars(), ScrollBarChoice::kBoth);
  QVERIFY(window->findChild<QAction*>("MenuScBoth")->isChecked());
  QVERIFY(window->Editor()->LeftbarVisible());
  QCOMPARE(window->Editor()->FontSize(), 12);
}

// "読込みｷｬｯｼｭを使う(&K)" is on by default: reading fills the cache of parsed
// logs. Switched off, it is kept in the settings file and reading neither
// uses nor fills the cache.
void TestMainWindow::logCacheSwitch() {
  QTemporaryDir folder;
  const QByteArray old_cache_home = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", folder.path().toUtf8());
  const QDir cache(folder.path() + "/tobrel");
  auto entries = [&] { return cache.entryList({"*.tobrelcache"}, QDir::Files).size(); };
  {
    auto window = MakeWindow(folder, {kSample});
    QVERIFY(window->findChild<QAction*>("MenuLogCache")->isChecked());
    window->Candidates().CheckAll(true);
    window->ReadCheckedFiles();
    QCOMPARE(entries(), 1);
    window->RunTally();
    QCOMPARE(ViewText(*window), CliReport({"count"}));
    window->findChild<QAction*>("MenuLogCache")->trigger();
    window->close();
  }
  QVERIFY(ReadAll((folder.path() + "/TOBREL.INI").toStdString()).find("LOGCACHE=0\r\n") !=
          std::string::npos);
  ClearLogCache(cache.path().toStdString());
  auto window = MakeWindow(folder, {kSample});
  QVERIFY(!window->findChild<QAction*>("MenuLogCache")->isChecked());
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  QCOMPARE(entries(), 0);
  qputenv("XDG_CACHE_HOME", old_cache_home);
}

void TestMainWindow::secondInstanceHandsOver() {
  QTemporaryDir folder;
  SingleInstance first(folder.path());
  QVERIFY(first.BecomeFirst());
  QSignalSpy received(&first, &SingleInstance::FilesReceived);
  SingleInstance second(folder.path());
  QVERIFY(!second.BecomeFirst());
  QVERIFY(second.HandOver({QString::fromStdString(kSample), QStringLiteral("/tmp/日本語.log")}));
  QVERIFY(received.wait(3000));
  QCOMPARE(received.first().first().toStringList(),
           QStringList({QString::fromStdString(kSample), QStringLiteral("/tmp/日本語.log")}));
}

void TestMainWindow::pageHintsAndCommands() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  auto* button = window->findChild<QPushButton*>("BitBtn1");
  window->SelectTallyPage(TallyKind::Month);
  QCOMPARE(button->toolTip(), QStringLiteral("月別発言集計を実行"));
  window->findChild<QAction*>("NrmlSum")->trigger();
  QCOMPARE(button->toolTip(), QStringLiteral("発言集計を実行"));
  // Adding a path again in other letter case adds nothing.
  window->AddLogFiles({QString::fromStdString(kSample).toUpper()});
  QCOMPARE(window->Candidates().Count(), 1);
  QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("  1 Files"));
  // "全クリア" empties both lists and both counters.
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  window->ClearAll();
  QCOMPARE(window->Candidates().Count(), 0);
  QVERIFY(window->Store().Postings.empty() && window->Store().Excluded.empty());
  QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("  0 Files"));
  QCOMPARE(window->findChild<QLabel*>("Label2")->text(), QStringLiteral("     0 Article 読込み済み"));
}

void TestMainWindow::dataFileAtStart() {
  QTemporaryDir folder;
  std::size_t postings = 0;
  std::filesystem::path data;
  {
    auto window = MakeWindow(folder, {kSample});
    window->Candidates().CheckAll(true);
    window->ReadCheckedFiles();
    postings = window->Store().Postings.size();
    data = *WriteReadDataFile(window->Store(), folder.path().toStdString(), Today());
  }
  auto window = MakeWindow(folder, {"/D" + data.string()});
  QCOMPARE(window->Store().Postings.size(), postings);
  QCOMPARE(window->Store().ReadFiles, std::vector<std::string>{kSample});
  QVERIFY(window->findChild<QLabel*>("Label2")->text().contains(QString::number(postings)));
  // A tally runs on the loaded data without reading.
  window->RunTally();
  QCOMPARE(ViewText(*window), CliReport({"count"}));
}

// What a file dialog showed when it opened.
struct DialogSeen {
  QString title;
  QString filter;  // the filter chosen, as shown
  QString suffix;  // the extension a typed name receives
  QString folder;
};

std::function<void(TTextFileDialog*)> Record(DialogSeen& seen,
                                             std::function<void(QFileDialog*)> then) {
  return [&seen, then](TTextFileDialog* dialog) {
    seen = {dialog->windowTitle(), dialog->selectedNameFilter(), dialog->defaultSuffix(),
            dialog->directory().absolutePath()};
    then(dialog);
  };
}

void TestMainWindow::logAndDataFilesByTheOpenDialog() {
  QTemporaryDir folder;
  std::filesystem::path data;
  std::size_t postings = 0;
  {
    auto writer = MakeWindow(folder, {kSample});
    writer->Candidates().CheckAll(true);
    writer->ReadCheckedFiles();
    postings = writer->Store().Postings.size();
    data = *WriteReadDataFile(writer->Store(), folder.path().toStdString(), Today());
  }
  std::filesystem::remove(folder.path().toStdString() + "/TOBREL.INI");
  auto window = MakeWindow(folder, {});
  QCOMPARE(window->Candidates().Count(), 0);

  // "ﾛｸﾞﾌｧｲﾙの選択(&L)": the preview dialog of logs; the file chosen joins
  // the list, and a cancelled dialog adds nothing.
  DialogSeen log_dialog, data_dialog;
  ModalScript script;
  script.Then<TTextFileDialog>(Record(log_dialog, ChooseFile(QString::fromStdString(kSample))))
      .Then<TTextFileDialog>([](TTextFileDialog* dialog) { dialog->reject(); })
      .Then<TTextFileDialog>(Record(data_dialog, ChooseFile(QString::fromStdString(data.string()))));
  window->findChild<QAction*>("L2")->trigger();
  QCOMPARE(log_dialog.title, QStringLiteral("ログファイルの選択"));
  QCOMPARE(log_dialog.filter, QStringLiteral("ログファイル(*.LOG)"));
  QCOMPARE(log_dialog.suffix, QStringLiteral("LOG"));
  QCOMPARE(window->Candidates().Count(), 1);
  QCOMPARE(window->Candidates().Entries()[0].path, kSample);
  QVERIFY(!window->Candidates().Entries()[0].checked);
  QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QString("  1 Files"));
  window->findChild<QAction*>("ToolButton1")->trigger();
  QCOMPARE(window->Candidates().Count(), 1);

  // "データファイルの読込み(&D)": the same dialog in the home folder (not
  // the program's) with every file shown; the data file chosen is loaded.
  const QByteArray home = qgetenv("HOME");
  QDir(folder.path()).mkdir("home");
  qputenv("HOME", folder.filePath("home").toLocal8Bit());
  window->findChild<QAction*>("D1")->trigger();
  qputenv("HOME", home);
  QVERIFY(script.Done());
  QCOMPARE(data_dialog.title, QStringLiteral("ログファイルの選択"));
  QCOMPARE(data_dialog.filter, QStringLiteral("すべてのファイル(*.*)"));
  QCOMPARE(data_dialog.folder, QDir(folder.filePath("home")).absolutePath());
  QCOMPARE(window->Store().Postings.size(), postings);
  QCOMPARE(window->Store().ReadFiles, std::vector<std::string>{kSample});
}

void TestMainWindow::saveResultByTheSaveDialog_data() {
  QTest::addColumn<int>("filter");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("written");
  QTest::newRow("text file: .TXT added") << 0 << "result" << "result.TXT";
  QTest::newRow("text file: own extension kept") << 0 << "result.log" << "result.log";
  QTest::newRow("all files: name as typed") << 1 << "result" << "result";
}

void TestMainWindow::saveResultByTheSaveDialog() {
  QFETCH(int, filter);
  QFETCH(QString, typed);
  QFETCH(QString, written);
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  // Nothing to save: the message, and no dialog.
  QString message;
  {
    ModalScript script;
    script.Then<QMessageBox>(NoteText(&message));
    window->findChild<QAction*>("N2")->trigger();
    QVERIFY(script.Done());
  }
  QCOMPARE(message, QStringLiteral("集計結果がありません"));

  window->Editor()->Lines().SetText(S("会議室\r\nline2\r\n"));
  DialogSeen seen;
  ModalScript script;
  script.Then<TTextFileDialog>(Record(seen, ChooseFile(folder.filePath(typed), filter)));
  window->findChild<QAction*>("ToolButton3")->trigger();
  QVERIFY(script.Done());
  QCOMPARE(seen.title, QStringLiteral("集計結果を名前をつけて保存"));
  QCOMPARE(seen.filter, QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT)"));
  QCOMPARE(ReadAll(folder.filePath(written).toStdString()), ViewText(*window));
  QCOMPARE(QDir(folder.path()).entryList({"result*"}, QDir::Files), QStringList{written});
}

void TestMainWindow::failedSaveSaysWhichFileAndWhy_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<int>("error");  // what creating a file there gives, or the row is skipped
  QTest::addColumn<QString>("reason");
  QTest::newRow("under a file") << "/dev/null/result.txt" << ENOTDIR << "フォルダが見つかりません";
  // Even root may not create files in /sys (unless it is mounted read-only).
  QTest::newRow("no right") << "/sys/tobrel-result.txt" << EACCES << "書き込みの権限がありません";
}

// A result that cannot be saved: a warning box names the file and says why,
// in Japanese.
void TestMainWindow::failedSaveSaysWhichFileAndWhy() {
  QFETCH(QString, path);
  QFETCH(int, error);
  QFETCH(QString, reason);
  const int probe = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  const int got = probe < 0 ? errno : 0;
  if (probe >= 0) ::close(probe), ::unlink(path.toLocal8Bit().constData());
  if (got != error) QSKIP(qPrintable(QStringLiteral("creating %1 gives %2").arg(path).arg(got)));
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  window->Editor()->Lines().SetText(S("会議室\r\n"));
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  ModalScript script;
  script.Then<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    icon = box->icon();
    box->accept();
  });
  window->SaveResultTo(path);
  QVERIFY(script.Done());
  QCOMPARE(icon, QMessageBox::Warning);
  QCOMPARE(text, path + QStringLiteral(" に書き込めません\n") + reason);
}

void TestMainWindow::everyMenuAndToolCommandIsEnabled() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  QList<QAction*> commands = window->findChild<QToolBar*>("ToolBar1")->actions();
  QList<QMenu*> menus;
  for (QAction* top : window->menuBar()->actions()) menus << top->menu();
  while (!menus.isEmpty()) {
    QMenu* menu = menus.takeFirst();
    for (QAction* entry : menu->actions()) {
      if (entry->menu()) menus << entry->menu();
      commands << entry;
    }
  }
  const auto found = [&commands](const char* name) {
    return std::any_of(commands.begin(), commands.end(),
                       [name](QAction* command) { return command->objectName() == name; });
  };
  QVERIFY(found("ToolButton26") && found("V1") && found("E2") && found("About1"));
  for (QAction* command : commands)
    QVERIFY2(command->isSeparator() || command->isEnabled(), qPrintable(command->objectName()));
}

void TestMainWindow::dialogsRememberBetweenOpenings() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  window->show();
  auto* files = window->findChild<QTabWidget*>("PageControl2");
  // The sort direction of the excluded postings, and a mask added to the
  // folder list, are there at the next opening.
  bool descending_again = false;
  QStringList masks_again;
  ModalScript script;
  script
      .Then<TExpMesForm>([](TExpMesForm* form) {
        form->findChild<QRadioButton*>("RadioGroup1Item1")->click();
        form->reject();
      })
      .Then<TExpMesForm>([&descending_again](TExpMesForm* form) {
        descending_again = form->findChild<QRadioButton*>("RadioGroup1Item1")->isChecked();
        form->reject();
      })
      .Then<TFileSelectFrm>([](TFileSelectFrm* form) {
        form->findChild<QPushButton*>("BitBtn3")->click();  // "FileMaskの追加/変更(&A)"
      })
      .Then<QInputDialog>([](QInputDialog* input) {
        input->setTextValue("*.DAT");
        input->accept();
      })
      .Then<TFileSelectFrm>([](TFileSelectFrm* form) { form->reject(); })
      .Then<TFileSelectFrm>([&masks_again](TFileSelectFrm* form) {
        auto* masks = form->findChild<QComboBox*>("ComboBox1");
        for (int i = 0; i < masks->count(); ++i) masks_again << masks->itemText(i);
        form->reject();
      });
  window->findChild<QAction*>("N14")->trigger();
  QCOMPARE(files->currentIndex(), 1);  // the read files are shown
  window->findChild<QAction*>("ToolButton22")->trigger();
  window->findChild<QAction*>("F1")->trigger();
  QCOMPARE(files->currentIndex(), 0);
  window->findChild<QAction*>("ToolButton20")->trigger();
  QVERIFY(script.Done());
  QVERIFY(descending_again);
  QVERIFY2(masks_again.contains("*.DAT"), qPrintable(masks_again.join(' ')));
}

void TestMainWindow::commandsOpenTheirDialogs_data() {
  QTest::addColumn<QString>("command");  // an action, or a button of the window
  QTest::addColumn<QString>("dialog");   // the class of the modal dialog it opens
  const QList<std::pair<const char*, const char*>> rows = {
      {"L2", "tobrel::TTextFileDialog"},        {"ToolButton1", "tobrel::TTextFileDialog"},
      {"L3", "tobrel::TTextFileDialog"},        {"D1", "tobrel::TTextFileDialog"},
      {"AirCraft1", "tobrel::TACLogFrm"},       {"ToolButton2", "tobrel::TACLogFrm"},
      {"AirCraftC1", "tobrel::TACLogFrm"},      {"F1", "tobrel::TFileSelectFrm"},
      {"ToolButton20", "tobrel::TFileSelectFrm"}, {"F3", "tobrel::TFileSelectFrm"},
      {"N14", "tobrel::TExpMesForm"},           {"ToolButton22", "tobrel::TExpMesForm"},
      {"N30", "tobrel::TExpMesForm"},           {"Button8", "tobrel::TExpMesForm"},
      {"ButtonOmit", "tobrel::TOmittMesForm"},  {"V1", "tobrel::TForm5"},
      {"ToolButton23", "tobrel::TForm5"},       {"F2", "QDialog"},
      {"ToolButton25", "QDialog"},              {"Font1", "tobrel::TFontDialog"},
      {"C3", "QColorDialog"},                   {"B1", "QColorDialog"},
      {"S1", "QColorDialog"},                   {"E2", "tobrel::TEditOptForm"},
      {"About1", "tobrel::TAboutBox"},
  };
  for (const auto& [command, dialog] : rows) QTest::newRow(command) << command << dialog;
}

void TestMainWindow::commandsOpenTheirDialogs() {
  QFETCH(QString, command);
  QFETCH(QString, dialog);
  QTemporaryDir folder;
  qputenv("WINEPREFIX", folder.path().toLocal8Bit());  // no installation to find
  auto window = MakeWindow(folder, {});
  window->findChild<QCheckBox*>("CheckBox11")->setChecked(true);  // rules in force
  QString opened;
  ModalScript script;
  script.Then<QDialog>([&opened](QDialog* shown) {
    opened = shown->metaObject()->className();
    shown->reject();
  });
  if (auto* action = window->findChild<QAction*>(command))
    action->trigger();
  else
    window->findChild<QPushButton*>(command)->click();
  qunsetenv("WINEPREFIX");
  QVERIFY(script.Done());
  QCOMPARE(opened, dialog);
}

void TestMainWindow::fontDialog_data() {
  QTest::addColumn<QString>("font");  // the view's font setting when the dialog opens
  QTest::addColumn<QString>("shown");  // the family the dialog starts at
  QTest::newRow("FixedSys") << "FixedSys" << "IPAGothic";
  QString other;  // a fixed-pitch font of the system other than the one chosen
  for (const QString& family : QFontDatabase::families())
    if (family != "IPAGothic" && QFontDatabase::isFixedPitch(family)) {
      other = family;
      break;
    }
  if (!other.isEmpty()) QTest::newRow("another font") << other << other;
}

// The font dialog offers the Japanese fonts whose Latin letters share one
// width, IPAGothic among them although fontconfig calls it dual-width, and
// starts at the view's font as drawn; the font chosen then draws the view's
// kana and kanji itself, not through a fallback font.
void TestMainWindow::fontDialog() {
  QFETCH(QString, font);
  QFETCH(QString, shown);
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  TTextView* view = window->Editor();
  view->SetFontByName(font, 11);
  QStringList offered;
  QString started;
  int started_size = 0;
  ModalScript script;
  script.Then<TFontDialog>([&](TFontDialog* dialog) {
    auto* families = dialog->findChild<QListWidget*>("Families");
    for (int row = 0; row < families->count(); ++row) offered << families->item(row)->text();
    started = dialog->Family();
    started_size = dialog->PointSize();
    families->setCurrentRow(static_cast<int>(offered.indexOf("IPAGothic")));
    dialog->findChild<QSpinBox*>("Size")->setValue(12);
    dialog->accept();
  });
  window->findChild<QAction*>("Font1")->trigger();
  QVERIFY(script.Done());
  QVERIFY2(offered.contains("IPAGothic"), qPrintable(offered.join(", ")));
  QVERIFY2(!offered.contains("IPAPGothic"), qPrintable(offered.join(", ")));  // proportional
  QCOMPARE(started, shown);
  QCOMPARE(started_size, 11);
  QCOMPARE(view->FontName(), QStringLiteral("IPAGothic"));
  QCOMPARE(view->FontSize(), 12);
  QTextLayout layout(QStringLiteral("Aあア漢ｱ"), view->viewport()->font());
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  QVERIFY(!runs.isEmpty());
  for (const QGlyphRun& run : runs) QCOMPARE(run.rawFont().familyName(), QStringLiteral("IPAGothic"));
}

// The message names every place the manual was looked for, one a line.
void TestMainWindow::missingManual() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {}, (folder.path() + "/docs").toStdString());
  MessageCatcher message;
  window->findChild<QAction*>("HELP1Click")->trigger();
  const QString share = QDir::cleanPath(folder.path() + "/../share/doc/tobrel/tobrel.html");
  QCOMPARE(message.text, QStringLiteral("ヘルプファイルが見つかりません。探した場所:\n") + folder.path() +
                             "/tobrel.html\n" + share + "\n" + folder.path() + "/docs/tobrel.html");
  QVERIFY(!window->findChild<THelpWindow*>());
}

// HELP opens the manual in the program's own window; pressed again, it
// brings the same window back with the page where it was.
void TestMainWindow::helpOpensOneWindow() {
  QTemporaryDir folder;
  std::ofstream(folder.filePath("tobrel.html").toStdString())
      << "<html><head><title>説明書</title></head><body><h1>使い方</h1></body></html>";
  auto window = MakeWindow(folder, {});
  QAction* help = window->findChild<QAction*>("HELP1Click");
  help->trigger();
  auto* reader = window->findChild<THelpWindow*>();
  QVERIFY(reader);
  QVERIFY(reader->isVisible());
  QCOMPARE(reader->windowTitle(), QStringLiteral("説明書"));
  QCOMPARE(reader->Browser()->source(), QUrl::fromLocalFile(folder.filePath("tobrel.html")));
  reader->close();
  help->trigger();
  QCOMPARE(window->findChildren<THelpWindow*>().size(), 1);
  QVERIFY(reader->isVisible());
}

void TestMainWindow::rendering() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Editor()->SetFontByName("IPAGothic", 9);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  // The first size: never below the design's 632 x 480, and room for a
  // screenful of the result under the pages.
  qInfo("first size %dx%d", window->width(), window->height());
  QVERIFY(window->width() >= 632 && window->height() >= 480);
  QVERIFY(window->Editor()->VisibleRowCount() >= 10);
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  window->findChild<QCheckBox*>("CheckBox3")->setChecked(true);
  window->RunTally();
  QTest::qWait(50);
  QVERIFY(window->grab().save(PicturePath("mainwindow.png")));
  // Every page of both page controls whole, at the first size.
  for (const char* name : {"PageControl1", "PageControl2"}) {
    auto* pages = window->findChild<QTabWidget*>(name);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      SaveAndCheck(window.get(), QStringLiteral("mainwindow_%1.png").arg(pages->widget(i)->objectName()));
    }
    pages->setCurrentIndex(0);
  }
  window->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1);
  QCoreApplication::processEvents();
  const QImage view = window->Editor()->viewport()->grab().toImage();
  QVERIFY(view.save(PicturePath("mainwindow_view.png")));

  // A left-aligned column: every visible row with a blank before column C and
  // a letter or digit at C draws that character inside its cell. The
  // picture has the screen's pixels: a cell's logical place is scaled to them.
  TTextView& editor = *window->Editor();
  const int rows = std::min(editor.Lines().Count(), editor.TopRow() + editor.VisibleRowCount());
  const QRgb back = view.pixel(view.width() - 2, view.height() - 2);
  const qreal ratio = view.devicePixelRatio();
  const auto device = [ratio](int logical) { return qRound(logical * ratio); };
  const int cell = editor.CellWidth();
  int checked = 0;
  for (int row = editor.TopRow(); row < rows; ++row) {
    const std::string_view line = editor.Lines()[row];
    for (std::size_t c = 1; c < line.size(); ++c) {
      if (line[c - 1] != ' ' || !std::isalnum(static_cast<unsigned char>(line[c]))) continue;
      if (static_cast<unsigned char>(line[c]) >= 0x80) continue;
      const QPoint origin = editor.CellOrigin(row, static_cast<int>(c));
      if (device(origin.x() + cell) >= view.width()) continue;
      // No ink in the blank's cell just before, ink within the character's cell.
      bool ink_before = false, ink_in = false;
      for (int y = device(origin.y()); y < device(origin.y() + editor.RowHeight()); ++y) {
        for (int x = device(origin.x() - cell) + 1; x < device(origin.x()) - 1; ++x)
          if (x >= 0 && view.pixel(x, y) != back) ink_before = true;
        for (int x = device(origin.x()); x < device(origin.x() + cell); ++x)
          if (view.pixel(x, y) != back) ink_in = true;
      }
      QVERIFY2(!ink_before && ink_in, qPrintable(QString("row %1 column %2").arg(row).arg(c)));
      ++checked;
    }
  }
  QVERIFY(checked > 20);
}

// Growing the window widens the file pages and heightens the result view;
// the option pages keep their size. Maximised, the window fills the screen
// and everything still fits.
void TestMainWindow::extraRoomGoesToTheViewAndTheLists() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {});
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  const auto* files = window->findChild<QTabWidget*>("PageControl2");
  const auto* options = window->findChild<QTabWidget*>("PageControl1");
  const auto* list = window->findChild<QListWidget*>("CheckListBox1");
  const QSize files_before = files->size(), options_before = options->size();
  const int list_before = list->width(), view_before = window->Editor()->height();
  window->resize(window->size() + QSize(100, 60));
  QCoreApplication::processEvents();
  QCOMPARE(files->width(), files_before.width() + 100);
  QCOMPARE(list->width(), list_before + 100);
  QCOMPARE(options->size(), options_before);
  QCOMPARE(files->height(), files_before.height());
  QCOMPARE(window->Editor()->height(), view_before + 60);

  window->showMaximized();
  QTRY_VERIFY(window->isMaximized());
  // The whole screen, to a pixel lost in rounding at a fractional scale.
  const QRect screen = window->screen()->availableGeometry();
  QTRY_VERIFY(screen.contains(window->frameGeometry()) &&
              window->frameGeometry().width() >= screen.width() - 1 &&
              window->frameGeometry().height() >= screen.height() - 1);
  QVERIFY(window->Editor()->height() > view_before + 60);
  const QStringList faults = LayoutFaults(window.get());
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(" | ")));
}

// Place, size and the maximised state come back after a restart from the
// window's own keys; the position keys of the file keep their meaning.
void TestMainWindow::placementSurvivesRestart() {
  QTemporaryDir folder;
  const QString ini = folder.filePath("TOBREL.INI");
  QSize size;
  {
    auto window = MakeWindow(folder, {});
    window->show();
    window->move(30, 20);
    size = window->size() + QSize(40, 10);
    window->resize(size);
    window->close();
  }
  const std::string bytes = ReadAll(ini.toStdString());
  QVERIFY2(bytes.find(QString("[POS]\r\nTOP=20\r\nLEFT=30\r\nHEIGHT=%1\r\n")
                          .arg(size.height()).toStdString()) != std::string::npos,
           bytes.c_str());
  QVERIFY2(bytes.find(QString("[WINDOW]\r\nLeft=30\r\nTop=20\r\nWidth=%1\r\nHeight=%2\r\n"
                              "Maximized=0\r\n")
                          .arg(size.width()).arg(size.height()).toStdString()) != std::string::npos,
           bytes.c_str());
  {
    auto window = MakeWindow(folder, {});
    QCOMPARE(window->pos(), QPoint(30, 20));
    QCOMPARE(window->size(), size);
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    window->close();
  }
  auto window = MakeWindow(folder, {});
  window->show();
  QTRY_VERIFY(window->isMaximized());
  window->showNormal();
  QTRY_COMPARE(window->size(), size);
  QCOMPARE(window->pos(), QPoint(30, 20));
}

// A placement stored for a screen that is gone gives way to the position
// keys' placement on the screen there is, at the first size.
void TestMainWindow::placementOffEveryScreenFallsBack() {
  QTemporaryDir folder;
  QSize first;
  {
    auto window = MakeWindow(folder, {});
    first = window->size();
  }
  std::ofstream(folder.filePath("TOBREL.INI").toStdString(), std::ios::binary)
      << "[POS]\r\nTOP=40\r\nLEFT=60\r\nHEIGHT=400\r\n"
         "[WINDOW]\r\nLeft=3000\r\nTop=100\r\nWidth=900\r\nHeight=700\r\nMaximized=1\r\n";
  auto window = MakeWindow(folder, {});
  QCOMPARE(window->pos(), QPoint(60, 40));
  QCOMPARE(window->size(), first);
  QVERIFY(!(window->windowState() & Qt::WindowMaximized));
}

void TestMainWindow::startFrame_data() {
  QTest::addColumn<QRect>("stored");  // empty: none stored
  QTest::addColumn<QRect>("expected");
  QTest::addColumn<bool>("maximized");  // as stored, or not when the keys give way
  // Two screens side by side; the position keys say (60, 40), 500 high.
  QTest::newRow("none stored: the position keys at the first size")
      << QRect() << QRect(60, 40, 650, 580) << false;
  QTest::newRow("on the second screen") << QRect(1700, 100, 900, 700)
                                        << QRect(1700, 100, 900, 700) << true;
  QTest::newRow("hanging over the edges, lower than the window can be: on its screen")
      << QRect(1300, 800, 700, 400) << QRect(1600, 594, 700, 430) << true;
  QTest::newRow("larger than its screen: shrunk to it")
      << QRect(1600, 0, 2000, 2000) << QRect(1600, 0, 1280, 1024) << true;
  QTest::newRow("smaller than the window can be: its minimum")
      << QRect(100, 100, 200, 100) << QRect(100, 100, 650, 430) << true;
  QTest::newRow("on a screen that is gone") << QRect(4000, 100, 900, 700)
                                            << QRect(60, 40, 650, 580) << false;
}

void TestMainWindow::startFrame() {
  QFETCH(QRect, stored);
  QFETCH(QRect, expected);
  QFETCH(bool, maximized);
  std::optional<StoredWindowGeometry> geometry;
  if (!stored.isNull())
    geometry = StoredWindowGeometry{stored.x(), stored.y(), stored.width(), stored.height(), true};
  WindowPlacement fallback;
  fallback.left = 60;
  fallback.top = 40;
  fallback.height = 500;
  const WindowFrame frame = StartFrame(geometry, fallback, QSize(650, 580), QSize(650, 430),
                                       {QRect(0, 0, 1600, 1080), QRect(1600, 0, 1280, 1024)});
  QCOMPARE(QRect(frame.top_left, frame.size), expected);
  QCOMPARE(frame.maximized, maximized);
}

// Every dialog the window opens, with the window hanging over the screen's
// bottom right corner: wholly on the screen, nothing cut, overlapping or
// outside it. Each leaves a picture.
void TestMainWindow::dialogsRenderWholeOnScreen_data() {
  QTest::addColumn<QString>("command");  // an action, or a button of the window
  // BitBtn1 with nothing read shows a message box.
  const char* const commands[] = {"L2", "AirCraft1", "F1",     "N14",     "ButtonOmit", "V1", "F2",
                                  "E2", "About1",    "Button1", "Font1",  "C3",         "BitBtn1"};
  for (const char* command : commands) QTest::newRow(command) << command;
}

void TestMainWindow::dialogsRenderWholeOnScreen() {
  QFETCH(QString, command);
  QTemporaryDir folder;
  qputenv("WINEPREFIX", folder.path().toLocal8Bit());  // no installation to find
  auto window = MakeWindow(folder, {});
  window->findChild<QCheckBox*>("CheckBox11")->setChecked(true);  // rules in force
  window->show();
  const QRect screen = window->screen()->availableGeometry();
  window->move(screen.right() - 200, screen.bottom() - 150);
  QStringList faults{"not shown"};
  QRect frame;
  ModalScript script;
  script.Then<QDialog>([&](QDialog* shown) {
    QCoreApplication::processEvents();
    frame = shown->frameGeometry();
    shown->grab().save(PicturePath("window_dialog_" + command + ".png"));
    faults = LayoutFaults(shown);
    shown->reject();
  });
  if (auto* action = window->findChild<QAction*>(command))
    action->trigger();
  else
    window->findChild<QPushButton*>(command)->click();
  qunsetenv("WINEPREFIX");
  QVERIFY(script.Done());
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(" | ")));
  QVERIFY2(screen.contains(frame), qPrintable(QString("%1,%2 %3x%4").arg(frame.x()).arg(frame.y())
                                                  .arg(frame.width()).arg(frame.height())));
}

// The files a reading run found wrong are named under the read-file list and
// in the status bar; a UTF-8 copy of a log is a notice and tallies as the
// Shift-JIS original.
void TestMainWindow::readHealthWarning() {
  QTemporaryDir folder;
  std::ifstream in(kSample, std::ios::binary);
  const std::string sample((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string utf8 = folder.path().toStdString() + "/utf8.log";
  std::ofstream(utf8, std::ios::binary) << cp932::ToUtf8(sample);
  const std::string empty = folder.path().toStdString() + "/empty.log";
  std::ofstream(empty, std::ios::binary).flush();

  auto window = MakeWindow(folder, {utf8});
  const QLabel* label = window->ReadHealthLabel();
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  QCOMPARE(label->text(), QStringLiteral("注意 utf8.log: UTF-8 から変換して読み込みました"));
  QCOMPARE(window->StatusText(), label->text());
  window->RunTally();
  QCOMPARE(ViewText(*window), CliReport({"count"}));

  window->AddLogFiles({QString::fromStdString(empty)});
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  QCOMPARE(label->text(), QStringLiteral("警告 empty.log: 発言がありません"));
  QVERIFY(!label->isHidden());
  QVERIFY(label->toolTip().startsWith(QString::fromStdString(empty)));
  QCOMPARE(window->StatusText(), label->text());

  window->ClearReadData();
  QVERIFY(label->isHidden());
}

// Whether two charts are the same, NaN counting as equal to NaN.
bool SameCharts(const std::vector<Chart>& a, const std::vector<Chart>& b) {
  const auto same_values = [](const std::vector<double>& x, const std::vector<double>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                      [](double p, double q) { return p == q || (std::isnan(p) && std::isnan(q)); });
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const Chart& x, const Chart& y) {
    return x.shape == y.shape && x.title == y.title && x.category_axis == y.category_axis &&
           x.value_axis == y.value_axis && x.categories == y.categories && x.marked == y.marked &&
           x.marked_label == y.marked_label && x.table == y.table &&
           x.value_axis_reversed == y.value_axis_reversed &&
           std::equal(x.series.begin(), x.series.end(), y.series.begin(), y.series.end(),
                      [&](const ChartSeries& p, const ChartSeries& q) {
                        return p.name == q.name && same_values(p.values, q.values);
                      });
  });
}

// After each kind of tally the result view stays in front; Ctrl+G shows the
// chart page, which holds the charts of the report's data (those of the
// same request over the same log, tallied apart from the window) and draws
// each as its values say; Ctrl+G again shows the result.
void TestMainWindow::chartPageShowsTheReportsCharts_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QStringList>("controls");
  const QStringList months{"FromYear=1995", "FromMonth=12", "ToYear=1996", "ToMonth=6"};
  QTest::newRow("count, all tables")
      << 0 << QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox13", "CheckBox14"};
  QTest::newRow("quote") << 1 << QStringList{};
  QTest::newRow("comment") << 2 << QStringList{};
  QTest::newRow("stats, missing numbers") << 3 << QStringList{"CheckBox8"};
  QTest::newRow("month by postings") << 4 << months;
  QTest::newRow("month by characters") << 4 << (QStringList{"RadioGroup7=1"} + months);
  QTest::newRow("month of one id") << 4 << (QStringList{"RadioGroup7=2", "MaskEdit1:NBN08841"} + months);
}

void TestMainWindow::chartPageShowsTheReportsCharts() {
  QFETCH(int, page);
  QFETCH(QStringList, controls);
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->show();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  SetControls(*window, controls);
  window->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page);
  window->RunTally();
  auto* tabs = window->findChild<QTabWidget*>("ResultTabs");
  QCOMPARE(tabs->currentIndex(), 0);
  QVERIFY(!window->ChartPage()->CurrentPane());  // not charted while hidden

  LogStore store;
  FixedClock clock(Today());
  ReadRunObserver silent;
  QVERIFY(!ReadLogFiles(store, window->ReadingInputs(), clock, silent).stopped_by);
  const ReportRequest request = window->CurrentRequest();
  TallyProgress quiet;
  ReportData data;
  MakeReport(store, request, quiet, &data);
  const std::vector<Chart> expected = ReportCharts(request, data);
  QVERIFY(!expected.empty());

  QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
  QCOMPARE(tabs->currentIndex(), 1);
  QVERIFY(window->findChild<QAction*>("ChartPage")->isChecked());
  QCOMPARE(QApplication::focusWidget(), window->findChild<QListWidget*>("ChartList"));
  QVERIFY(SameCharts(window->ChartPage()->Charts(), expected));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    window->ChartPage()->ShowChart(static_cast<int>(i));
    QCoreApplication::processEvents();
    const QString mismatch = ChartMismatch(*window->ChartPage()->CurrentPane());
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
  }
  QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
  QCOMPARE(tabs->currentIndex(), 0);
  QCOMPARE(QApplication::focusWidget(), window->Editor());
}

// The chart page at the window's first size, with the charts of the count,
// statistics and monthly tallies: nothing cut or overlapping, in the view's
// colours. The pictures stay in the build folder.
void TestMainWindow::chartPageRendering() {
  QTemporaryDir folder;
  auto window = MakeWindow(folder, {kSample});
  window->Editor()->SetColors(QColor(0xf0, 0xf0, 0xd0), QColor(0x20, 0x20, 0x40), Qt::red);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  window->Candidates().CheckAll(true);
  window->ReadCheckedFiles();
  SetControls(*window, {"CheckBox3", "CheckBox13", "CheckBox8", "FromYear=1995", "FromMonth=12",
                        "ToYear=1996", "ToMonth=6"});
  TChartTab& charts = *window->ChartPage();
  for (const TallyKind kind : {TallyKind::Count, TallyKind::Stats, TallyKind::Month}) {
    window->SelectTallyPage(kind);
    window->RunTally();
    if (window->findChild<QTabWidget*>("ResultTabs")->currentIndex() == 0) window->ToggleChartPage();
    QVERIFY(!charts.Charts().empty());
    for (std::size_t i = 0; i < charts.Charts().size(); ++i) {
      charts.ShowChart(static_cast<int>(i));
      SaveAndCheck(window.get(),
                   QStringLiteral("mainwindow_chart_%1_%2.png").arg(static_cast<int>(kind)).arg(i));
      QCOMPARE(tobrel::testing::CutChartLabels(*charts.CurrentPane()), QStringList());
      QCOMPARE(charts.CurrentPane()->Picture().pixelColor(2, 2), QColor(0x20, 0x20, 0x40));
    }
  }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

