#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QVBoxLayout>

#include "BoundFixture.h"
#include "store/ReadQueue.h"
#include "ui/data/DBGrid.h"
#include "ui/data/IdleReader.h"
#include "ui/data/RecordSetModel.h"

using store::DataSetState;

namespace {

// Collects what QAbstractItemModelTester reports, so a broken model fails the test.
std::vector<QString>& TesterFailures() {
  static std::vector<QString> failures;
  return failures;
}

void RecordTesterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtDebugMsg && QLatin1String(context.category) == QLatin1String("qt.modeltest"))
    TesterFailures().push_back(message);
}

QString Marker(const ui::RecordSetModel& model, int row) {
  return model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
}

class DBGridTest : public BoundFixture {
 protected:
  void SetUp() override {
    BoundFixture::SetUp();
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(grid);
    layout->addWidget(elsewhere);
    window.resize(500, 300);
    grid->SetDataSource(&source);
  }

  QPoint CellCentre(int row, int column) {
    return grid->visualRect(grid->model()->index(row, column)).center();
  }

  QWidget window;
  ui::DBGrid* grid = new ui::DBGrid(&window);
  QLineEdit* elsewhere = new QLineEdit(&window);
};

TEST_F(DBGridTest, ModelPassesTheTesterThroughEveryOperation) {
  TesterFailures().clear();
  QtMessageHandler previous = qInstallMessageHandler(RecordTesterMessages);
  {
    grid->SetReadOnly(false);
    QAbstractItemModelTester tester(grid->Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    query.Next();
    query.Edit();
    query.FieldByName("cust_name").SetAsString("改");
    query.Post();
    query.Append();
    query.Cancel();
    query.Insert();
    query.FieldByName("cust_no").SetAsString("S000");
    query.Post();
    query.Delete();
    query.Close();
    grid->SetColumns({});
    query.Open();
    EXPECT_TRUE(grid->Model()->setData(grid->Model()->index(1, 1), "再改", Qt::EditRole));
    query.Post();
  }
  qInstallMessageHandler(previous);
  EXPECT_TRUE(TesterFailures().empty()) << TesterFailures().front().toStdString();
  EXPECT_EQ(Stored("cust_name", "S002"), "再改");
}

TEST_F(DBGridTest, ColumnsTitlesAndHiddenColumns) {
  ui::RecordSetModel& model = *grid->Model();
  EXPECT_EQ(model.columnCount(), 15) << "no list: every field";
  EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "cust_no");
  EXPECT_EQ(model.headerData(14, Qt::Horizontal, Qt::DisplayRole).toString(), "last_date");

  grid->SetColumns({{"cust_no", "客戶編號"},
                    {"cust_name", "公司簡稱", true, Qt::AlignHCenter, 90},
                    {"ap_user", "", false},
                    {"no_such_field", "?"}});
  EXPECT_EQ(model.columnCount(), 4);
  EXPECT_EQ(grid->VisibleColumnCount(), 3);
  EXPECT_TRUE(grid->isColumnHidden(2));
  EXPECT_EQ(grid->columnWidth(1), 90);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "公司簡稱");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignHCenter | Qt::AlignVCenter));
  EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "建興五金");
  EXPECT_EQ(model.FieldIndex(3), -1);
  EXPECT_FALSE(model.data(model.index(0, 3), Qt::DisplayRole).isValid());

  query.Close();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.columnCount(), 4) << "a closed set still shows the titles";
  query.Open();
  EXPECT_TRUE(grid->isColumnHidden(2)) << "hidden again after the reset";
  EXPECT_EQ(grid->VisibleColumnCount(), 3);
}

TEST_F(DBGridTest, RowsReadInTheIdleTimeJoinAtTheEndAndTheViewKeepsItsPlace) {
  db.Execute(
      "with recursive n(i) as (select 4 union all select i + 1 from n where i < 20000) "
      "insert into customer (cust_no, cust_name) select printf('S%06d', i), 'name ' || i from n");
  TesterFailures().clear();
  QtMessageHandler previous = qInstallMessageHandler(RecordTesterMessages);
  {
    QAbstractItemModelTester tester(grid->Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    store::ReadQueue::SetWake([] {});  // held back until the idle reader comes
    query.Close();
    query.Open();
    ShowActive(window);
    ui::RecordSetModel& model = *grid->Model();
    ASSERT_TRUE(query.Reading());
    EXPECT_EQ(model.rowCount(), store::RecordSet::kFirstRows);
    // At the last row read, Down reads on instead of adding a row.
    grid->setCurrentIndex(model.index(store::RecordSet::kFirstRows - 1, 0));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(query.State(), DataSetState::Browse);
    EXPECT_EQ(query.RecNo(), store::RecordSet::kFirstRows);
    EXPECT_EQ(grid->currentIndex().row(), store::RecordSet::kFirstRows);
    query.MoveTo(5);
    ui::IdleReader reader;
    QTRY_VERIFY(!query.Reading());
    EXPECT_EQ(model.rowCount(), 20000);
    EXPECT_EQ(model.data(model.index(19999, 1), Qt::DisplayRole).toString(), "name 20000");
    EXPECT_EQ(grid->currentIndex().row(), 5);
    EXPECT_EQ(Marker(model, 5), QString::fromUtf8(ui::RecordSetModel::kCurrentMarker));
  }
  qInstallMessageHandler(previous);
  EXPECT_TRUE(TesterFailures().empty()) << TesterFailures().front().toStdString();
  EXPECT_FALSE(store::ReadQueue::Driven());
}

TEST_F(DBGridTest, HundredThousandRowsAreReadOnDemand) {
  db.Execute(
      "with recursive n(i) as (select 4 union all select i + 1 from n where i < 100000) "
      "insert into customer (cust_no, cust_name) select printf('S%06d', i), 'name ' || i from n");
  query.Close();
  query.Open();
  ShowActive(window);
  ui::RecordSetModel& model = *grid->Model();
  ASSERT_EQ(model.rowCount(), 100000);
  EXPECT_EQ(model.data(model.index(99999, 1), Qt::DisplayRole).toString(), "name 100000");
  query.Last();
  EXPECT_EQ(grid->currentIndex().row(), 99999);
  EXPECT_EQ(Marker(model, 99999), QString::fromUtf8(ui::RecordSetModel::kCurrentMarker));
  EXPECT_EQ(Marker(model, 0), "");
  EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(model.index(99999, 0))));
}

TEST_F(DBGridTest, ClickMakesTheRowCurrentAndReportsTheCell) {
  ShowActive(window);
  QSignalSpy clicks(grid, &ui::DBGrid::cellClicked);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
  EXPECT_EQ(query.RecNo(), 2);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 1);

  QHeaderView* titles = grid->horizontalHeader();
  QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                    QPoint(titles->sectionViewportPosition(0) + 5, 5));
  QHeaderView* markers = grid->verticalHeader();
  QTest::mouseClick(markers->viewport(), Qt::LeftButton, {},
                    QPoint(5, markers->sectionViewportPosition(0) + 5));
  EXPECT_EQ(query.RecNo(), 0) << "a click on the row marker makes the row current";
  EXPECT_EQ(clicks.count(), 1) << "title row and row marker report no cell click";

  QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, CellCentre(1, 0));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(DBGridTest, FollowsTheSetAndMarksTheCurrentRow) {
  ui::RecordSetModel& model = *grid->Model();
  QSignalSpy moves(&model, &ui::RecordSetModel::currentRowChanged);
  query.Last();
  EXPECT_EQ(grid->currentIndex().row(), 2);
  EXPECT_EQ(Marker(model, 2), QString::fromUtf8(ui::RecordSetModel::kCurrentMarker));
  EXPECT_EQ(Marker(model, 0), "");
  ASSERT_EQ(moves.count(), 1);
  EXPECT_EQ(moves[0][0].toInt(), 2);
  query.Insert();
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(Marker(model, 2), QString::fromUtf8(ui::RecordSetModel::kInsertMarker));
  EXPECT_EQ(grid->currentIndex().row(), 2);
}

TEST_F(DBGridTest, ReadOnlyGridTakesNoTypingNorEditKeys) {
  ShowActive(window);
  grid->setFocus();
  QTest::keyClicks(grid, "abc");
  QTest::keyClick(grid, Qt::Key_Insert);
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 3);
  EXPECT_TRUE(PromptTexts().empty());
  EXPECT_FALSE(grid->Model()->flags(grid->Model()->index(0, 1)) & Qt::ItemIsEditable);
}

class EditableGridTest : public DBGridTest {
 protected:
  void SetUp() override {
    DBGridTest::SetUp();
    grid->SetReadOnly(false);
    ShowActive(window);
    grid->setFocus();
  }
};

TEST_F(EditableGridTest, TypingEditsTheRowAndLeavingItPostsIt) {
  grid->setCurrentIndex(grid->model()->index(0, 1));
  QTest::keyClicks(grid, "N");
  EXPECT_EQ(query.State(), DataSetState::Edit) << "the edit starts with the first key";
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, grid);
  QTest::keyClicks(editor, "ew");
  QTest::keyClick(editor, Qt::Key_Down);  // leaves the cell and the row
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecNo(), 1);
  EXPECT_EQ(Stored("cust_name", "S001"), "New");
}

TEST_F(EditableGridTest, InsertAddsARowBeforeTheCurrentOne) {
  query.Next();
  QTest::keyClick(grid, Qt::Key_Insert);
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.RecNo(), 1);
  EXPECT_EQ(query.RecordCount(), 4);
  EXPECT_EQ(grid->Model()->data(grid->Model()->index(2, 0), Qt::DisplayRole).toString(), "S002");
}

TEST_F(EditableGridTest, CtrlDeleteAsksFirst) {
  answer = ui::Answer::Cancel;
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  ASSERT_EQ(PromptTexts().size(), 1u);
  EXPECT_EQ(PromptTexts()[0], "Delete record?");
  EXPECT_EQ(ui::Prompts::Recorded()[0].kind, ui::Prompt::Kind::Confirm);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "3");

  answer = ui::Answer::Ok;
  QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(db.Scalar("select count(*) from customer"), "2");
  EXPECT_EQ(Stored("cust_no", "S001"), "");
  EXPECT_EQ(grid->Model()->rowCount(), 2);
}

TEST_F(EditableGridTest, DownOnTheLastRowAppendsOnce) {
  query.Last();
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_EQ(query.RecNo(), 3);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(query.RecordCount(), 4) << "no second empty row";
  QTest::keyClick(grid, Qt::Key_Up);
  EXPECT_EQ(query.State(), DataSetState::Browse) << "an untouched new row is dropped by the move";
  EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(EditableGridTest, LeavingTheGridDropsOnlyAnUntouchedNewRow) {
  query.Last();
  QTest::keyClick(grid, Qt::Key_Down);
  ASSERT_EQ(query.State(), DataSetState::Insert);
  elsewhere->setFocus();
  EXPECT_EQ(query.State(), DataSetState::Browse);
  EXPECT_EQ(query.RecordCount(), 3);

  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClicks(grid, "S");  // opens the new row's current cell
  QTest::keyClicks(QApplication::focusWidget(), "9");
  elsewhere->setFocus();  // the cell editor's text is written, the row stays
  EXPECT_EQ(query.State(), DataSetState::Insert);
  EXPECT_TRUE(query.Modified());
  EXPECT_EQ(query.FieldAt(grid->currentIndex().column()).AsString(), "S9");
}

// Tab walks the cells; only from the last cell (Shift+Tab: the first) does it
// leave the grid, so the keyboard can always get out of it.
TEST_F(DBGridTest, TabLeavesTheGridOnlyFromItsEdgeCells) {
  ShowActive(window);
  const int last = grid->Model()->columnCount() - 1;
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), grid);
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, 1));
  grid->setCurrentIndex(grid->model()->index(1, last));
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_EQ(grid->currentIndex(), grid->model()->index(2, 0)) << "on to the next row";
  grid->setCurrentIndex(grid->model()->index(2, last));
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), elsewhere);

  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), elsewhere);
}

TEST_F(EditableGridTest, TabInTheLastCellsEditorWritesItAndLeaves) {
  const int last = grid->Model()->columnCount() - 1;
  grid->setCurrentIndex(grid->model()->index(2, last));
  QTest::keyClicks(grid, "2");  // last_date
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, grid);
  QTest::keyClicks(editor, "024-01-05");
  QTest::keyClick(editor, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), elsewhere);
  EXPECT_EQ(query.FieldAt(last).AsString(), "2024-01-05");
  for (const QLineEdit* open : grid->viewport()->findChildren<QLineEdit*>())
    EXPECT_FALSE(open->isVisible()) << "no editor left open";
}

// The hint rises to the status bar of the main window the grid sits in.
TEST_F(DBGridTest, StatusBarSaysHowToLeaveWhileTheGridHasTheFocus) {
  QMainWindow main;
  QStatusBar* bar = main.statusBar();
  main.setCentralWidget(&window);
  ShowActive(main);
  elsewhere->setFocus();
  grid->setFocus();
  EXPECT_EQ(bar->currentMessage(), ui::DBGrid::kFocusHint);
  elsewhere->setFocus();
  EXPECT_TRUE(bar->currentMessage().isEmpty());
  main.takeCentralWidget();
}

}  // namespace

namespace {

// A window torn down while its grid's cell editor holds the focus on a new
// row: the focus moves as the widgets go, and no half-destroyed grid may act on it.
TEST_F(DBGridTest, WindowTornDownWhileEditingANewRow) {
  auto* doomed = new QWidget;
  auto* layout = new QVBoxLayout(doomed);
  auto* other = new QLineEdit(doomed);
  auto* editable = new ui::DBGrid(doomed);
  layout->addWidget(other);
  layout->addWidget(editable);
  editable->SetDataSource(&source);
  editable->SetReadOnly(false);
  ShowActive(*doomed);
  editable->setFocus();
  query.Last();
  QTest::keyClick(editable, Qt::Key_Down);
  QTest::keyClicks(editable, "S");
  ASSERT_NE(QApplication::focusWidget(), editable);
  delete doomed;
  EXPECT_EQ(query.State(), DataSetState::Insert) << "nothing is posted or dropped on the way out";
  query.Cancel();
  EXPECT_EQ(query.RecordCount(), 3);
}

}  // namespace
