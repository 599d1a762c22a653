#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "BoundFixture.h"
#include "store/StoreError.h"
#include "ui/data/DBComboBox.h"
#include "ui/data/DBEdit.h"

using store::DataSetState;

namespace {

// A window with two bound boxes (name and date), a pick list and a plain box to move the focus to.
class BoundTextTest : public BoundFixture {
 protected:
  void SetUp() override {
    BoundFixture::SetUp();
    auto* layout = new QVBoxLayout(&window);
    for (ui::DBEdit* edit : {name, date}) layout->addWidget(edit);
    layout->addWidget(combo);
    layout->addWidget(elsewhere);
    name->SetDataField("cust_name");
    date->SetDataField("create_date");
    combo->SetDataField("sales");
    combo->SetItems({"RMB", "NTD", "USD"});
    for (ui::DBEdit* edit : {name, date}) edit->SetDataSource(&source);
    combo->SetDataSource(&source);
    ShowActive(window);
  }

  void Type(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClicks(widget, text);
  }

  void LeaveTo(QWidget* widget = nullptr) { (widget ? widget : elsewhere)->setFocus(); }

  QWidget window;
  ui::DBEdit* name = new ui::DBEdit(&window);
  ui::DBEdit* date = new ui::DBEdit(&window);
  ui::DBComboBox* combo = new ui::DBComboBox(&window);
  QLineEdit* elsewhere = new QLineEdit(&window);
};

TEST_F(BoundTextTest, ShowsTheCurrentRowAndSignalsEveryDisplayedChange) {
  QSignalSpy changes(name, &QLineEdit::textChanged);
  EXPECT_EQ(name->text(), "宏達電子");
  EXPECT_EQ(date->text(), "2024-01-05");
  query.Next();
  EXPECT_EQ(name->text(), "建興五金");
  query.Next();
  EXPECT_EQ(date->text(), "");
  query.Close();
  EXPECT_EQ(name->text(), "");
  query.Open();
  EXPECT_EQ(name->text(), "宏達電子");
  EXPECT_EQ(changes.count(), 4);
  EXPECT_FALSE(name->Modified());
}

TEST_F(BoundTextTest, TypingStartsAnEditAndFocusLossWritesTheField) {
  Type(name, "X");
  EXPECT_EQ(query.State(), DataSetState::Edit);
  EXPECT_TRUE(name->Modified());
  EXPECT_FALSE(query.Modified()) << "nothing is written before the box is left";
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "宏達電子");
  LeaveTo();
  EXPECT_FALSE(name->Modified());
  EXPECT_TRUE(query.Modified());
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "宏達電子X");
  query.Post();
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子X");
}

TEST_F(BoundTextTest, PostAndMovesWriteTextStillHeldByTheBox) {
  Type(name, "Y");
  query.Post();
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子Y");
  EXPECT_EQ(name->text(), "宏達電子Y");

  Type(name, "Z");
  query.Next();  // the move posts the changed row without the box being left
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子YZ");
  EXPECT_EQ(name->text(), "建興五金");
  EXPECT_FALSE(name->Modified());
}

TEST_F(BoundTextTest, InputMethodCommitAndPasteCountAsTyping) {
  name->setFocus();
  name->end(false);
  QInputMethodEvent commit;
  commit.setCommitString("股份");
  QApplication::sendEvent(name, &commit);
  EXPECT_EQ(name->text(), "宏達電子股份");
  EXPECT_EQ(query.State(), DataSetState::Edit);
  query.Cancel();
  EXPECT_EQ(name->text(), "宏達電子") << "a dropped edit shows the column again";
  EXPECT_FALSE(name->Modified());

  QApplication::clipboard()->setText("有限公司");
  name->setFocus();
  name->end(false);
  name->paste();
  EXPECT_TRUE(name->Modified());
  LeaveTo();
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "宏達電子有限公司");
}

TEST_F(BoundTextTest, ProgramSetTextCountsOnlyWhenItDiffers) {
  name->SetText("宏達電子");
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_FALSE(name->Modified());

  query.Append();
  name->SetText("");  // the new row's box already shows nothing
  EXPECT_FALSE(name->Modified());
  name->SetText("新客戶");
  date->SetText("2025-03-04");
  EXPECT_TRUE(name->Modified());
  query.FieldByName("cust_no").SetAsString("S004");  // another column's write keeps the boxes' text
  EXPECT_EQ(name->text(), "新客戶");
  query.Post();
  EXPECT_EQ(Stored("cust_name", "S004"), "新客戶");
  EXPECT_EQ(Stored("create_date", "S004"), "2025-03-04");
  EXPECT_EQ(Stored("incaddr", "S004"), "") << "boxes set to the text they show write nothing";

  query.First();
  name->SetText("改名");
  EXPECT_EQ(query.State(), DataSetState::Edit) << "program-set text edits like typing";
}

TEST_F(BoundTextTest, ConversionErrorIsShownAndKeepsTheRowPending) {
  date->setFocus();
  date->selectAll();
  QTest::keyClicks(date, "notadate");
  LeaveTo();
  ASSERT_EQ(PromptTexts().size(), 1u);
  EXPECT_EQ(ui::Prompts::Recorded()[0].kind, ui::Prompt::Kind::Error);
  EXPECT_TRUE(PromptTexts()[0].contains("'notadate' is not a valid date"));
  EXPECT_EQ(date->text(), "notadate");
  EXPECT_TRUE(date->Modified());

  EXPECT_THROW(query.Post(), store::StoreError);
  EXPECT_EQ(query.State(), DataSetState::Edit);
  EXPECT_THROW(query.Next(), store::StoreError);
  EXPECT_EQ(query.RecNo(), 0);
  EXPECT_EQ(date->text(), "notadate");

  date->SetText("2024-12-31");
  query.Post();
  EXPECT_EQ(Stored("create_date", "S001"), "2024-12-31");
}

TEST_F(BoundTextTest, TypingIsRefusedWhereTheSetTakesNoEdit) {
  source.SetAutoEdit(false);
  Type(name, "Q");
  EXPECT_EQ(name->text(), "宏達電子");
  EXPECT_EQ(query.State(), DataSetState::Browse);

  source.SetAutoEdit(true);
  query.Close();
  Type(name, "Q");
  EXPECT_EQ(name->text(), "");
  EXPECT_TRUE(PromptTexts().empty());
}

TEST_F(BoundTextTest, EscapeTakesBackTheBoxChange) {
  Type(name, "W");
  QTest::keyClick(name, Qt::Key_Escape);
  EXPECT_EQ(name->text(), "宏達電子");
  EXPECT_FALSE(name->Modified());
  LeaveTo();
  EXPECT_FALSE(query.Modified());
}

TEST_F(BoundTextTest, EditingAnEmptySetAppendsAndKeepsTheTypedText) {
  db.Execute("delete from customer");
  query.Close();
  query.Open();
  Type(name, "A");
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(name->text(), "A");
  LeaveTo();
  EXPECT_EQ(query.FieldByName("cust_name").AsString(), "A");
}

TEST_F(BoundTextTest, PickListCompletesFromItemsAndWritesOnLeaving) {
  Type(combo, "u");
  EXPECT_EQ(combo->Text(), "uSD") << "inline completion keeps what was typed";
  EXPECT_EQ(query.State(), DataSetState::Edit);
  LeaveTo();
  EXPECT_EQ(query.FieldByName("sales").AsString(), "USD")
      << "an item typed in another case is written as listed";
  EXPECT_EQ(combo->Text(), "USD");
  EXPECT_EQ(combo->count(), 3) << "typed text never becomes an item";

  Type(combo, "x");
  LeaveTo();
  EXPECT_EQ(query.FieldByName("sales").AsString(), "USDx") << "free text stays free";

  query.Next();
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // a pick from the drop-down
  EXPECT_TRUE(combo->Modified());
  query.Post();
  EXPECT_EQ(Stored("sales", "S002"), "NTD");
  EXPECT_EQ(combo->Text(), "NTD");
}

TEST_F(BoundTextTest, PickListProgramTextAndDisplay) {
  combo->SetText("");
  EXPECT_FALSE(combo->Modified());
  combo->SetText("RMB");
  EXPECT_TRUE(combo->Modified());
  EXPECT_EQ(combo->currentIndex(), 0);
  query.Post();
  EXPECT_EQ(Stored("sales", "S001"), "RMB");
  query.Next();
  EXPECT_EQ(combo->Text(), "");
  query.First();
  EXPECT_EQ(combo->Text(), "RMB");
}

}  // namespace
