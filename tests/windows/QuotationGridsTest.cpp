// What the quotation window's grids and record buttons show: numbers as typed,
// values not cut off, refused cells kept, and buttons that wait for headers.
#include <QAction>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>

#include "QuotationFixture.h"
#include "ui/app/RecordToolBar.h"

namespace {

// Columns of the line grids: DBGrid2 shows width before height, DBGrid3 after.
constexpr int kQuotationNumber = 1;
constexpr int kName = 3;
constexpr int kWidthInDBGrid3 = 6;
constexpr int kAmount = 8;
constexpr int kPrice = 9;
constexpr int kTotal = 10;

class QuotationGrids : public QuotationFixture {
 protected:
  static QString Cell(ui::DBGrid* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
  }

  static bool Fits(ui::DBGrid* grid, int column, const QString& text) {
    return grid->fontMetrics().horizontalAdvance(text) < grid->columnWidth(column);
  }

  void Search(TQuotation* window, const QString& custNo, const QString& number = {}) {
    window->EdtCustNo->setText(custNo);
    window->EdtQuotationNumber->setText(number);
    QTest::mouseClick(window->BtnFind, Qt::LeftButton);
  }

  // The grid writes the cell once the key has been handled.
  static void PressReturn(QWidget* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
  }

  // Opens the cell editor of DBGrid3 with the first key typed, as a user does.
  static QLineEdit* StartTyping(TQuotation* window, int column, const QString& text) {
    window->PageControl1->setCurrentWidget(window->QuotationInput);
    QApplication::setActiveWindow(window);
    ui::DBGrid* grid = window->DBGrid3;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, column));
    QTest::keyClicks(grid, text.left(1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (editor) QTest::keyClicks(editor, text.mid(1));
    return editor;
  }
};

TEST_F(QuotationGrids, NumbersShowInPlainDecimalAndPostBackUnchanged) {
  Seed("Quomaster", {Header("S020", "Q20")});
  Seed("QuoDilate", {{{"Cust_no", "S020"},
                      {"quotation_number", "Q20"},
                      {"serial_number", "1"},
                      {"amount", "100000"},
                      {"price", "0.1"},
                      {"totle", "3000000"}}});
  TQuotation* window = OpenWindow();
  Search(window, "S020");
  EXPECT_EQ(Cell(window->DBGrid2, 0, kAmount), "100000");
  EXPECT_EQ(Cell(window->DBGrid2, 0, kPrice), "0.1");
  EXPECT_EQ(Cell(window->DBGrid2, 0, kTotal), "3000000");

  // A post checks the row against the file by the values shown: they must read back exactly.
  QLineEdit* editor = StartTyping(window, kTotal, "25000000");
  ASSERT_NE(editor, nullptr) << "no cell editor open";
  PressReturn(editor);
  EXPECT_EQ(Cell(window->DBGrid3, 0, kTotal), "25000000");
  Answer({ui::Answer::Yes});
  window->BtnExit->trigger();
  EXPECT_EQ(TakeTexts(), std::vector<QString>({"這筆記錄已修改，是否保存？"}));
  const std::vector<Row> lines = Stored("QuoDilate");
  ASSERT_EQ(lines.back().at("quotation_number"), "Q20");
  EXPECT_EQ(lines.back().at("totle"), "25000000");
  EXPECT_EQ(lines.back().at("amount"), "100000");
}

TEST_F(QuotationGrids, ARefusedNumberStaysInItsCellForCorrection) {
  TQuotation* window = OpenWindow();
  Search(window, "S001", "Q1");
  QPointer<QLineEdit> editor = StartTyping(window, kWidthInDBGrid3, "2,5");
  ASSERT_FALSE(editor.isNull()) << "no cell editor open";
  QTest::keyClick(editor, Qt::Key_Tab);
  const std::vector<QString> texts = TakeTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(texts[0].contains("'2,5' is not a valid")) << texts[0].toStdString();
  ASSERT_FALSE(editor.isNull());
  EXPECT_EQ(QApplication::focusWidget(), editor.data());
  EXPECT_EQ(editor->text(), "2,5");
  EXPECT_EQ(window->DBGrid3->currentIndex().column(), kWidthInDBGrid3);

  QTest::keyClicks(editor, "2.5");  // over the selected text
  PressReturn(editor);
  EXPECT_TRUE(TakeTexts().empty());
  EXPECT_EQ(Cell(window->DBGrid3, 0, kWidthInDBGrid3), "2.5");
}

TEST_F(QuotationGrids, ColumnsFitTheirValuesAndACutValueShowsWhole) {
  const QString longName(120, 'W');
  Seed("Quomaster",
       {{{"Cust_no", "S001"}, {"quotation_number", "Q20240101001"}, {"pay_condition", "其他(昆山)"}}});
  Seed("QuoDilate", {{{"Cust_no", "S001"},
                      {"quotation_number", "Q20240101001"},
                      {"serial_number", "1"},
                      {"name_number", longName.toStdString()}}});
  TQuotation* window = OpenWindow();
  window->PageControl1->setCurrentWidget(window->QuotationFind);
  Search(window, "S001", "Q2024");
  EXPECT_TRUE(Fits(window->DBGrid1, kQuotationNumber, "Q20240101001"));
  EXPECT_TRUE(Fits(window->DBGrid1, 3, "其他(昆山)"));
  for (ui::DBGrid* grid : {window->DBGrid2, window->DBGrid3})
    EXPECT_TRUE(Fits(grid, kQuotationNumber, "Q20240101001")) << grid->objectName().toStdString();

  ui::DBGrid* grid = window->DBGrid2;
  auto hover = [grid](int column) {
    const QPoint at = grid->visualRect(grid->model()->index(0, column)).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &help);
  };
  hover(kQuotationNumber);
  EXPECT_FALSE(QToolTip::isVisible()) << "a value shown whole needs no tooltip";
  ASSERT_FALSE(Fits(grid, kName, longName));
  hover(kName);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), longName);
  QToolTip::hideText();
}

TEST_F(QuotationGrids, RecordButtonsWaitSilentlyForTheHeaderSet) {
  TQuotation* window = OpenWindow();
  const std::vector<QAction*> buttons = {window->BtnTop, window->BtnBack, window->BtnNext,
                                         window->BtnEnd, window->BtnEdit, window->BtnDel};
  for (QAction* button : buttons) {
    QTest::mouseClick(window->ToolBar1->widgetForAction(button), Qt::LeftButton);
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
  }
  EXPECT_TRUE(TakeTexts().empty());
  Search(window, "");
  for (QAction* button : buttons) EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  QTest::mouseClick(window->ToolBar1->widgetForAction(window->BtnEnd), Qt::LeftButton);
  EXPECT_EQ(Current(window->ADODataSetMaster, "Cust_no"), "S010");
}

}  // namespace
