// torvan-screenshots PROGRAMDIR OUTDIR: starts the desktop program in English
// and in Chinese on a radio image with a few channels and saves pictures of
// its main window (and its About box) as PNG files. Run by `make screenshots`.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "channels/TextGrid.h"
#include "config/IniStore.h"
#include "radio/BandLimits.h"
#include "radio/ChannelCodec.h"
#include "radio/DatFile.h"
#include "shell/AboutDialog.h"
#include "shell/MainFrame.h"
#include "shell/TorvanApp.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 760;

// A 136-174 MHz radio with a handful of typical channels.
torvan::RadioImage SampleImage() {
  torvan::RadioImage image = torvan::RadioImage::NewDocument();
  torvan::MemoryTextGrid grid;
  const char* rows[][9] = {
      {"145.50000", "145.50000", "None", "None", "High", "Unlock", "Yes", "Wide", "CALL"},
      {"146.52000", "146.52000", "88.5", "88.5", "High", "Unlock", "Yes", "Wide", "SIMPLX"},
      {"147.33000", "147.93000", "100.0", "100.0", "High", "Lock", "Yes", "Wide", "RPT1"},
      {"144.80000", "144.80000", "None", "None", "Low", "Unlock", "No", "Narrow", "APRS"},
      {"151.62500", "151.62500", "D023N", "D023N", "Low", "Lock", "Yes", "Narrow", "FARM"},
      {"154.57000", "154.57000", "D754I", "D754I", "High", "Unlock", "Yes", "Narrow", "CREW-2"},
      {"162.40000", "", "None", "None", "Low", "Unlock", "No", "Wide", "WX1"},
      {"156.80000", "156.80000", "None", "None", "High", "Unlock", "Yes", "Wide", "MARINE"},
  };
  for (int i = 0; i < static_cast<int>(std::size(rows)); ++i)
    for (int c = 0; c < 9; ++c) grid.SetTextMatrix(i + 1, c + 1, rows[i][c]);
  image[torvan::map::kRadioType] = 1;  // the second type of Program.ini: a 136-174 MHz radio
  torvan::EncodeImage(grid, torvan::BandLimits{136, 174}, image);
  return image;
}

// Xvfb has no window manager and so no title bars: draw one, so that the
// picture shows the window's caption too.
QImage WithTitleBar(const QPixmap& window, const QString& title, const QIcon& icon) {
  constexpr int kBar = 30;
  QImage out(window.width(), window.height() + kBar, QImage::Format_RGB32);
  out.fill(QColor(48, 56, 72));
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing);
  p.drawPixmap(0, kBar, window);
  p.drawPixmap(8, 7, icon.pixmap(16, 16));
  QFont f = QApplication::font();
  f.setPixelSize(14);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(32, 0, window.width() - 40, kBar), Qt::AlignVCenter | Qt::AlignLeft, title);
  return out;
}

bool CopyProgramFolder(const QString& from, const QString& to, const QString& language) {
  for (const char* f : {"English.rcc", "Chinese.rcc", "enHelp.html", "chHelp.html"}) {
    if (!QFile::copy(QDir(from).filePath(f), QDir(to).filePath(f))) return false;
  }
  QFile ini(QDir(from).filePath("Program.ini"));
  if (!ini.open(QIODevice::ReadOnly)) return false;
  QByteArray text = ini.readAll();
  text.replace("Language=English", "Language=" + language.toUtf8());
  QFile out(QDir(to).filePath("Program.ini"));
  return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

bool Shoot(const QString& programDir, const QString& outDir, const QString& language) {
  QTemporaryDir folder;
  if (!folder.isValid() || !CopyProgramFolder(programDir, folder.path(), language)) {
    std::fprintf(stderr, "cannot prepare a program folder for %s\n", qPrintable(language));
    return false;
  }
  const QString dat = folder.filePath("channels.dat");
  if (!torvan::SaveDat(dat.toStdString(), SampleImage()).ok()) return false;

  torvan::CIniStore::SetProgramStartPath(folder.filePath("torvan").toStdString());
  bool ok = false;
  {
    torvan::CIniStore ini(4);
    torvan::CTorvanApp app(ini, {folder.path(), folder.filePath("torvan"), {dat}});
    if (!app.InitInstance()) return false;
    torvan::CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    frame->setGeometry(0, 0, kWidth, kHeight);
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QString lang = language.toLower();
    ok = WithTitleBar(frame->grab(), frame->windowTitle(), frame->windowIcon())
             .save(QDir(outDir).filePath("main-" + lang + ".png"));

    torvan::CAboutDialog about(frame);
    about.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    ok = about.grab().save(QDir(outDir).filePath("about-" + lang + ".png")) && ok;
    about.close();
    frame->close();
    ini.Clear();  // the copy's Program.ini needs no write-back
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: torvan-screenshots PROGRAMDIR OUTDIR\n");
    return 2;
  }
  const QString programDir = QString::fromLocal8Bit(argv[1]);
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(outDir);
  bool ok = true;
  for (const QString& language : {QStringLiteral("English"), QStringLiteral("Chinese")}) {
    const bool shot = Shoot(programDir, outDir, language);
    std::printf("%s: %s\n", qPrintable(language), shot ? "saved" : "FAILED");
    ok = ok && shot;
  }
  return ok ? 0 : 1;
}
