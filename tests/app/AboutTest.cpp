// The About box: the product texts of Program.ini and, below them, the
// program's own version.

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "app/base/CommandIds.h"
#include "app/shell/AboutDialog.h"

namespace torvan::test {
namespace {

TEST(About, ShowsTheProgramsVersionBelowTheProductTexts) {
  AppHarness h;
  ASSERT_TRUE(h.Start());
  CAboutDialog* shown = nullptr;
  AppHarness::WhenModal([&](QWidget* w) {
    shown = qobject_cast<CAboutDialog*>(w);
    if (!shown) return false;
    EXPECT_EQ(shown->windowTitle(), "About Torvan");  // the product texts of Program.ini
    EXPECT_EQ(shown->VersionLine(), "Version 1.0");
    EXPECT_EQ(shown->CopyrightLine(), "Copyright (C) 2026");
    EXPECT_EQ(shown->OwnerLine(), "Kestrel Bay Ltd.");
    EXPECT_EQ(shown->ProgramVersionLine(), "torvan " TORVAN_EXPECTED_VERSION);
    shown->accept();
    return true;
  });
  h.ClickMenu(5, h.Frame()->Action(cmd::kAppAbout));
  QApplication::processEvents();
  EXPECT_NE(shown, nullptr) << "About did not open";
}

}  // namespace
}  // namespace torvan::test
