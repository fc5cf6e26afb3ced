// Setup > Com Setup: the port a view starts with from the stored setting, the
// dialog with no stored value, a stored port held by another program, a port
// chosen by name, the virtual radio, and F1.

#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <gtest/gtest.h>
#include <functional>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "app/channels/TorvanView.h"
#include "app/link/ComSetupDialog.h"
#include "app/link/PortSetting.h"
#include "app/link/ProgressDialog.h"
#include "app/link/TransferController.h"
#include "core/link/SerialPort.h"
#include "app/link/VirtualRadio.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"

namespace torvan::test {
namespace {

class ComSetup : public testing::Test {
 protected:
  void SetUp() override {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "on Windows the port setting lives in the user's registry, which tests leave alone";
#endif
    ASSERT_TRUE(h.Start());
  }

  // The port of the next transfer.
  QString Port() const { return h.Frame()->Transfer().Port(); }
  // The setting as the program stores it ("Software\Torvan").
  QSettings Stored() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "Software", "Torvan"); }

  // Opens the dialog from the Setup menu and lets `act` work in it; `act`
  // closes it (Enter for OK, Escape for Cancel).
  void InDialog(std::function<void(CComSetupDialog&)> act) {
    bool ran = false;
    AppHarness::WhenModal([&](QWidget* w) {
      auto* d = qobject_cast<CComSetupDialog*>(w);
      if (!d) return false;
      act(*d);
      ran = true;
      return true;
    });
    h.ClickMenu(4, h.Frame()->Action(cmd::kComSetup));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran && QApplication::activeModalWidget() == nullptr; }, 10000));
  }
  static void Choose(QAbstractButton* b) {
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
  }
  static void PressOk(CComSetupDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }
  static QAbstractButton* Checked(const CComSetupDialog& d) {
    return d.ComButton(1)->group() ? d.ComButton(1)->group()->checkedButton() : nullptr;
  }
  // A new document window, whose view reads the stored port.
  // File > New (Ctrl+N): the warning answered with OK, or for a document
  // with unsaved changes (a read) the question whether to save with Discard.
  void NewView() {
    AppHarness::WhenModal([](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box) return false;
      QAbstractButton* b = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok) : box->button(QMessageBox::Discard);
      if (!b) return false;
      b->setFocus();
      QTest::keyClick(b, Qt::Key_Space);
      return true;
    });
    ActivateWindow(h.Frame());
    QTest::keyClick(h.Frame(), Qt::Key_N, Qt::ControlModifier);
    QApplication::processEvents();
  }

  AppHarness h;
  ScopedUserSettings settings{h.Dir() + "/config"};
};

TEST_F(ComSetup, NoStoredValueStartsWithCom1AndChecksNothing) {
  EXPECT_EQ(Port(), "COM1");
  InDialog([this](CComSetupDialog& d) {
    EXPECT_EQ(d.windowTitle(), "COM Setup");
    EXPECT_EQ(Checked(d), nullptr);
    EXPECT_EQ(d.CheckedCom(), -1);
    // Each COM choice can be taken exactly when its port can be opened now.
    for (int n = 1; n <= 4; ++n) {
      EXPECT_EQ(d.ComButton(n)->text(), QString("COM%1").arg(n));
      EXPECT_EQ(d.ComButton(n)->isEnabled(), ProbePort("COM" + std::to_string(n)).ok()) << n;
    }
    // OK with nothing chosen: port 0, which no transfer can open.
    PressOk(d);
  });
  EXPECT_EQ(Port(), "com0");
  EXPECT_EQ(Stored().value("com").toInt(), 0);
  EXPECT_FALSE(Stored().contains("port"));
}

TEST_F(ComSetup, ViewsTakeTheLowByteOfTheStoredNumber) {
  struct Case {
    int stored;
    const char* port;
  };
  // The value is a 32-bit word: -1 (as the Windows registry hands back
  // 0xFFFFFFFF) is 0xFFFFFFFF, low byte 255.
  for (const Case c : {Case{3, "COM3"}, Case{258, "COM2"}, Case{0, "COM0"}, Case{-1, "COM255"}}) {
    Stored().setValue("com", c.stored);
    NewView();
    EXPECT_EQ(Port(), c.port) << c.stored;
  }
  // 258 in the dialog: COM258 cannot be opened, nothing is checked.
  Stored().setValue("com", 258);
  InDialog([](CComSetupDialog& d) {
    EXPECT_EQ(Checked(d), nullptr);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
}

TEST_F(ComSetup, EachAppNameHasItsOwnKey) {
  // The key of an empty AppName is "Software\" itself: its value is no
  // default for the key "Software\Torvan", which has none.
  const auto bareKey = [] { return QSettings(QSettings::IniFormat, QSettings::UserScope, "Software", ""); };
  // The file of "Software\Torvan" alone, without any fallback.
  const auto ownKey = [this] { return QSettings(h.Dir() + "/config/Software/Torvan.ini", QSettings::IniFormat); };
  bareKey().setValue("com", 3);
  NewView();
  EXPECT_EQ(Port(), "COM1");
  InDialog([](CComSetupDialog& d) {
    EXPECT_EQ(Checked(d), nullptr);
    QTest::keyClick(&d, Qt::Key_Escape);
  });

  // With an empty AppName the value lives directly under "Software\".
  h.Ini().SetValue("Setup", "AppName", "");
  NewView();
  EXPECT_EQ(Port(), "COM3");
  const int expected = ProbePort("COM3").ok() ? 3 : 0;  // checked only when it can be opened now
  InDialog([](CComSetupDialog& d) { PressOk(d); });
  EXPECT_EQ(bareKey().value("com").toInt(), expected);
  EXPECT_EQ(Port(), QString("com%1").arg(expected));
  EXPECT_FALSE(ownKey().contains("com"));
}

TEST_F(ComSetup, CancelChangesNothing) {
  Stored().setValue("com", 2);
  h.Frame()->Transfer().SetPort("COM2");
  InDialog([](CComSetupDialog& d) {
    Choose(d.OtherButton());
    QTest::keyClicks(d.OtherName(), "/dev/ttyUSB7");
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EXPECT_EQ(Port(), "COM2");
  EXPECT_EQ(Stored().value("com").toInt(), 2);
  EXPECT_FALSE(Stored().contains("port"));
}

TEST_F(ComSetup, F1OpensTheComSetupTopic) {
  InDialog([](CComSetupDialog& d) {
    d.OtherName()->setFocus();
    QTest::keyClick(d.OtherName(), Qt::Key_F1);
    ASSERT_NE(HelpWindow::Instance(), nullptr);
    EXPECT_EQ(HelpWindow::Instance()->CurrentAnchor(), "32777");
    AppHarness::Activate(&d);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
}

#ifdef TORVAN_SIM_PATH

TEST_F(ComSetup, PortChosenByNameIsCheckedOnlyWhileItCanBeOpened) {
  SimRadio radio;
  ASSERT_FALSE(radio.Port().empty());
  InDialog([&](CComSetupDialog& d) {
    d.OtherName()->setFocus();
    QTest::keyClicks(d.OtherName(), radio.QPort());  // typing chooses "Other port"
    EXPECT_TRUE(d.OtherButton()->isChecked());
    PressOk(d);
  });
  EXPECT_EQ(Port(), radio.QPort());
  EXPECT_EQ(Stored().value("port").toString(), radio.QPort());
  EXPECT_EQ(Stored().value("com").toInt(), 0);
  NewView();
  EXPECT_EQ(Port(), radio.QPort());  // the next view starts with it

  InDialog([&](CComSetupDialog& d) {
    EXPECT_TRUE(d.OtherButton()->isChecked());
    EXPECT_EQ(d.OtherName()->text(), radio.QPort());
    QTest::keyClick(&d, Qt::Key_Escape);
  });

  // Held by another program: shown, but not checked.
  auto holder = CreateSystemSerialPort();
  ASSERT_TRUE(holder->Open(radio.Port()).ok());
  InDialog([&](CComSetupDialog& d) {
    EXPECT_EQ(Checked(d), nullptr);
    EXPECT_EQ(d.OtherName()->text(), radio.QPort());
    EXPECT_EQ(d.CheckedCom(), -1);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  holder->Close();
}

TEST_F(ComSetup, VirtualRadioRunsWhileTheProgramRuns) {
  // The virtual radio lies beside the program.
  const QString sim = VirtualRadio::ProgramIn(h.Dir());
  ASSERT_TRUE(QFile::copy(TORVAN_SIM_PATH, sim));
  InDialog([](CComSetupDialog& d) {
    EXPECT_TRUE(d.VirtualButton()->isEnabled());
    Choose(d.VirtualButton());
    PressOk(d);
  });
  EXPECT_EQ(Port(), kVirtualRadioPort);
  EXPECT_EQ(Stored().value("port").toString(), kVirtualRadioPort);
  VirtualRadio* radio = &h.Frame()->Transfer().Simulator();
  EXPECT_TRUE(radio->Running());
  const QString terminal = radio->PortName();
  EXPECT_TRUE(ProbePort(terminal.toStdString()).ok());

  // A read from it: the memory of a new radio.
  CProgressDialog& progress = h.Frame()->Transfer().ProgressDialog();
  h.Frame()->ActiveDocument()->Image()[0] = 0x77;
  ASSERT_TRUE(ActivateWindow(h.Frame()));
  QTest::keyClick(h.Frame(), Qt::Key_R, Qt::ControlModifier);
  ASSERT_TRUE(progress.isVisible());
  QTest::keyClick(&progress, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !progress.isVisible(); }, 20000));
  EXPECT_EQ(h.Frame()->ActiveDocument()->Image(), RadioImage::NewDocument());

  // The same radio for the next window and the next showing of the dialog.
  NewView();
  EXPECT_EQ(Port(), kVirtualRadioPort);
  InDialog([](CComSetupDialog& d) {
    EXPECT_TRUE(d.VirtualButton()->isChecked());
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EXPECT_EQ(radio->PortName(), terminal);
}

#endif  // TORVAN_SIM_PATH

TEST_F(ComSetup, VirtualRadioNotBesideTheProgramCannotBeChosen) {
  InDialog([](CComSetupDialog& d) {
    EXPECT_FALSE(d.VirtualButton()->isEnabled());
    QTest::keyClick(&d, Qt::Key_Escape);
  });
}

}  // namespace
}  // namespace torvan::test
