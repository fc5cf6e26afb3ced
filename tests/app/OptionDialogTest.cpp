// Edit > Optional Features: what the dialog shows for an image, what its OK
// stores (only its own bits, whole bytes with their index bits), the code
// edits, Remove Stun, Cancel, F1, and the lists under Chinese.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <functional>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "app/radio/OptionDialog.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"

namespace torvan::test {
namespace {

class Options : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(h.Start()); }

  RadioImage& Image() { return h.Frame()->ActiveDocument()->Image(); }
  COptionDialog& Dialog() { return *h.Frame()->OptionDialog(); }

  // Opens the dialog from the Edit menu and lets `act` work in it; `act`
  // closes it (Enter for OK, Escape for Cancel).
  void InDialog(std::function<void(COptionDialog&)> act) {
    bool ran = false;
    AppHarness::WhenModal([&](QWidget* w) {
      auto* d = qobject_cast<COptionDialog*>(w);
      if (!d) return false;
      act(*d);
      ran = true;
      return true;
    });
    h.ClickMenu(1, h.Frame()->Action(cmd::kOptionalFeatures));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran && !Dialog().isVisible(); }, 5000));
  }
  static void PressOk(COptionDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }
  static void PressCancel(COptionDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }

  AppHarness h;
};

TEST_F(Options, NewDocumentShowsItsDefaults) {
  const std::pair<OptionField, const char*> expected[] = {
      {OptionField::Led, "Auto"},          {OptionField::Step, "25k"},
      {OptionField::BatterySaver, "On"},   {OptionField::EmergencyAlarm, "On"},
      {OptionField::KeypadLock, "Manual"}, {OptionField::SquelchLevel, "5"},
      {OptionField::TimeOutTimer, "1"},    {OptionField::Mode, "Frequency"},
      {OptionField::VoiceSensitivity, "Off"}, {OptionField::PriScanningTime, "3s"},
      {OptionField::PriorityScan, "Off"},  {OptionField::ScanMode, "CO"},
      {OptionField::ChannelDisplay, "Off"}, {OptionField::Beep, "On"},
      {OptionField::AniSwitch, "Off"},     {OptionField::PttId, "Off"},
  };
  InDialog([&](COptionDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Option");
    for (const auto& [field, word] : expected) EXPECT_EQ(d.List(field)->currentText(), word) << OptionInfo(field).label;
    EXPECT_EQ(d.AniCode()->text(), QString());
    EXPECT_EQ(d.StunCode()->text(), QString());
    EXPECT_TRUE(d.RemoveStun()->isChecked());
    // The lists the code fills, in their order.
    EXPECT_EQ(d.List(OptionField::PttId)->count(), 4);
    EXPECT_EQ(d.List(OptionField::PttId)->itemText(3), "Both");
    EXPECT_EQ(d.List(OptionField::Step)->itemText(1), "6.25k");
    EXPECT_EQ(d.List(OptionField::VoiceSensitivity)->itemText(9), "9");
    PressCancel(d);
  });
}

TEST_F(Options, OkWithoutChangesKeepsEverythingButTheIndexBits) {
  Image()[0x1FC1] = 0x35;  // Squelch Level: shown as "5"
  Image()[0x1FE1] |= 0x01;  // a bit of the shared byte that no option owns
  const RadioImage before = Image();
  InDialog([](COptionDialog& d) {
    EXPECT_EQ(d.List(OptionField::SquelchLevel)->currentText(), "5");
    PressOk(d);
  });
  for (std::size_t a = 0; a < kImageSize; ++a) {
    const std::uint8_t expected = a == 0x1FC1 ? 0x05 : before[a];
    EXPECT_EQ(Image()[a], expected) << "byte 0x" << std::hex << a;
  }
}

TEST_F(Options, ChoicesStoreOnlyTheirOwnBits) {
  struct Case {
    OptionField field;
    int index;
    std::uint16_t offset;
    std::uint8_t mask;      // the bits the choice owns
    std::uint8_t expected;  // those bits afterwards
  };
  const Case cases[] = {
      {OptionField::Led, 2, 0x1FE1, 0x0C, 0x08},           // Auto -> On: bits 3-2 = 10
      {OptionField::Led, 0, 0x1FE1, 0x0C, 0x00},
      {OptionField::KeypadLock, 1, 0x1FE1, 0x02, 0x02},
      {OptionField::ScanMode, 2, 0x1FE1, 0x30, 0x20},
      {OptionField::ChannelDisplay, 1, 0x1FE1, 0x80, 0x00},  // "On" is the clear bit
      {OptionField::Mode, 2, 0x1FE2, 0x03, 0x02},
      {OptionField::PriorityScan, 1, 0x1FE2, 0x40, 0x40},
      {OptionField::AniSwitch, 0, 0x1FE2, 0x20, 0x20},       // "On" is the set bit
      {OptionField::PttId, 3, 0x1FEC, 0x03, 0x03},
      {OptionField::Beep, 1, 0x1FC0, 0x01, 0x00},
      {OptionField::BatterySaver, 1, 0x1FE9, 0x01, 0x00},
      {OptionField::EmergencyAlarm, 1, 0x1FEA, 0x01, 0x00},
      {OptionField::Step, 3, 0x1FE0, 0xFF, 0x03},
      {OptionField::TimeOutTimer, 3, 0x1FC3, 0xFF, 0x03},
      {OptionField::VoiceSensitivity, 9, 0x1FE4, 0xFF, 0x09},
      {OptionField::PriScanningTime, 2, 0x1FE7, 0xFF, 0x02},
  };
  for (const Case& c : cases) {
    Image() = RadioImage::NewDocument();
    Image()[0x1FE1] |= 0x01;  // untouched by every choice
    const RadioImage before = Image();
    InDialog([&](COptionDialog& d) {
      ChooseEntry(d.List(c.field), c.index);
      PressOk(d);
    });
    const std::string name(OptionInfo(c.field).label);
    EXPECT_EQ(Image()[c.offset] & c.mask, c.expected) << name;
    EXPECT_EQ(Image()[c.offset] & ~c.mask & 0xFF, before[c.offset] & ~c.mask & 0xFF) << name;
    for (std::size_t a = 0; a < kImageSize; ++a) {
      if (a == c.offset) continue;
      EXPECT_EQ(Image()[a], before[a]) << name << " changed byte 0x" << std::hex << a;
    }
  }
}

TEST_F(Options, CodesTakeHexDigitsInUpperCase) {
  InDialog([](COptionDialog& d) {
    d.AniCode()->setFocus();
    QTest::keyClicks(d.AniCode(), "1g2-ab z");  // only the hexadecimal digits are taken
    EXPECT_EQ(d.AniCode()->text(), "12AB");
    d.StunCode()->setFocus();
    QTest::keyClicks(d.StunCode(), "0123456789");  // at most eight
    EXPECT_EQ(d.StunCode()->text(), "01234567");
    PressOk(d);
  });
  const std::uint8_t ani[] = {0x31, 0x32, 0x41, 0x42, 0xFF, 0xFF, 0xFF, 0xFF};
  const std::uint8_t stun[] = {0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37};
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(Image()[0x12F0 + k], ani[k]) << k;
    EXPECT_EQ(Image()[0x12F8 + k], stun[k]) << k;
  }

  // Emptied again: eight 0xFF.
  InDialog([](COptionDialog& d) {
    EXPECT_EQ(d.AniCode()->text(), "12AB");
    d.AniCode()->setFocus();
    d.AniCode()->end(false);
    for (int i = 0; i < 4; ++i) QTest::keyClick(d.AniCode(), Qt::Key_Backspace);
    PressOk(d);
  });
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Image()[0x12F0 + k], 0xFF) << k;
}

TEST_F(Options, RemoveStunStaysCheckedAndClearsTheMark) {
  for (const std::uint8_t stored : {std::uint8_t{0xA5}, std::uint8_t{0x00}, std::uint8_t{0x5A}}) {
    Image()[0x1FEB] = stored;
    InDialog([&](COptionDialog& d) {
      EXPECT_EQ(d.RemoveStun()->isChecked(), stored != 0xA5) << int(stored);
      d.RemoveStun()->setFocus();
      QTest::keyClick(d.RemoveStun(), Qt::Key_Space);
      EXPECT_TRUE(d.RemoveStun()->isChecked()) << int(stored);
      QTest::keyClick(d.RemoveStun(), Qt::Key_Space);  // cannot be unchecked again
      EXPECT_TRUE(d.RemoveStun()->isChecked()) << int(stored);
      PressOk(d);
    });
    EXPECT_EQ(Image()[0x1FEB], 0x00) << int(stored);
  }
}

TEST_F(Options, CancelAfterChangesLeavesTheImage) {
  Image()[0x1FEB] = 0xA5;
  const RadioImage before = Image();
  InDialog([](COptionDialog& d) {
    ChooseEntry(d.List(OptionField::Led), 2);
    ChooseEntry(d.List(OptionField::SquelchLevel), 9);
    d.AniCode()->setFocus();
    QTest::keyClicks(d.AniCode(), "ABC");
    d.RemoveStun()->setFocus();
    QTest::keyClick(d.RemoveStun(), Qt::Key_Space);
    PressCancel(d);
  });
  EXPECT_EQ(Image(), before);
}

TEST_F(Options, ValuesTheListsLackAreKept) {
  Image()[0x1FC1] = 0x0C;  // Squelch Level 12: no such entry
  Image()[0x1FE0] = 0x07;  // Step 7: shown as the first entry
  const RadioImage before = Image();
  InDialog([](COptionDialog& d) {
    EXPECT_EQ(d.List(OptionField::SquelchLevel)->currentIndex(), -1);
    EXPECT_EQ(d.List(OptionField::Step)->currentText(), "5k");
    PressOk(d);
  });
  EXPECT_EQ(Image(), before);
}

TEST_F(Options, StepFirstEntryChosenByKeysReplacesAnUnknownStep) {
  Image()[0x1FE0] = 0x07;  // Step 7: shown as "5k"
  InDialog([](COptionDialog& d) {
    QComboBox* step = d.List(OptionField::Step);
    step->setFocus();
    QTest::keyClick(step, Qt::Key_Down);  // 6.25k
    QTest::keyClick(step, Qt::Key_Up);    // back to 5k, this time chosen
    EXPECT_EQ(step->currentText(), "5k");
    PressOk(d);
  });
  EXPECT_EQ(Image()[0x1FE0], 0x00);
}

TEST_F(Options, F1OpensTheTopicOfTheFocusedControl) {
  InDialog([](COptionDialog& d) {
    for (const auto& [widget, id] : {std::pair<QWidget*, int>{d.List(OptionField::Led), 1119},
                                     {d.List(OptionField::PttId), 1134},
                                     {d.StunCode(), 1003},
                                     {d.RemoveStun(), 1002}}) {
      widget->setFocus();
      QTest::keyClick(widget, Qt::Key_F1);
      ASSERT_NE(HelpWindow::Instance(), nullptr);
      EXPECT_EQ(HelpWindow::Instance()->CurrentAnchor(), QString::number(id));
      AppHarness::Activate(&d);
    }
    PressCancel(d);
  });
}

TEST(OptionsChinese, ListsAndLabelsInChinese) {
  AppHarness h({IniWithLanguage("Chinese"), true, true});
  ASSERT_TRUE(h.Start());
  bool ran = false;
  AppHarness::WhenModal([&](QWidget* w) {
    auto* d = qobject_cast<COptionDialog*>(w);
    if (!d) return false;
    EXPECT_EQ(d->windowTitle(), "可选功能");
    EXPECT_EQ(d->List(OptionField::PttId)->itemText(1), "开始发射");
    EXPECT_EQ(d->List(OptionField::Mode)->currentText(), "频率");
    EXPECT_EQ(d->List(OptionField::Step)->currentText(), "25k");
    ran = true;
    QTest::keyClick(d, Qt::Key_Escape);
    return true;
  });
  h.Frame()->Action(cmd::kOptionalFeatures)->trigger();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace torvan::test
