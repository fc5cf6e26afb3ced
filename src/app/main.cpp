// torvan: the desktop program.

#include <QApplication>
#include <QDir>
#include <QStringList>

#include "core/config/IniStore.h"
#include "core/files/PathText.h"
#include "app/shell/TorvanApp.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  // The one settings store lives longer than the application object: it
  // writes Program.ini back after the application has finished.
  torvan::CIniStore::SetProgramStartPath(
      torvan::PathFromUtf8(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString()));
  torvan::CIniStore ini;
  int status = 1;
  {
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    torvan::CTorvanApp app(ini, {QCoreApplication::applicationDirPath(), QCoreApplication::applicationFilePath(), args});
    if (app.InitInstance()) status = QApplication::exec();
  }
  return status;
}
