// torvan-screenshots PROGRAMDIR OUTDIR: starts the desktop program in English
// and in Chinese on an empty 136-174 MHz radio, types a dozen channels into
// the grid with key presses (as a user at the keyboard would: Enter walks
// through each row), and saves pictures of its main window (and its About
// box) as PNG files. Run by `make screenshots`.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/channels/TorvanView.h"
#include "core/config/IniStore.h"
#include "core/radio/DatFile.h"
#include "core/radio/MemoryMap.h"
#include "app/shell/AboutDialog.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TorvanApp.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 760;

// An empty memory of the second radio type of Program.ini (136-174 MHz).
torvan::RadioImage EmptyVhfImage() {
  torvan::RadioImage image = torvan::RadioImage::NewDocument();
  image[torvan::map::kRadioType] = 1;
  torvan::BandLimits{136, 174}.Encode(image);
  return image;
}

// One channel as it is typed: Rx; Tx (nullptr: keep the Rx that the new
// channel takes, "": clear it); the tones typed into their lists (nullptr:
// keep "None"); the list moves for low power, busy lock, no scan, narrow;
// the name.
struct TypedChannel {
  const char* rx;
  const char* tx;
  const char* rxTone;
  const char* txTone;
  bool low, lock, noScan, narrow;
  const char* name;
};

constexpr TypedChannel kChannels[] = {
    {"145.5", nullptr, nullptr, nullptr, false, false, false, false, "call"},
    {"146.52", nullptr, "88.5", "88.5", false, false, false, false, "simplx"},
    {"147.33", "147.93", "100.0", "100.0", false, true, false, false, "rpt1"},
    {"146.94", "146.34", "103.5", "103.5", false, true, false, false, "rpt2"},
    {"144.8", nullptr, nullptr, nullptr, true, false, true, true, "aprs"},
    {"151.625", nullptr, "D023N", "D023N", true, true, false, true, "farm"},
    {"154.57", nullptr, "D754I", "D754I", false, false, false, true, "crew-2"},
    {"151.82", nullptr, nullptr, nullptr, true, false, false, true, "murs1"},
    {"151.88", nullptr, nullptr, nullptr, true, false, false, true, "murs2"},
    {"156.8", nullptr, nullptr, nullptr, false, false, false, false, "marine"},
    {"162.4", "", nullptr, nullptr, true, false, true, false, "wx1"},
    {"162.55", "", nullptr, nullptr, true, false, true, false, "wx7"},
};

// A key press and release as the keyboard sends them, to the widget with the
// keyboard focus.
void Press(torvan::CTorvanView* view, int key, const QString& text = {}) {
  QWidget* target = QApplication::focusWidget();
  if (!target) target = view->OpenEditor() ? view->OpenEditor() : &view->Grid();
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &up);
  QApplication::processEvents();
}

void TypeText(torvan::CTorvanView* view, const char* text) {
  for (const char* c = text; *c; ++c) {
    const QChar ch = QLatin1Char(*c);
    const int key = ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : ch.unicode();
    Press(view, key, QString(ch));
  }
}

void Enter(torvan::CTorvanView* view) { Press(view, Qt::Key_Return); }

// Types the channels into rows 1.. of the grid, starting on the grid itself.
void TypeChannels(torvan::CTorvanView* view) {
  view->Grid().setFocus();
  for (const TypedChannel& ch : kChannels) {
    TypeText(view, ch.rx);  // the first key opens the Rx editor
    Enter(view);            // a new channel: Tx and the defaults are filled in
    if (ch.tx && *ch.tx) TypeText(view, ch.tx);
    if (ch.tx && !*ch.tx) Press(view, Qt::Key_Delete);
    Enter(view);
    if (ch.rxTone) TypeText(view, ch.rxTone);  // typing in a list selects by the first letters
    Enter(view);
    if (ch.txTone) TypeText(view, ch.txTone);
    Enter(view);
    if (ch.low) Press(view, Qt::Key_Down);     // High -> Low
    Enter(view);
    if (ch.lock) Press(view, Qt::Key_Up);      // Unlock -> Lock
    Enter(view);
    if (ch.noScan) Press(view, Qt::Key_Down);  // Yes -> No
    Enter(view);
    if (ch.narrow) Press(view, Qt::Key_Down);  // Wide -> Narrow
    Enter(view);
    TypeText(view, ch.name);  // upper case as it is typed
    Enter(view);              // on to the Rx of the next row
  }
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
  if (!torvan::SaveDat(torvan::PathFromUtf8(dat.toStdString()), EmptyVhfImage()).ok()) return false;

  torvan::CIniStore::SetProgramStartPath(torvan::PathFromUtf8(folder.filePath("torvan").toStdString()));
  bool ok = false;
  {
    torvan::CIniStore ini;
    torvan::CTorvanApp app(ini, {folder.path(), folder.filePath("torvan"), {dat}});
    if (!app.InitInstance()) return false;
    torvan::CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    frame->setGeometry(0, 0, kWidth, kHeight);
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    frame->activateWindow();
    QApplication::processEvents();
    // Nothing typed here is refused; should a warning come up all the same,
    // say so and close it rather than wait for ever.
    bool warned = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&warned] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "unexpected warning: %s\n", qPrintable(box->text()));
        warned = true;
        box->close();
      }
    });
    guard.start(50);
    TypeChannels(frame->ActiveView());
    guard.stop();
    if (warned) return false;
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QString lang = language.toLower();
    ok = WithTitleBar(frame->grab(), frame->windowTitle(), frame->windowIcon())
             .save(QDir(outDir).filePath("main-" + lang + ".png"));

    torvan::CAboutDialog about(app.Context(), frame);
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
