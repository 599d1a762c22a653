#include <gtest/gtest.h>

#include <QAction>
#include <QSet>
#include <QToolButton>

#include "ui/app/RecordToolBar.h"
#include "ui/menu/TImageList.h"

using ui::RecordToolBar;

namespace {

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
  return count;
}

}  // namespace

TEST(RecordToolBarTest, ButtonsAndSeparatorsInOrder) {
  RecordToolBar bar;
  QStringList layout;
  for (QAction* action : bar.actions()) layout << (action->isSeparator() ? "|" : action->objectName());
  EXPECT_EQ(layout.join(' '),
            "BtnNew | BtnEdit BtnDel | BtnUndo BtnSave | BtnTop BtnBack BtnNext BtnEnd | BtnPrint BtnExcel | "
            "BtnExit");
  for (int i = 0; i < RecordToolBar::Count; ++i) {
    const auto button = static_cast<RecordToolBar::Button>(i);
    EXPECT_EQ(bar.Action(button)->objectName(), RecordToolBar::ButtonName(button));
  }
}

TEST(RecordToolBarTest, IconOnlyButtonsNamedInChinese) {
  RecordToolBar bar;
  const QStringList hints = {"新增",   "修改",   "刪除",     "取消", "保存",      "第一筆",
                             "上一筆", "下一筆", "最後一筆", "列印", "匯出Excel", "退出"};
  EXPECT_EQ(bar.toolButtonStyle(), Qt::ToolButtonIconOnly);
  EXPECT_EQ(bar.height(), 29);
  for (int i = 0; i < RecordToolBar::Count; ++i) {
    QAction* action = bar.Action(static_cast<RecordToolBar::Button>(i));
    EXPECT_EQ(action->toolTip(), hints[i]);
    auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(action));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->accessibleName(), hints[i]);
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(action->icon().isNull());
  }
}

TEST(RecordToolBarTest, OnlyUndoAndSaveStartDisabled) {
  RecordToolBar bar;
  for (int i = 0; i < RecordToolBar::Count; ++i) {
    const auto button = static_cast<RecordToolBar::Button>(i);
    const bool disabled = button == RecordToolBar::Undo || button == RecordToolBar::Save;
    EXPECT_EQ(bar.Action(button)->isEnabled(), !disabled) << RecordToolBar::ButtonName(button);
  }
}

TEST(RecordToolBarTest, TwelveDistinctSmallPictures) {
  RecordToolBar bar;
  const ui::TImageList& images = bar.Images();
  ASSERT_EQ(images.Count(), 12);
  EXPECT_EQ(images.Width(), 16);
  EXPECT_EQ(images.Height(), 16);
  QSet<size_t> seen;
  for (int i = 0; i < images.Count(); ++i) {
    const QImage& image = images.Image(i);
    EXPECT_EQ(image.size(), QSize(16, 16));
    const int opaque = OpaquePixels(image);
    EXPECT_GT(opaque, 10) << "picture " << i << " is blank";
    EXPECT_LT(opaque, 256) << "picture " << i << " has no transparent background";
    seen.insert(qHashBits(image.constBits(), static_cast<size_t>(image.sizeInBytes())));
  }
  EXPECT_EQ(seen.size(), 12);
}

TEST(RecordToolBarTest, PicturesComeDrawnAtTwiceTheResolutionForHiDpiScreens) {
  RecordToolBar bar;
  for (int i = 0; i < RecordToolBar::Count; ++i) {
    const QImage& small = bar.Images().Image(i);
    const QImage& large = bar.Images().Image(i, 2);
    ASSERT_EQ(large.size(), QSize(32, 32)) << i;
    EXPECT_EQ(large.devicePixelRatio(), 2.0);
    EXPECT_EQ(&bar.Images().Image(i, 1), &small);
    // Drawn anew, not blown up: somewhere two neighbouring device pixels of a block differ.
    int fine = 0;
    for (int y = 0; y < 32; y += 2)
      for (int x = 0; x < 32; x += 2) fine += large.pixel(x, y) != large.pixel(x + 1, y);
    EXPECT_GT(fine, 0) << i;
    // The toolbar's icon offers both, and a screen at ratio 2 gets the large one.
    EXPECT_EQ(bar.Action(static_cast<RecordToolBar::Button>(i))->icon().pixmap(QSize(16, 16), 2.0).size(),
              QSize(32, 32));
  }
}
