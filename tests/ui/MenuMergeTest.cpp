#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenuBar>

#include "ui/menu/MenuMerge.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"

using ui::MenuMerge;
using ui::TMainMenu;
using ui::TMenuItem;

namespace {

TMenuItem* AddTop(TMainMenu& menu, const QString& caption, int group) {
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(caption);
  item->SetGroupIndex(group);
  menu.Items()->Add(item);
  return item;
}

QString Captions(const std::vector<TMenuItem*>& items) {
  QStringList captions;
  for (const TMenuItem* item : items) captions << item->Caption();
  return captions.join(' ');
}

QString BarCaptions(const QMenuBar* bar) {
  QStringList captions;
  for (const QAction* action : bar->actions()) captions << action->text();
  return captions.join(' ');
}

class MenuMergeTest : public ::testing::Test {
 protected:
  MenuMergeTest() {
    AddTop(frame, "File", 0);
    AddTop(frame, "Data", 2);
    AddTop(frame, "System", 3);
  }
  TMainMenu frame{nullptr};
  TMainMenu child{nullptr};
};

TEST_F(MenuMergeTest, ChildItemsGoInByGroupIndex) {
  AddTop(child, "Edit", 1);
  EXPECT_EQ(Captions(MenuMerge::Merged(frame, &child)), "File Edit Data System");
  EXPECT_EQ(Captions(MenuMerge::Merged(frame, nullptr)), "File Data System");
}

TEST_F(MenuMergeTest, AChildItemReplacesEveryFrameItemOfItsGroup) {
  AddTop(frame, "Data2", 2);
  AddTop(child, "Records", 2);
  AddTop(child, "More", 2);
  AddTop(child, "Window", 9);
  EXPECT_EQ(Captions(MenuMerge::Merged(frame, &child)), "File Records More System Window");
}

TEST_F(MenuMergeTest, AChildWithoutItemsLeavesTheBar) {
  EXPECT_EQ(Captions(MenuMerge::Merged(frame, &child)), "File Data System");
}

TEST_F(MenuMergeTest, ShowPutsTheMergedItemsIntoTheFramesBarAndBack) {
  AddTop(child, "Edit", 1);
  QMdiArea area;
  MenuMerge merge(frame, area);
  merge.Show(&child);
  EXPECT_EQ(BarCaptions(frame.MenuBar()), "File Edit Data System");
  merge.Show(nullptr);
  EXPECT_EQ(BarCaptions(frame.MenuBar()), "File Data System");
  // The child's own bar keeps its item.
  EXPECT_EQ(BarCaptions(child.MenuBar()), "Edit");
}

}  // namespace
