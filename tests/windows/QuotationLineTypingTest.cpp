// Text typed into a cell of the line grid whose editor is still open when a
// toolbar command runs: it belongs to its line, never dropped silently.
#include <QAction>
#include <QLineEdit>
#include <QTabWidget>

#include "QuotationFixture.h"

namespace {

class QuotationLineTyping : public QuotationFixture {
 protected:
  // S001/Q1 shown with its lines nut, washer, spring; "zz" typed over "nut"
  // and the cell editor left open.
  void SetUp() override {
    QuotationFixture::SetUp();
    window_ = OpenWindow();
    window_->BtnFind->click();  // S'01, S001, S002, S010
    window_->BtnNext->trigger();
    window_->PageControl1->setCurrentWidget(window_->QuotationInput);
    QApplication::setActiveWindow(window_);
    ui::DBGrid* grid = window_->DBGrid3;
    grid->setFocus();
    grid->setCurrentIndex(
        grid->model()->index(0, window_->ADODataSetDilate.FieldByName("name_number").Index()));
    QTest::keyClick(grid, Qt::Key_Z);  // opens the cell editor with the key
    ASSERT_TRUE(grid->viewport()->isAncestorOf(QApplication::focusWidget())) << "no cell editor open";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
  }

  int StoredNamed(const std::string& name) {
    int count = 0;
    for (const Row& row : Stored("QuoDilate")) count += row.at("name_number") == name;
    return count;
  }

  TQuotation* window_ = nullptr;
};

TEST_F(QuotationLineTyping, ExitAsksAboutTheLineAndYesWritesIt) {
  QPointer<TQuotation> alive = window_;
  Answer({ui::Answer::Cancel});
  window_->BtnExit->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>({"這筆記錄已修改，是否保存？"}));
  ASSERT_FALSE(alive.isNull());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"),
            std::vector<std::string>({"zz", "washer", "spring"}));
  Answer({ui::Answer::Yes});
  window_->BtnExit->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(StoredNamed("zz"), 1);
  EXPECT_EQ(StoredNamed("nut"), 0);
}

TEST_F(QuotationLineTyping, MovingToAnotherHeaderWritesTheLine) {
  window_->BtnNext->trigger();
  EXPECT_EQ(Current(window_->ADODataSetMaster, "Cust_no"), "S002");
  EXPECT_EQ(StoredNamed("zz"), 1);
  EXPECT_EQ(StoredNamed("nut"), 0);
  window_->BtnBack->trigger();
  EXPECT_EQ(Column(window_->ADODataSetDilate, "name_number"),
            std::vector<std::string>({"zz", "washer", "spring"}));
}

}  // namespace
