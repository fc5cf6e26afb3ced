// Program > Read and Program > Write in the desktop program (offscreen, the
// real main window, view and progress window; OK pressed, time taken until
// the window closes) against torvan-radio-sim over a pseudo-terminal, unpaced
// and with the radio's line at 9600 baud.
//
// The wire limit is the bytes' own time at 9600 baud (see bench/link): the
// program's pump steps, progress window and decode must add little to it.
// Goal: a paced transfer within 1.05 x its wire limit.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "VirtualRadio.h"
#include "app/channels/TorvanView.h"
#include "core/config/IniStore.h"
#include "core/files/PathText.h"
#include "core/link/CloneHost.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "app/base/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TorvanApp.h"

namespace {

using torvan::CloneDirection;

constexpr double kWireBaud = 9600.0;
constexpr double kBitTimesPerByte = 10.0;
constexpr double kReadBytes = 1024.0 * (4 + 12 + 1 + 1) + 20.0;
constexpr double kWriteBytes = 1022.0 * 13 + 8;
constexpr double kWritePauses = 1022 * 0.001;
constexpr qint64 kSessionLimitMs = 120000;

double WireLimitSeconds(CloneDirection d) {
  const double byteTime = kBitTimesPerByte / kWireBaud;
  return d == CloneDirection::Read ? kReadBytes * byteTime : kWriteBytes * byteTime + kWritePauses;
}

// The program in a folder of its own, as a user starts it.
class Program {
 public:
  Program() {
    const QDir program(QStringLiteral(TORVAN_PROGRAM_DIR));
    for (const char* f : {"English.rcc", "Chinese.rcc", "enHelp.html", "chHelp.html", "Program.ini"})
      QFile::copy(program.filePath(f), QDir(folder_.path()).filePath(f));
    QDir::setCurrent(folder_.path());
    torvan::CIniStore::SetProgramStartPath(torvan::PathFromUtf8((folder_.path() + "/torvan").toStdString()));
    ini_ = std::make_unique<torvan::CIniStore>();
    app_ = std::make_unique<torvan::CTorvanApp>(*ini_, torvan::CTorvanApp::Options{folder_.path(),
                                                                                  folder_.path() + "/torvan", {}});
    ok_ = app_->InitInstance();
  }
  bool ok() const { return ok_; }
  torvan::CTorvanApp& app() { return *app_; }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<torvan::CIniStore> ini_;
  std::unique_ptr<torvan::CTorvanApp> app_;
  bool ok_ = false;
};

// One transfer as the user starts it: the command, then OK; the time from
// OK until the progress window closes.
double TimeTransfer(torvan::CMainFrame& frame, CloneDirection direction) {
  frame.Action(direction == CloneDirection::Read ? torvan::cmd::kRead : torvan::cmd::kWrite)->trigger();
  torvan::CProgressDialog& dialog = frame.Transfer().ProgressDialog();
  QApplication::processEvents();
  QElapsedTimer t;
  t.start();
  dialog.OkButton()->click();
  while (dialog.isVisible() && t.elapsed() < kSessionLimitMs) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

void InProgram(benchmark::State& state, CloneDirection direction, unsigned baud) {
  std::vector<std::string> args;
  if (baud > 0) args = {"--baud", std::to_string(baud)};
  const torvan::test::Radio sim(args, /*captureErr=*/false);
  const std::string& port = sim.path();
  if (port.empty()) {
    state.SkipWithError("torvan-radio-sim printed no terminal path");
    return;
  }
  Program program;
  if (!program.ok()) {
    state.SkipWithError("the program did not start");
    return;
  }
  program.app().MainFrame()->Transfer().SetPort(QString::fromStdString(port));
  double total = 0;
  for (auto _ : state) {
    const double seconds = TimeTransfer(*program.app().MainFrame(), direction);
    state.SetIterationTime(seconds);
    total += seconds;
  }
  const double mean = total / static_cast<double>(state.iterations());
  state.counters["seconds"] = mean;
  if (baud == 9600) {
    state.counters["wire_limit_s"] = WireLimitSeconds(direction);
    state.counters["ratio"] = mean / WireLimitSeconds(direction);
  }
}

void BM_ProgramRead(benchmark::State& s) { InProgram(s, CloneDirection::Read, 0); }
void BM_ProgramWrite(benchmark::State& s) { InProgram(s, CloneDirection::Write, 0); }
void BM_ProgramRead9600(benchmark::State& s) { InProgram(s, CloneDirection::Read, 9600); }
void BM_ProgramWrite9600(benchmark::State& s) { InProgram(s, CloneDirection::Write, 9600); }

BENCHMARK(BM_ProgramRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProgramWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProgramRead9600)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ProgramWrite9600)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
