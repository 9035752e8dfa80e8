// tobrel: the desktop program. One window per user; a second start hands
// its file arguments to the running window and ends.
//
// TOBREL_SCREENSHOT=<file.png> (used by scripts/screenshot.sh) reads the
// checked files given on the command line, runs the posting-count tally,
// saves a picture of the window and ends.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include "settings/settings_file.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"

using namespace tobrel;

namespace {

void ReadAndTally(TForm1& window) {
  window.Candidates().CheckAll(true);
  window.ReadCheckedFiles();
  window.RunTally();
}

int Grab(TForm1& window, const QString& path) {
  const QPixmap picture = window.screen()->grabWindow(window.winId());
  return picture.save(path) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QStringList arguments = QApplication::arguments().mid(1);
  const QString screenshot = qEnvironmentVariable("TOBREL_SCREENSHOT");

  SingleInstance instance(SingleInstance::DefaultFolder());
  if (screenshot.isEmpty() && !instance.BecomeFirst()) {
    QStringList files;
    for (const QString& argument : arguments)
      if (QFileInfo(argument).isFile()) files << QFileInfo(argument).absoluteFilePath();
    instance.HandOver(files);
    return 0;
  }

  WindowEnvironment environment;
  const std::filesystem::path program = QApplication::applicationFilePath().toStdString();
  environment.startup.program_path = program;
  environment.startup.settings_path = SettingsFilePath(program);
  for (const QString& argument : arguments) environment.startup.arguments.push_back(argument.toStdString());
  if (const QScreen* screen = QApplication::primaryScreen()) {
    environment.startup.screen_width = screen->geometry().width();
    environment.startup.screen_height = screen->geometry().height();
  }
  environment.startup.window_width = 632;
  environment.startup.home_folder = QDir::homePath().toStdString();

  TForm1 window(environment);
  QObject::connect(&instance, &SingleInstance::FilesReceived, &window,
                   [&window](const QStringList& files) {
                     window.AddLogFiles(files);
                     window.showNormal();
                     window.raise();
                     window.activateWindow();
                   });
  window.show();
  if (!screenshot.isEmpty()) {
    int status = 1;
    // Read and tally once the window is up, grab once it has painted all.
    QTimer::singleShot(300, &window, [&] { ReadAndTally(window); });
    QTimer::singleShot(1000, &window, [&] {
      status = Grab(window, screenshot);
      app.exit(status);
    });
    app.exec();
    return status;
  }
  return app.exec();
}
