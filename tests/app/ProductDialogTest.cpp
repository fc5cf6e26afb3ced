// Edit > Product Information: the type and band lists from Program.ini, the
// band selected for the current limits, the custom band and its check, the
// title after OK, the edges kept between showings, F1, Chinese.

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <gtest/gtest.h>
#include <functional>

#include "AppHarness.h"
#include "TransferHelpers.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/TorvanDoc.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"

namespace torvan::test {
namespace {

// Two types: X with two bands, Y with none.
std::string ProductIni(const std::string& language = "English") {
  std::string ini = kEnglishIni;
  const auto from = ini.find("Type1=");
  const auto to = ini.find("[English]");
  ini.replace(from, to - from, "Type1=X\nField1=136-174MHz|400-470MHz\nType2=Y\nField2=\n");
  ini.replace(ini.find("Language=English"), 16, "Language=" + language);
  return ini;
}

QStringList Entries(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

void TypeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

class Product : public testing::Test {
 protected:
  void Start(const std::string& language = "English") {
    h = std::make_unique<AppHarness>(AppSetup{ProductIni(language), true, true});
    ASSERT_TRUE(h->Start());
  }
  RadioImage& Image() { return h->Frame()->ActiveDocument()->Image(); }
  BandLimits& Band() { return h->App().Context().band; }
  CProductInfoDialog& Dialog() { return *h->Frame()->ProductInfoDialog(); }

  // Opens the dialog from the Edit menu and lets `act` work in it; `act`
  // closes it (Enter for OK, Escape for Cancel).
  void InDialog(std::function<void(CProductInfoDialog&)> act) {
    bool ran = false;
    AppHarness::WhenModal([&](QWidget* w) {
      auto* d = qobject_cast<CProductInfoDialog*>(w);
      if (!d) return false;
      act(*d);
      ran = true;
      return true;
    });
    h->ClickMenu(1, h->Frame()->Action(cmd::kProductInformation));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran && !Dialog().isVisible(); }, 5000));
  }
  static void PressOk(CProductInfoDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }
  static void PressCancel(CProductInfoDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }

  std::unique_ptr<AppHarness> h;
};

TEST_F(Product, TypeByteOutsideTheListSelectsTheFirstType) {
  Start();
  Image()[0x1FD6] = 5;
  InDialog([](CProductInfoDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Product Information");
    EXPECT_EQ(Entries(d.TypeList()), (QStringList{"X", "Y"}));
    EXPECT_EQ(d.TypeList()->currentText(), "X");
    PressCancel(d);
  });
  EXPECT_EQ(Image()[0x1FD6], 5);
}

TEST_F(Product, TheCurrentBandIsSelectedOrShownAsCustom) {
  struct Case {
    BandLimits band;
    const char* field;
    bool editsShown;
  };
  Start();
  for (const Case& c : {Case{{400, 470}, "400-470MHz", false}, Case{{136, 174}, "136-174MHz", false},
                        Case{{350, 390}, "Customize", true}}) {
    Band() = c.band;
    InDialog([&](CProductInfoDialog& d) {
      EXPECT_EQ(Entries(d.FieldList()), (QStringList{"136-174MHz", "400-470MHz", "Customize"}));
      EXPECT_EQ(d.FieldList()->currentText(), c.field) << c.band.lowerMHz;
      EXPECT_EQ(d.LowerEdit()->isVisible(), c.editsShown) << c.band.lowerMHz;
      EXPECT_EQ(d.UpperEdit()->isVisible(), c.editsShown) << c.band.lowerMHz;
      if (c.editsShown) {
        EXPECT_EQ(d.LowerEdit()->text(), "350");
        EXPECT_EQ(d.UpperEdit()->text(), "390");
      }
      PressCancel(d);
    });
  }
}

TEST_F(Product, OkStoresTheTypeSetsTheBandAndTheTitle) {
  Start();
  Band() = BandLimits{350, 390};
  const RadioImage before = Image();
  InDialog([](CProductInfoDialog& d) {
    ChooseEntry(d.FieldList(), 0);  // 136-174MHz
    EXPECT_FALSE(d.LowerEdit()->isVisible());
    PressOk(d);
  });
  EXPECT_EQ(Band(), (BandLimits{136, 174}));
  EXPECT_EQ(Band().Lower10Hz(), 13600000u);
  EXPECT_EQ(TitleText(h->Frame()), "Torvan FM Programmer [ Type:X Fre:136 - 174MHz ]");
  EXPECT_EQ(Image(), before);  // type 0 again; the band bytes wait for the next encode
}

TEST_F(Product, UpperEdgeBelowLowerIsRefusedAndChangesNothing) {
  Start();
  Band() = BandLimits{350, 390};
  const QString title = TitleText(h->Frame());
  const RadioImage before = Image();
  QString error;
  InDialog([&](CProductInfoDialog& d) {
    ChooseEntry(d.TypeList(), 1);  // Y: the type byte would become 1
    ChooseEntry(d.FieldList(), 1);  // Customize
    ASSERT_EQ(d.FieldList()->currentText(), "Customize");
    EXPECT_TRUE(d.LowerEdit()->isVisible());
    TypeInto(d.LowerEdit(), "470");
    TypeInto(d.UpperEdit(), "400");
    AppHarness::AnswerMessageBox(QMessageBox::Ok, &error);
    PressOk(d);
    EXPECT_TRUE(d.isVisible());  // still open
    AppHarness::Activate(&d);
    PressCancel(d);
  });
  EXPECT_EQ(error, "Frequency input error");
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(Image()[0x1FD6], 0);
  EXPECT_EQ(Band(), (BandLimits{350, 390}));
  EXPECT_EQ(TitleText(h->Frame()), title);

  // An equal pair is a band.
  InDialog([](CProductInfoDialog& d) {
    ChooseEntry(d.TypeList(), 1);
    ChooseEntry(d.FieldList(), 1);
    TypeInto(d.LowerEdit(), "400");
    TypeInto(d.UpperEdit(), "400");
    PressOk(d);
  });
  EXPECT_EQ(Image()[0x1FD6], 1);
  EXPECT_EQ(Band(), (BandLimits{400, 400}));
  EXPECT_EQ(TitleText(h->Frame()), "Torvan FM Programmer [ Type:Y Fre:400 - 400MHz ]");
}

TEST_F(Product, AnEmptyEdgeIsRefusedAndChangesNothing) {
  Start();
  Band() = BandLimits{350, 390};
  const RadioImage before = Image();
  QString error;
  InDialog([&](CProductInfoDialog& d) {
    ChooseEntry(d.TypeList(), 1);
    ChooseEntry(d.FieldList(), 1);
    TypeInto(d.UpperEdit(), "");
    AppHarness::AnswerMessageBox(QMessageBox::Ok, &error);
    PressOk(d);
    EXPECT_TRUE(d.isVisible());
    AppHarness::Activate(&d);
    PressCancel(d);
  });
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(Image(), before);
  EXPECT_EQ(Band(), (BandLimits{350, 390}));
}

TEST_F(Product, EdgeEditsTakeThreeDigits) {
  Start();
  Band() = BandLimits{350, 390};
  InDialog([](CProductInfoDialog& d) {
    TypeInto(d.LowerEdit(), "4a-5 67");
    EXPECT_EQ(d.LowerEdit()->text(), "456");
    PressCancel(d);
  });
}

TEST_F(Product, ChangingTheTypeSelectsItsFirstBand) {
  Start();
  Band() = BandLimits{350, 390};
  InDialog([](CProductInfoDialog& d) {
    EXPECT_TRUE(d.LowerEdit()->isVisible());
    ChooseEntry(d.TypeList(), 1);  // Y has no bands: one empty entry, then Customize
    EXPECT_EQ(Entries(d.FieldList()), (QStringList{"", "Customize"}));
    EXPECT_EQ(d.FieldList()->currentIndex(), 0);
    EXPECT_FALSE(d.LowerEdit()->isVisible());
    ChooseEntry(d.TypeList(), 0);
    EXPECT_EQ(d.FieldList()->currentText(), "136-174MHz");
    EXPECT_FALSE(d.UpperEdit()->isVisible());
    PressCancel(d);
  });
}

TEST_F(Product, TheEdgesStayFromOneShowingToTheNext) {
  Start();
  Band() = BandLimits{136, 174};
  InDialog([](CProductInfoDialog& d) {
    ChooseEntry(d.FieldList(), 2);  // Customize
    TypeInto(d.LowerEdit(), "123");
    TypeInto(d.UpperEdit(), "456");
    ChooseEntry(d.FieldList(), 1);  // then a band of the list after all
    PressOk(d);
  });
  EXPECT_EQ(Band(), (BandLimits{400, 470}));
  InDialog([](CProductInfoDialog& d) {
    EXPECT_EQ(d.FieldList()->currentText(), "400-470MHz");
    ChooseEntry(d.FieldList(), 2);
    EXPECT_EQ(d.LowerEdit()->text(), "123");
    EXPECT_EQ(d.UpperEdit()->text(), "456");
    PressCancel(d);
  });
}

TEST_F(Product, F1OpensTheTopicOfTheFocusedControl) {
  Start();
  Band() = BandLimits{350, 390};
  InDialog([](CProductInfoDialog& d) {
    for (const auto& [widget, id] : {std::pair<QWidget*, int>{d.TypeList(), 1013},
                                     {d.FieldList(), 1009},
                                     {d.LowerEdit(), 1113},
                                     {d.UpperEdit(), 1114}}) {
      widget->setFocus();
      QTest::keyClick(widget, Qt::Key_F1);
      ASSERT_NE(HelpWindow::Instance(), nullptr);
      EXPECT_EQ(HelpWindow::Instance()->CurrentAnchor(), QString::number(id));
      AppHarness::Activate(&d);
    }
    PressCancel(d);
  });
}

TEST_F(Product, ChineseCustomEntryAndMessage) {
  Start("Chinese");
  Band() = BandLimits{350, 390};
  QString error;
  InDialog([&](CProductInfoDialog& d) {
    EXPECT_EQ(d.FieldList()->currentText(), "自定义");
    EXPECT_TRUE(d.LowerEdit()->isVisible());
    TypeInto(d.LowerEdit(), "470");
    TypeInto(d.UpperEdit(), "400");
    AppHarness::AnswerMessageBox(QMessageBox::Ok, &error);
    PressOk(d);
    AppHarness::Activate(&d);
    ChooseEntry(d.FieldList(), 0);
    PressOk(d);
  });
  EXPECT_EQ(error, "起始频率应小于结束频率");
  EXPECT_EQ(TitleText(h->Frame()), "Torvan 写频软件 [ 类型:X 频率:136 - 174MHz ]");
}

}  // namespace
}  // namespace torvan::test
