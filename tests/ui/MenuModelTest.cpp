#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/menu/Form.h"
#include "ui/menu/MenuStyle.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"

namespace {

using ui::Component;
using ui::TMenuItem;

// Records what its owner tells it, and whether it saw the new component as a menu item.
class Listener : public Component {
 public:
  explicit Listener(Component* owner) : Component(owner) {}
  void Notification(Component* component, Operation operation) override {
    Component::Notification(component, operation);
    heard.push_back({component, operation, dynamic_cast<TMenuItem*>(component) != nullptr});
  }
  struct Heard {
    Component* component;
    Operation operation;
    bool isItem;
  };
  std::vector<Heard> heard;
};

// Counts its destructions.
class Counted : public Component {
 public:
  Counted(Component* owner, int* deaths) : Component(owner), deaths_(deaths) {}
  ~Counted() override { ++*deaths_; }

 private:
  int* deaths_;
};

struct FormFixture : ::testing::Test {
  QWidget window;
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>(&window);

  TMenuItem* Item(const QString& caption, TMenuItem* parent = nullptr) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    if (parent) parent->Add(item);
    return item;
  }
};

TEST_F(FormFixture, OwnerListsComponentsAndTellsEveryOneOfInsertionAndRemoval) {
  auto* listener = new Listener(form.get());
  auto* other = new Listener(form.get());
  auto* item = new TMenuItem(form.get());
  EXPECT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->Components(2), item);
  EXPECT_EQ(item->Owner(), form.get());

  // The first listener heard the second join, then the item join, as an item.
  ASSERT_EQ(listener->heard.size(), 2u);
  EXPECT_EQ(listener->heard[0].component, other);
  EXPECT_EQ(listener->heard[1].component, item);
  EXPECT_EQ(listener->heard[1].operation, Component::Operation::Insert);
  EXPECT_TRUE(listener->heard[1].isItem);

  delete item;
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(listener->heard.back().component, item);
  EXPECT_EQ(listener->heard.back().operation, Component::Operation::Remove);
  EXPECT_EQ(other->heard.back().operation, Component::Operation::Remove);
}

TEST_F(FormFixture, OwnerDestroysWhatItOwns) {
  int deaths = 0;
  new Counted(form.get(), &deaths);
  new Counted(form.get(), &deaths);
  auto* menu = new ui::TMainMenu(form.get());
  Item("a", menu->Items());
  form.reset();
  EXPECT_EQ(deaths, 2);
}

TEST_F(FormFixture, CaptionIsTheWindowTitle) {
  window.setWindowTitle("樣品報價系統");
  EXPECT_EQ(form->Caption(), "樣品報價系統");
  EXPECT_EQ(form->Window(), &window);
}

TEST_F(FormFixture, ItemPropertiesReachTheAction) {
  TMenuItem* item = Item("新增(&N)");
  QAction* action = item->Action();
  EXPECT_EQ(action->text(), "新增(&N)");
  EXPECT_FALSE(action->isSeparator());
  item->SetEnabled(false);
  item->SetVisible(false);
  EXPECT_FALSE(action->isEnabled());
  EXPECT_FALSE(action->isVisible());
  item->SetChecked(true);
  EXPECT_TRUE(action->isCheckable());
  EXPECT_TRUE(action->isChecked());
  item->SetChecked(false);
  EXPECT_FALSE(action->isCheckable());
  item->SetChecked(true);
  item->SetShortCut(QKeySequence("Ctrl+N"));
  EXPECT_EQ(action->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_FALSE(item->ShortCutText().isEmpty());
  EXPECT_TRUE(Item("x")->ShortCutText().isEmpty());

  QImage bitmap(16, 16, QImage::Format_RGB32);
  bitmap.fill(Qt::red);
  item->SetBitmap(bitmap);
  EXPECT_FALSE(action->icon().isNull());

  TMenuItem* line = Item("-");
  EXPECT_TRUE(line->IsLine());
  EXPECT_TRUE(line->Action()->isSeparator());
  EXPECT_EQ(TMenuItem::FromAction(action), item);
  EXPECT_EQ(TMenuItem::FromAction(nullptr), nullptr);
  QAction foreign;
  EXPECT_EQ(TMenuItem::FromAction(&foreign), nullptr);
}

TEST_F(FormFixture, TriggeringRunsOnClickAndKeepsTheItemsCheckMark) {
  TMenuItem* item = Item("x");
  int clicks = 0;
  item->OnClick = [&] { ++clicks; };
  item->SetChecked(true);
  item->Action()->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(item->Action()->isChecked());
  EXPECT_TRUE(item->Checked());
}

TEST_F(FormFixture, TreeGivesParentsMenusAndSubMenus) {
  auto* menu = new ui::TMainMenu(form.get());
  TMenuItem* file = Item("檔案(&F)", menu->Items());
  TMenuItem* login = Item("登入", file);
  TMenuItem* exit = Item("退出", file);
  TMenuItem* line = Item("-");
  file->Insert(1, line);

  EXPECT_EQ(file->Count(), 3);
  EXPECT_EQ(file->IndexOf(line), 1);
  EXPECT_EQ(login->Parent(), file);
  EXPECT_EQ(login->GetParentMenu(), menu);
  EXPECT_EQ(file->GetParentComponent(), menu);
  EXPECT_EQ(login->GetParentComponent(), file);
  ASSERT_NE(file->SubMenu(), nullptr);
  EXPECT_EQ(file->Action()->menu(), file->SubMenu());
  const QList<QAction*> shown = file->SubMenu()->actions();
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[0], login->Action());
  EXPECT_EQ(shown[1], line->Action());
  EXPECT_EQ(shown[2], exit->Action());
  EXPECT_EQ(menu->MenuBar()->actions().value(0), file->Action());

  file->Remove(line);
  EXPECT_EQ(line->Parent(), nullptr);
  EXPECT_EQ(line->GetParentMenu(), nullptr);
  EXPECT_EQ(file->SubMenu()->actions().size(), 2);

  delete login;  // an item leaves its parent when it goes
  EXPECT_EQ(file->Count(), 1);
  EXPECT_EQ(file->Items(0), exit);
}

TEST_F(FormFixture, TopItemsFollowIntoTheBarWithoutDroppingMergedActions) {
  auto* menu = new ui::TMainMenu(form.get());
  TMenuItem* a = Item("A", menu->Items());
  QAction merged("merged");
  menu->MenuBar()->addAction(&merged);
  TMenuItem* b = Item("B");
  menu->Items()->Insert(0, b);
  const QList<QAction*> actions = menu->MenuBar()->actions();
  EXPECT_TRUE(actions.contains(&merged));
  EXPECT_EQ(actions.indexOf(b->Action()), actions.indexOf(a->Action()) - 1);
  menu->Items()->Remove(a);
  EXPECT_FALSE(menu->MenuBar()->actions().contains(a->Action()));
}

TEST_F(FormFixture, PopupShowsItsTopItems) {
  auto* popup = new ui::TPopupMenu(form.get());
  TMenuItem* a = Item("新增", popup->Items());
  ASSERT_NE(popup->Menu(), nullptr);
  EXPECT_EQ(popup->Menu()->actions().value(0), a->Action());
  EXPECT_EQ(a->GetParentMenu(), popup);
}

TEST_F(FormFixture, OwnerDrawSetsTheStyleOnTheBarAndEverySubMenu) {
  auto* menu = new ui::TMainMenu(form.get());
  TMenuItem* file = Item("F", menu->Items());
  TMenuItem* sub = Item("S", file);
  Item("x", sub);
  menu->SetOwnerDraw(true);
  EXPECT_EQ(menu->MenuBar()->style(), ui::MenuStyle::Instance());
  EXPECT_EQ(file->SubMenu()->style(), ui::MenuStyle::Instance());
  EXPECT_EQ(sub->SubMenu()->style(), ui::MenuStyle::Instance());

  // A branch added later takes the style too.
  TMenuItem* late = Item("L", menu->Items());
  Item("y", late);
  EXPECT_EQ(late->SubMenu()->style(), ui::MenuStyle::Instance());

  menu->SetOwnerDraw(false);
  EXPECT_NE(file->SubMenu()->style(), ui::MenuStyle::Instance());
  EXPECT_NE(menu->MenuBar()->style(), ui::MenuStyle::Instance());
}

TEST_F(FormFixture, MenuBarTakenByAWindowSurvivesTheMenu) {
  auto* menu = new ui::TMainMenu(form.get());
  TMenuItem* a = Item("A", menu->Items());
  QWidget host;
  QPointer<QMenuBar> bar = menu->MenuBar();
  bar->setParent(&host);
  QPointer<QAction> action = a->Action();
  delete menu;
  EXPECT_FALSE(bar.isNull());
  EXPECT_TRUE(action.isNull());
  EXPECT_TRUE(bar->actions().isEmpty());
}

}  // namespace
