// tobrel-manual-shots OUT_FOLDER SAMPLE_LOG DOCS_FOLDER: the pictures of
// the user manual. Opens the main window with the sample log, reads it, runs
// each tally and saves a picture of the window per tally page, then opens
// every dialog with sample contents and saves a picture of each, opens the
// manual of DOCS_FOLDER in the help window, tallies again for the chart
// page, and last reads a UTF-8 copy of the sample and a file that is no log
// to show the reading run's warning, all as PNG files in OUT_FOLDER. Qt's own texts are Japanese, as in the
// program. It runs on Qt's offscreen platform with a fixed date and
// a fresh settings folder, so the pictures do not depend on who makes them.
// The logs and the communication program's folders shown lie in a folder of
// a fixed name under the temporary folder, so that their paths are the same
// on every machine.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "exclusion/exclusion_dialog.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/date_time.h"
#include "settings/settings_file.h"
#include "support/aircraft_prefix.h"
#include "ui/charts/chart_tab.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/ac_log_form.h"
#include "ui/window/edit_opt_form.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/dialogs/font_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/id_set_form.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/omitt_mes_form.h"
#include "ui/dialogs/process_form.h"
#include "ui/window/range_page.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/file_failure_box.h"
#include "ui/widgets/qt_translations.h"
#include "ui/widgets/text_preview.h"
#include "ui/view/text_view.h"

using namespace tobrel;
using tobrel::testing::GlobalDat;
using tobrel::testing::RoomLine;
using tobrel::testing::S;
using tobrel::testing::TempFolder;
using tobrel::testing::WinePrefixBuilder;

namespace {

DateTime Today() { return *EncodeDateTime({2026, 12, 10, 12, 0, 0}); }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lets the window system lay out and paint, and folder models fill.
void Settle(int milliseconds = 200) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class Shooter {
 public:
  explicit Shooter(QString folder) : folder_(std::move(folder)) {}
  bool ok() const { return ok_; }

  void Save(QWidget* widget, const char* name) {
    Settle();
    const QString path = folder_ + "/" + name + ".png";
    if (!widget->grab().save(path)) {
      std::fprintf(stderr, "tobrel-manual-shots: cannot write %s\n", qPrintable(path));
      ok_ = false;
    }
  }

 private:
  QString folder_;
  bool ok_ = true;
};

// A Wine prefix with a communication program installed in C:\AC97 and its
// logs under C:\AC97\LOG: two forums, room logs that hold the sample log,
// the room index and an archive.
void BuildPrefix(const WinePrefixBuilder& prefix, const std::string& sample) {
  tobrel::testing::RegisterAircraftServer(prefix);
  prefix.Write("drive_c/AC97/AirCraft.exe", "MZ");
  prefix.Write("drive_c/AC97/Global.Dat", GlobalDat("C:\\AC97\\LOG"));
  prefix.Write("drive_c/AC97/FLIST.DAT", S("パソコン通信フォーラム FPCTSU nifty:FPCTSU\r\n"
                                           "旅と写真のフォーラム FTRAVEL nifty:FTRAVEL\r\n"));
  const std::string forum = "drive_c/AC97/LOG/FPCTSU/";
  prefix.Write(forum + "MES.LOG", S("番号　発言 (未読) 　最新　　会議室名\r\n") +
                                      RoomLine(" 1", "総合案内") + RoomLine(" 2", "雑談の部屋") +
                                      RoomLine(" 3", "質問と回答"));
  prefix.Write(forum + "ARLIST.DAT", S("1,N,AR_00001.LOG,\"1996年の過去ログ\"\r\n"));
  const char* const files[] = {"Mes_01.LOG", "Mes_02.LOG", "Mes_03.LOG", "AR_00001.LOG"};
  for (const char* file : files) prefix.Write(forum + file, sample);
  prefix.SetTime(forum + "Mes_01.LOG", 1997, 3, 2, 21, 15);
  prefix.SetTime(forum + "Mes_02.LOG", 1997, 3, 1, 23, 40);
  prefix.SetTime(forum + "Mes_03.LOG", 1997, 2, 27, 8, 5);
  prefix.SetTime(forum + "AR_00001.LOG", 1996, 12, 31, 18, 0);
  prefix.SetTime(forum + "MES.LOG", 1997, 3, 2, 21, 15);
  prefix.SetTime(forum + "ARLIST.DAT", 1997, 1, 5, 10, 30);
  prefix.Write("drive_c/AC97/LOG/FTRAVEL/Mes_01.LOG", sample);
}

// The offscreen platform says for every window that it cannot size it to
// its hints, or raise it; nothing the pictures need.
void QuietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints")) ||
      message.contains(QStringLiteral("does not support raise"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}

// Selects the row of `list` whose first column is `name`.
void SelectRow(QTreeWidget* list, const QString& name) {
  if (!list) return;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (list->topLevelItem(i)->text(0) == name) list->topLevelItem(i)->setSelected(true);
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(QuietOffscreen);
  if (argc != 4) {
    std::fprintf(stderr, "usage: tobrel-manual-shots OUT_FOLDER SAMPLE_LOG DOCS_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  const std::string sample_bytes = ReadBytes(argv[2]);

  WinePrefixBuilder prefix("tobrel-manual", TempFolder::Naming::kExact);
  BuildPrefix(prefix, sample_bytes);
  const std::string forum = prefix.Native("drive_c/AC97/LOG/FPCTSU");
  const std::string log = forum + "/Mes_01.LOG";
  const std::string home = prefix.Native("home");
  std::filesystem::create_directories(home);
  // The file dialog's side bar shows the home folder and the folders Qt
  // remembers in its own settings: both from the fixed folder, not the user's.
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
  QApplication app(argc, argv);
  if (!InstallJapaneseQtTexts(app)) {
    std::fprintf(stderr, "tobrel-manual-shots: Qt's Japanese translations are not installed\n");
    return 1;
  }

  WindowEnvironment environment;
  environment.startup.program_path = home + "/tobrel";
  environment.startup.settings_path = home + "/TOBREL.INI";
  environment.startup.arguments = {log, forum + "/Mes_02.LOG", forum + "/Mes_03.LOG"};
  environment.startup.today = Today();
  environment.startup.screen_width = 1024;
  environment.startup.screen_height = 768;
  environment.startup.home_folder = home;
  environment.clock = std::make_shared<FixedClock>(Today());
  environment.source_docs = argv[3];

  Shooter shooter(out);
  TForm1 window(environment);
  window.show();
  window.resize(window.width(), 600);
  shooter.Save(&window, "main_start");

  // The log file dialog, in the forum's folder with the first room log
  // chosen, so that its preview pane shows the log's first lines.
  QTimer::singleShot(100, &window, [&] {
    auto* dialog = qobject_cast<TTextFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->resize(860, 480);
    dialog->setDirectory(QString::fromStdString(forum));
    Settle(500);
    // Typing the name selects the file in the list, as it does for a user.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(QStringLiteral("Mes_01.LOG"));
    Settle(300);
    dialog->Preview()->ShowFile(log);
    shooter.Save(dialog, "dialog_open");
    dialog->reject();
  });
  if (QAction* open = window.findChild<QAction*>("L2")) open->trigger();

  window.Candidates().SetChecked(0, true);
  window.ReadCheckedFiles();
  const struct {
    TallyKind kind;
    const char* name;
  } pages[] = {{TallyKind::Count, "main_count"},     {TallyKind::Quote, "main_quote"},
               {TallyKind::Comment, "main_comment"}, {TallyKind::Stats, "main_stats"},
               {TallyKind::Month, "main_month"}};
  // The months of the sample log, as the report examples of the manual take them.
  const struct {
    const char* name;
    int value;
  } months[] = {{"FromYear", 1995}, {"FromMonth", 12}, {"ToYear", 1996}, {"ToMonth", 1}};
  for (const auto& month : months)
    if (auto* spin = window.findChild<QSpinBox*>(month.name)) spin->setValue(month.value);
  for (const auto& page : pages) {
    window.SelectTallyPage(page.kind);
    window.RunTally();
    shooter.Save(&window, page.name);
  }
  // The find dialog runs in its own loop: it is taken from a timer inside
  // that loop, then searches for a handle in the monthly report.
  QTimer::singleShot(100, &window, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (auto* text = dialog->findChild<QLineEdit*>("FindText")) text->setText(QStringLiteral("ねこまる"));
    shooter.Save(dialog, "dialog_find");
    dialog->accept();
  });
  if (QAction* find = window.findChild<QAction*>("ToolButton25Click")) find->trigger();
  shooter.Save(&window, "main_found");

  // The target range page.
  window.SelectTallyPage(TallyKind::Count);
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>())
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabText(i) == QStringLiteral("集計期間")) tabs->setCurrentIndex(i);
  auto* range = window.findChild<RangePage*>();
  QCheckBox* use_rules = range ? range->findChild<QCheckBox*>("CheckBox11") : nullptr;
  if (use_rules) use_rules->setChecked(true);
  if (range) shooter.Save(range, "page_range");

  {
    TACLogFrm form(prefix.path(), &window);
    form.SetRemembered({});
    form.show();
    auto* forums = form.findChild<QTreeWidget*>("ListView1");
    if (forums && forums->topLevelItemCount() > 0) forums->setCurrentItem(forums->topLevelItem(0));
    auto* rooms = form.findChild<QTreeWidget*>("ListView2");
    SelectRow(rooms, QStringLiteral("Mes_01.LOG"));
    SelectRow(rooms, QStringLiteral("Mes_02.LOG"));
    shooter.Save(&form, "dialog_aircraft");
  }
  {
    TFileSelectFrm form(prefix.path(), FolderListSettings{}, &window);
    form.SetRemembered({forum});
    form.show();
    Settle(500);
    SelectRow(form.findChild<QTreeWidget*>("ListView1"), QStringLiteral("Mes_01.LOG"));
    shooter.Save(&form, "dialog_folder_list");
  }
  {
    ExclusionRules& rules = window.Rules();
    rules.master = true;
    rules.id_rule = true;
    rules.ExcludedIds = {"NBN08841"};
    rules.title_rule = true;
    rules.title_text = "^Re:";
    TOmittMesForm form(rules, &window);
    form.show();
    shooter.Save(&form, "dialog_exclusion");
    form.accept();  // compiles the title pattern into the rules
  }
  {
    TIDSetForm form(&window);
    form.SetTexts(ExcludedIdEditorTexts());
    form.SetLines({"NBN08841", "IAE63352"});
    form.show();
    shooter.Save(&form, "dialog_id_list");
  }
  {
    // Read again under the rules, so that the list of excluded postings fills
    // with postings left out by ID and by title.
    window.ClearReadData();
    window.ReadCheckedFiles();
    TExpMesForm form(window.Store(), &window);
    form.show();
    shooter.Save(&form, "dialog_excluded");
  }
  {
    const FixedClock clock(Today());
    TForm5 form(clock, &window);
    form.SetInputFiles({log, forum + "/Mes_02.LOG"});
    form.show();
    // What choosing the first log and an output file shows.
    if (auto* inputs = form.findChild<QComboBox*>("ComboBox1")) inputs->setCurrentIndex(0);
    if (auto* output = form.findChild<QLabel*>("StaticText1"))
      output->setText(QString::fromStdString(forum + "/Mes_01_part.LOG"));
    for (const char* box : {"CheckBox5", "CheckBox7"})
      if (auto* check = form.findChild<QCheckBox*>(box)) check->setChecked(true);
    shooter.Save(&form, "dialog_process");
  }
  {
    TEditOptForm form(window.Settings(), &window);
    form.show();
    shooter.Save(&form, "dialog_editor");
  }
  {
    TAboutBox box(&window);
    box.show();
    shooter.Save(&box, "dialog_about");
  }
  {
    TFontDialog dialog(window.Editor()->font(), &window);
    dialog.show();
    shooter.Save(&dialog, "dialog_font");
  }
  {
    // A result that cannot be saved: which file and why.
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    FileFailureText(home + "/result.TXT", {EACCES, std::generic_category()},
                                    FileAccess::kWrite),
                    QMessageBox::Ok, &window);
    box.show();
    shooter.Save(&box, "message_save_failed");
  }
  {
    // The help window as HELP opens it, with a word found at the top.
    if (QAction* help = window.findChild<QAction*>("HELP1Click")) help->trigger();
    auto* help = window.findChild<THelpWindow*>();
    if (!help) {
      std::fprintf(stderr, "tobrel-manual-shots: no manual in %s\n", argv[3]);
      return 1;
    }
    help->resize(640, 480);
    if (auto* find = help->findChild<QLineEdit*>("HelpFindText")) find->setText(QStringLiteral("集計"));
    help->FindText(QStringLiteral("集計"));
    shooter.Save(help, "help_window");
    help->close();
  }
  {
    // The chart page after a posting-count tally with the hour table, in a
    // window tall enough for a chart, showing the hour chart.
    window.resize(window.width(), 760);
    for (const char* table : {"CheckBox3", "CheckBox14"})
      if (auto* box = window.findChild<QCheckBox*>(table)) box->setChecked(true);
    window.SelectTallyPage(TallyKind::Count);
    window.RunTally();
    window.ToggleChartPage();
    TChartTab& charts = *window.ChartPage();
    for (std::size_t i = 0; i < charts.Charts().size(); ++i)
      if (charts.Charts()[i].shape == ChartShape::Bars) {
        charts.ShowChart(static_cast<int>(i));
        break;
      }
    shooter.Save(&window, "main_charts");
    window.ToggleChartPage();
    for (const char* table : {"CheckBox3", "CheckBox14"})
      if (auto* box = window.findChild<QCheckBox*>(table)) box->setChecked(false);
    window.resize(window.width(), 600);
  }
  {
    // A reading run that has something to tell: the sample log as another
    // tool saved it in UTF-8 (a notice) and a memo that is no log at all
    // (a warning), with the read-file list in view.
    const std::string converted = "drive_c/AC97/LOG/FTRAVEL/Mes_02.LOG";
    prefix.Write(converted, cp932::ToUtf8(sample_bytes));
    prefix.Write("drive_c/AC97/LOG/memo.txt", S("買い物メモ\r\n・フロッピー 10 枚\r\n・モデムのケーブル\r\n"));
    window.Rules().master = false;
    window.ClearReadData();
    window.Candidates().Clear();
    window.AddLogFiles({QString::fromStdString(prefix.Native(converted)),
                        QString::fromStdString(prefix.Native("drive_c/AC97/LOG/memo.txt"))});
    window.Candidates().CheckAll(true);
    window.ReadCheckedFiles();
    window.SelectTallyPage(TallyKind::Count);
    window.RunTally();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>())
      for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->objectName() == QStringLiteral("TabSheet6")) tabs->setCurrentIndex(i);
    shooter.Save(&window, "main_health");
  }
  return shooter.ok() ? 0 : 1;
}
