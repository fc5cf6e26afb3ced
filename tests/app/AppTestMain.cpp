// GoogleTest main for the desktop program's tests: one QApplication for the
// whole run (none while CTest only lists the tests).

#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>

#include <csignal>
#endif

namespace {
#if defined(__unix__) || defined(__APPLE__)
// The run ends with every process it started (the virtual radios of the
// transfer tests): they share the run's own process group.
extern "C" void EndTheRun(int) {
  static const char kWhy[] = "\nA test ran longer than its limit: the run and the processes it started are stopped.\n";
  [[maybe_unused]] const auto n = ::write(STDERR_FILENO, kWhy, sizeof kWhy - 1);
  ::kill(0, SIGKILL);
}
#endif

// A test that waits for ever (a window nobody answers) ends the run instead.
class Watchdog : public testing::EmptyTestEventListener {
  static constexpr unsigned kSecondsPerTest = 30;
  void OnTestStart(const testing::TestInfo&) override {
#if defined(__unix__) || defined(__APPLE__)
    alarm(kSecondsPerTest);
#endif
  }
  void OnTestEnd(const testing::TestInfo&) override {
#if defined(__unix__) || defined(__APPLE__)
    alarm(0);
#endif
  }
};
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
#if defined(__unix__) || defined(__APPLE__)
  if (!listing) {
    ::setpgid(0, 0);
    std::signal(SIGALRM, EndTheRun);
  }
#endif
  std::unique_ptr<QApplication> app;
  if (!listing) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  return RUN_ALL_TESTS();
}
