// Reading in the window can be stopped, by "中止", by Esc or by closing the
// window: the window handles its events while it reads, so the stop comes
// in between blocks; the store is then what reading the files before the
// interrupted one leaves, and the status text says the run was stopped.
// While the run goes on, nothing that could start another run is enabled.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <fstream>
#include <memory>

#include "core/read_data_file.h"
#include "tools/log_generator.h"
#include "ui/window/main_window.h"

using namespace tobrel;

namespace {

DateTime Today() { return *EncodeDateTime({2026, 12, 10, 12, 0, 0}); }

std::unique_ptr<TForm1> MakeWindow(const QTemporaryDir& folder, std::vector<std::string> logs) {
  WindowEnvironment environment;
  environment.startup.program_path = (folder.path() + "/tobrel").toStdString();
  environment.startup.settings_path = (folder.path() + "/TOBREL.INI").toStdString();
  environment.startup.arguments = std::move(logs);
  environment.startup.today = Today();
  environment.startup.home_folder = folder.path().toStdString();
  environment.clock = std::make_shared<FixedClock>(Today());
  auto window = std::make_unique<TForm1>(environment);
  window->Candidates().CheckAll(true);
  return window;
}

std::string GeneratedLog(const QTemporaryDir& folder, const char* name, std::uint64_t seed,
                         std::uint64_t postings, std::uint64_t min_bytes = 0) {
  LogGeneratorOptions options;
  options.seed = seed;
  options.postings = postings;
  options.min_bytes = min_bytes;
  const std::string path = (folder.path() + "/" + name).toStdString();
  std::ofstream out(path, std::ios::binary);
  GenerateLog(options, out);
  return path;
}

}  // namespace

class TestReadStop : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void stopLeavesTheFilesBefore_data();
  void stopLeavesTheFilesBefore();

 private:
  QTemporaryDir folder_;
  std::vector<std::string> logs_;
};

void TestReadStop::initTestCase() {
  // A small log, one large enough to take a good while to read, a small one.
  logs_ = {GeneratedLog(folder_, "a.log", 1, 50), GeneratedLog(folder_, "b.log", 2, 0, 24u << 20),
           GeneratedLog(folder_, "c.log", 3, 50)};
}

void TestReadStop::stopLeavesTheFilesBefore_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("中止") << "button";
  QTest::newRow("Esc") << "escape";
  QTest::newRow("closing the window") << "close";
}

void TestReadStop::stopLeavesTheFilesBefore() {
  QFETCH(QString, how);
  // Every row reads its logs: a row that read them to the end would leave them
  // in the cache, and the next would load them too fast to be stopped.
  QTemporaryDir cache;
  qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
  QTemporaryDir settings;
  auto expected = MakeWindow(settings, {logs_[0]});
  expected->ReadCheckedFiles();

  auto window = MakeWindow(settings, logs_);
  window->show();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  auto* stop = window->findChild<QPushButton*>("StopButton");
  QVERIFY(stop && !stop->isVisible());
  // Once the large log is being read, a timer (which fires only when the
  // window handles its events) looks at the window and stops the run.
  bool checked = false;
  QTimer timer;
  timer.setInterval(1);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (checked || !window->StatusText().contains("b.log")) return;
    checked = true;
    QVERIFY(stop->isVisible() && stop->isEnabled());
    QVERIFY(!window->menuBar()->isEnabled());
    QVERIFY(!window->findChild<QToolBar*>()->isEnabled());
    QVERIFY(!window->centralWidget()->isEnabled());
    for (QAction* action : window->findChildren<QAction*>()) QVERIFY(!action->isEnabled());
    window->ReadCheckedFiles();  // refused while a run goes on
    window->RunTally();
    if (how == "button") QTest::mouseClick(stop, Qt::LeftButton);
    if (how == "escape") QTest::keyClick(window.get(), Qt::Key_Escape);
    if (how == "close") window->close();
  });
  timer.start();
  window->ReadCheckedFiles();
  timer.stop();
  QVERIFY(checked);

  QCOMPARE(window->Store().ReadFiles, std::vector<std::string>{logs_[0]});
  QCOMPARE(ReadDataLines(window->Store()), ReadDataLines(expected->Store()));
  QCOMPARE(window->Store().Excluded.size(), expected->Store().Excluded.size());
  QCOMPARE(window->StatusText(), QStringLiteral("読込みを中止しました（1 ファイル読込み済み）"));
  QVERIFY(!stop->isVisible());
  QVERIFY(window->menuBar()->isEnabled() && window->centralWidget()->isEnabled());
  if (how == "close") {
    QTRY_VERIFY(!window->isVisible());  // closed once the run had stopped
  } else {
    QVERIFY(window->isVisible());
    // A run that is not stopped reads the rest.
    window->ReadCheckedFiles();
    QCOMPARE(window->Store().ReadFiles.size(), std::size_t{3});
  }
}

QTEST_MAIN(TestReadStop)
#include "tst_readstop.moc"
