// Start-up of the desktop program (process start to the main window shown
// with a decoded 200-channel grid, offscreen) next to the start of a bare Qt
// window on the same machine, and the decode of a 200-channel image into the
// grid widget. Goals: start <= 1.5 x the bare window; decode <= 10 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/channels/TextGrid.h"
#include "core/config/IniStore.h"
#include "app/grid/FlexGrid.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TorvanApp.h"

namespace {

constexpr int kStarts = 15;
constexpr double kStartGoal = 1.5;

// Every channel used, every kind of tone, so that the decode writes all 1800 cells.
torvan::RadioImage FullImage() {
  torvan::RadioImage image = torvan::RadioImage::NewDocument();
  torvan::MemoryTextGrid grid;
  const char* tones[] = {"None", "88.5", "D023N", "D754I"};
  for (int r = 1; r <= 200; ++r) {
    const std::string f = std::to_string(400 + r / 10) + "." + std::to_string(10000 + (r % 10) * 1250).substr(1);
    const std::string name = "CH" + std::to_string(r);
    const std::string cells[9] = {f, f, tones[r % 4], tones[(r + 1) % 4], r % 2 ? "High" : "Low",
                                  r % 3 ? "Unlock" : "Lock", "Yes", r % 2 ? "Wide" : "Narrow", name};
    for (int c = 0; c < 9; ++c) grid.SetTextMatrix(r, c + 1, cells[c]);
  }
  torvan::EncodeImage(grid, torvan::BandLimits{400, 470}, image);
  return image;
}

// --- Child processes: each shows its window and ends -----------------------------

int RunBareWindow(int argc, char** argv, bool withText) {
  QApplication app(argc, argv);
  QMainWindow w;
  // With one line of text the window pays what every window with text pays
  // once: the font database (fontconfig) and a font.
  if (withText) w.setCentralWidget(new QLabel(QStringLiteral("Ready")));
  w.resize(1000, 600);
  w.showMaximized();
  QApplication::processEvents();
  std::fflush(nullptr);
  std::_Exit(0);  // shown: the time of tearing down is not part of the start
}

int RunProgram(int argc, char** argv, const char* folder, const char* dat) {
  QApplication app(argc, argv);
  torvan::CIniStore::SetProgramStartPath(std::string(folder) + "/torvan");
  torvan::CIniStore ini;
  torvan::CTorvanApp torvanApp(ini, {QString::fromLocal8Bit(folder), QString::fromLocal8Bit(folder) + "/torvan",
                                     {QString::fromLocal8Bit(dat)}});
  if (!torvanApp.InitInstance()) return 1;
  QApplication::processEvents();
  const bool shown = torvanApp.MainFrame()->isVisible();
  std::fflush(nullptr);
  std::_Exit(shown ? 0 : 1);  // as for the bare window: tearing down is not part of the start
}

double MedianMs(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::vector<double> TimeStarts(const QString& self, const QStringList& args) {
  std::vector<double> ms;
  for (int i = 0; i < kStarts; ++i) {
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
      std::fprintf(stderr, "child %s failed: %s\n", qPrintable(args.join(' ')), p.readAllStandardError().constData());
      return {};
    }
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  return ms;
}

bool CompareStarts(const QString& self) {
  QTemporaryDir folder;
  const QDir program(QStringLiteral(TORVAN_PROGRAM_DIR));
  for (const char* f : {"English.rcc", "Chinese.rcc", "enHelp.html", "chHelp.html", "Program.ini"})
    QFile::copy(program.filePath(f), QDir(folder.path()).filePath(f));
  const QString dat = folder.filePath("full.dat");
  if (!torvan::SaveDat(dat.toStdString(), FullImage()).ok()) return false;

  const auto bare = TimeStarts(self, {"--child-bare"});
  const auto text = TimeStarts(self, {"--child-bare-text"});
  const auto full = TimeStarts(self, {"--child-program", folder.path(), dat});
  if (bare.empty() || text.empty() || full.empty()) return false;
  const double b = MedianMs(bare), t = MedianMs(text), f = MedianMs(full);
  std::printf("Start to window shown (median of %d, offscreen):\n", kStarts);
  std::printf("  bare Qt main window                 %8.1f ms\n", b);
  std::printf("  bare Qt main window with one label  %8.1f ms   = %.2f x bare\n", t, t / b);
  std::printf("  torvan with a 200-channel grid      %8.1f ms   = %.2f x bare (goal <= %.1f x), %.2f x the labelled window\n",
              f, f / b, kStartGoal, f / t);
  return true;
}

// --- Decode into the grid widget ----------------------------------------------------

void BM_DecodeImageIntoGrid(benchmark::State& state) {
  static const torvan::RadioImage image = FullImage();
  torvan::CMSFlexGrid grid;
  grid.SetRows(torvan::kGridRows);
  grid.SetCols(torvan::kGridCols);
  grid.resize(1000, 600);
  grid.show();
  QApplication::processEvents();
  for (auto _ : state) {
    grid.BeginUpdate();
    benchmark::DoNotOptimize(torvan::DecodeImage(image, grid, torvan::DisplayLanguage::English));
    grid.EndUpdate();
    QApplication::processEvents();  // the one repaint that follows
  }
  state.counters["cells"] = 1800;
}
BENCHMARK(BM_DecodeImageIntoGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc >= 2 && std::strcmp(argv[1], "--child-bare") == 0) return RunBareWindow(argc, argv, false);
  if (argc >= 2 && std::strcmp(argv[1], "--child-bare-text") == 0) return RunBareWindow(argc, argv, true);
  if (argc >= 4 && std::strcmp(argv[1], "--child-program") == 0) return RunProgram(argc, argv, argv[2], argv[3]);

  QApplication app(argc, argv);
  const bool started = CompareStarts(QCoreApplication::applicationFilePath());
  std::printf("Decode of 200 channels into the grid widget (goal <= 10 ms):\n");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return started ? 0 : 1;
}
