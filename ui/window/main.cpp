// tobrel: the desktop program. One window per user; a second start hands
// its file arguments to the running window and ends.
#include <csignal>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "settings/settings_file.h"
#include "ui/window/main_window.h"
#include "ui/widgets/qt_translations.h"
#include "ui/window/single_instance.h"

using namespace tobrel;

int main(int argc, char* argv[]) {
  // A file-size limit (ulimit -f) makes saving fail with a message, the old
  // file kept, rather than ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  InstallJapaneseQtTexts(app);
  QStringList arguments = QApplication::arguments().mid(1);

  SingleInstance instance(SingleInstance::DefaultFolder());
  if (!instance.BecomeFirst()) {
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
  // The arguments' own bytes (Qt has taken its options out of argv): a file
  // name that is not UTF-8 would not survive a QString.
  for (int i = 1; i < argc; ++i) environment.startup.arguments.emplace_back(argv[i]);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    environment.startup.screen_width = screen->geometry().width();
    environment.startup.screen_height = screen->geometry().height();
  }
  environment.startup.home_folder = QDir::homePath().toStdString();
  environment.source_docs = TOBREL_SOURCE_DOCS;

  TForm1 window(environment);
  QObject::connect(&instance, &SingleInstance::FilesReceived, &window,
                   [&window](const QStringList& files) {
                     window.AddLogFiles(files);
                     window.showNormal();
                     window.raise();
                     window.activateWindow();
                   });
  window.show();
  return app.exec();
}
