// GoogleTest main for the desktop program's tests: one QApplication for the
// whole run (none while CTest only lists the tests).

#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace {
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
  std::unique_ptr<QApplication> app;
  if (!listing) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  return RUN_ALL_TESTS();
}
