// Every help context the program gives a command or a control has its topic in
// both help files, so F1 never lands at the top of the file for want of an
// anchor; and the controls of one window have contexts of their own.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>

#include "AppHarness.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/channels/TorvanView.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/OptionDialog.h"

namespace torvan::test {
namespace {

// The topic numbers a help file has anchors for.
std::set<QString> Anchors(const QByteArray& html) {
  std::set<QString> anchors;
  static const QRegularExpression name(QStringLiteral("<a name=\"(\\d+)\""));
  for (auto m = name.globalMatch(QString::fromUtf8(html)); m.hasNext();) anchors.insert(m.next().captured(1));
  return anchors;
}

class HelpTopics : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    english = Anchors(h.ReadFile("enHelp.html"));
    chinese = Anchors(h.ReadFile("chHelp.html"));
    ASSERT_FALSE(english.empty());
    ASSERT_FALSE(chinese.empty());
  }

  // The context of `id` has a topic in both files.
  void ExpectTopic(int id, const QString& what) {
    EXPECT_NE(id, 0) << what.toStdString() << " has no help context";
    EXPECT_TRUE(english.count(QString::number(id))) << what.toStdString() << ": no topic " << id << " in enHelp.html";
    EXPECT_TRUE(chinese.count(QString::number(id))) << what.toStdString() << ": no topic " << id << " in chHelp.html";
  }

  // The controls `controls` of one window: a topic each, all different.
  void ExpectOwnTopics(const std::vector<std::pair<QWidget*, QString>>& controls) {
    std::set<int> ids;
    for (const auto& [w, what] : controls) {
      ASSERT_NE(w, nullptr) << what.toStdString();
      ExpectTopic(HelpIdOf(w), what);
      ids.insert(HelpIdOf(w));
    }
    EXPECT_EQ(ids.size(), controls.size()) << "two controls of one window share a help context";
  }

  AppHarness h;
  std::set<QString> english;
  std::set<QString> chinese;
};

TEST_F(HelpTopics, F1OnEveryMenuItemOpensItsTopic) {
  CMainFrame* f = h.Frame();
  QMenuBar* bar = f->menuBar();
  // Undo and Redo can be highlighted only while there is a step for each:
  // two changes, the second undone.
  CTorvanView& view = *f->ActiveView();
  for (const char* name : {"ONE", "TWO"})
    view.RecordStep(QStringLiteral("step"), StepParts::Rows({1}), [&] { view.Grid().SetTextMatrix(1, kColName, name); });
  f->Action(cmd::kEditUndo)->trigger();
  ASSERT_TRUE(f->Action(cmd::kEditUndo)->isEnabled() && f->Action(cmd::kEditRedo)->isEnabled());
  for (QMenu* menu : f->Menus()) {
    for (QAction* item : menu->actions()) {
      if (item->isSeparator() || !item->isVisible()) continue;
      const QString what = menu->title() + " > " + item->text();
      AppHarness::Activate(f);
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
      ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << what.toStdString();
      menu->setActiveAction(item);
      QTest::keyClick(menu, Qt::Key_F1);
      ASSERT_NE(HelpWindow::Instance(), nullptr) << what.toStdString();
      EXPECT_FALSE(menu->isVisible()) << what.toStdString();
      ExpectTopic(HelpWindow::Instance()->CurrentAnchor().toInt(), what);
    }
  }
}

TEST_F(HelpTopics, EveryControlOfTheChannelTableAndThePageDialogsHasItsOwnTopic) {
  CTorvanView& view = *h.Frame()->ActiveView();
  std::vector<std::pair<QWidget*, QString>> table = {{&view.Grid(), "grid"}};
  for (int col = kColRxFrequency; col <= kColName; ++col)
    table.emplace_back(view.EditorForColumn(col), QStringLiteral("editor of column %1").arg(col));
  ExpectOwnTopics(table);

  COptionDialog& options = *h.Frame()->OptionDialog();
  std::vector<std::pair<QWidget*, QString>> optionControls = {
      {options.AniCode(), "ANI Code"}, {options.StunCode(), "Stun Code"}, {options.RemoveStun(), "Remove Stun"}};
  for (OptionField field : kAllOptionFields)
    optionControls.emplace_back(options.List(field), QString::fromUtf8(OptionInfo(field).label.data(), static_cast<qsizetype>(OptionInfo(field).label.size())));
  ExpectOwnTopics(optionControls);

  CProductInfoDialog& product = *h.Frame()->ProductInfoDialog();
  ExpectOwnTopics({{product.TypeList(), "Type"},
                   {product.FieldList(), "Field"},
                   {product.LowerEdit(), "lower band edge"},
                   {product.UpperEdit(), "upper band edge"}});
}

}  // namespace
}  // namespace torvan::test
