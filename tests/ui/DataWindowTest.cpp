#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "BoundFixture.h"
#include "store/StoreError.h"
#include "support/Typing.h"
#include "ui/app/DataWindow.h"
#include "ui/data/DBEdit.h"

namespace {

// Appends its letter to `log` when it goes.
struct Marker {
  Marker(std::string& log, char letter) : log(log), letter(letter) {}
  ~Marker() { log += letter; }
  std::string& log;
  char letter;
};

// A control that, as it goes, looks at the set it shows and closes it.
class ClosingControl : public QWidget {
 public:
  ClosingControl(QWidget* parent, ui::DataSource& source, bool& sawLiveSet)
      : QWidget(parent), source_(source), sawLiveSet_(sawLiveSet) {}
  ~ClosingControl() override {
    store::RecordSet* set = source_.DataSet();
    sawLiveSet_ = set && set->Active();
    if (set) set->Close();
  }

 private:
  ui::DataSource& source_;
  bool& sawLiveSet_;
};

// A window over a customer set of its own, as the maintenance windows hold theirs.
class CustomerWindow : public ui::DataWindow {
 public:
  CustomerWindow(const TempDatabase& db, OnClose onClose = OnClose::Hide) : ui::DataWindow(nullptr, onClose) {
    db.Connect(connection);
    query.SQL().Add("select * from customer");
    query.Open();
  }

  std::function<bool()> settle = [] { return true; };
  int settled = 0;

  store::Connection& connection = Own<store::Connection>("ADOConnection1");
  store::QueryRecordSet& query = Own<store::QueryRecordSet>(connection, "ADOQuery1");
  ui::DataSource& source = Own<ui::DataSource>(nullptr, &query);

  using ui::DataWindow::Own;
  using ui::DataWindow::Watch;

 protected:
  bool SettlePending() override {
    ++settled;
    return settle();
  }
};

class DataWindowTest : public BoundFixture {};

TEST_F(DataWindowTest, ControlsGoWhileTheDataLivesAndNoHandlerOfTheWindowRuns) {
  bool sawLiveSet = false;
  int handlerRuns = 0;
  int watchCalls = 0;
  {
    auto window = std::make_unique<CustomerWindow>(db);
    auto* edit = new ui::DBEdit(window.get());
    edit->SetDataField("cust_name");
    edit->SetDataSource(&window->source);
    new ClosingControl(window.get(), window->source, sawLiveSet);
    QObject::connect(edit, &QObject::destroyed, window.get(), [&] { ++handlerRuns; });
    QObject::connect(edit, &QLineEdit::textChanged, window.get(), [&] { ++handlerRuns; });
    window->Watch(window->query, [&](store::RecordSetEvent) { ++watchCalls; });
    ShowActive(*window);
    edit->setFocus();
    TypeText(edit, QStringLiteral("新"));
    handlerRuns = watchCalls = 0;
  }
  EXPECT_TRUE(sawLiveSet) << "a control still reads an open set as it goes";
  EXPECT_EQ(handlerRuns, 0);
  EXPECT_EQ(watchCalls, 0) << "the set closing under the controls reaches no listener of the window";
  EXPECT_EQ(Stored("cust_name", "S001"), "宏達電子") << "going drops the typing, as a close does";
}

TEST_F(DataWindowTest, OwnedObjectsGoInTheReverseOrderOfTheirMaking) {
  std::string log;
  {
    CustomerWindow window(db);
    window.Own<Marker>(log, 'a');
    window.Own<Marker>(log, 'b');
  }
  EXPECT_EQ(log, "ba");
}

TEST_F(DataWindowTest, CloseAsksFirstAndAFailingQuestionKeepsTheWindow) {
  QPointer<CustomerWindow> window = new CustomerWindow(db, ui::DataWindow::OnClose::Free);
  window->show();
  window->settle = [] { return false; };
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());

  window->settle = []() -> bool { throw store::StoreError("ADOQuery1: the store refused"); };
  EXPECT_FALSE(window->close());
  ASSERT_EQ(ui::Prompts::Recorded().size(), 1u);
  EXPECT_EQ(ui::Prompts::Recorded()[0].kind, ui::Prompt::Kind::Error);

  window->settle = [] { return true; };
  EXPECT_TRUE(window->MayClose());
  EXPECT_TRUE(window->isVisible()) << "asking closes nothing";
  EXPECT_TRUE(window->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull()) << "a window that frees itself on close is gone";
}

TEST_F(DataWindowTest, CloseWindowClosesTheSubWindowHoldingIt) {
  QMdiArea area;
  auto* window = new CustomerWindow(db);
  QMdiSubWindow* sub = area.addSubWindow(window);
  area.show();
  sub->show();
  window->settle = [] { return false; };
  window->CloseWindow();
  EXPECT_EQ(window->settled, 1);
  EXPECT_TRUE(sub->isVisible());
  window->settle = [] { return true; };
  window->CloseWindow();
  EXPECT_FALSE(sub->isVisible());
}

}  // namespace
