// torvan: the desktop program.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <cstring>
#include <iostream>

#include "core/config/IniStore.h"
#include "core/files/PathText.h"
#include "core/files/ProgramFiles.h"
#include "core/product/ProgramVersion.h"
#include "app/shell/TorvanApp.h"

namespace {

constexpr const char* kUsage =
    "usage: torvan [FILE.dat]\n"
    "       torvan --help | --version\n"
    "Opens FILE.dat, or a new radio memory, in the desktop program.\n";

// The desktop entry and the AppStream id name the program this way; Wayland
// shells find the window's icon and name through it.
constexpr const char* kDesktopId = "io.github.torvan.Torvan";

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << torvan::VersionLine("torvan") << '\n';
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
  }

  QApplication qapp(argc, argv);
  // The per-user folder of the settings (QStandardPaths::AppConfigLocation)
  // does not depend on how the executable is named.
  QCoreApplication::setApplicationName(QString::fromUtf8(torvan::kProgramFolderName.data(),
                                                          static_cast<qsizetype>(torvan::kProgramFolderName.size())));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
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
    app.SetUserConfigDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    if (app.InitInstance()) status = QApplication::exec();
  }
  return status;
}
