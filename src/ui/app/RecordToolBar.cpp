#include "ui/app/RecordToolBar.h"

#include <QAction>
#include <QApplication>
#include <QToolButton>

#include "ui/menu/TImageList.h"

namespace ui {

namespace {

constexpr int kHeight = 29;

struct ButtonInfo {
  const char* name;
  const char* hint;
  bool separatorBefore;
};

// Image i belongs to button i.
constexpr ButtonInfo kButtons[RecordToolBar::Count] = {
    {"BtnNew", "新增", false},    {"BtnEdit", "修改", true},        {"BtnDel", "刪除", false},
    {"BtnUndo", "取消", true},    {"BtnSave", "保存", false},       {"BtnTop", "第一筆", true},
    {"BtnBack", "上一筆", false}, {"BtnNext", "下一筆", false},     {"BtnEnd", "最後一筆", false},
    {"BtnPrint", "列印", true},   {"BtnExcel", "匯出Excel", false}, {"BtnExit", "退出", true},
};

}  // namespace

RecordToolBar::RecordToolBar(QWidget* parent) : QToolBar(parent), images_(CreateRecordImages()) {
  setMovable(false);
  setFloatable(false);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setIconSize(QSize(images_->Width(), images_->Height()));
  setFixedHeight(kHeight);
  for (int i = 0; i < Count; ++i) {
    const ButtonInfo& info = kButtons[i];
    if (info.separatorBefore) addSeparator();
    QAction* action = addAction(images_->Icon(i), QString::fromUtf8(info.hint));
    action->setObjectName(QString::fromLatin1(info.name));
    action->setToolTip(action->text());
    if (QWidget* button = widgetForAction(action)) button->setAccessibleName(action->text());
    actions_[i] = action;
  }
  actions_[Undo]->setEnabled(false);
  actions_[Save]->setEnabled(false);
  KeepFocusOnClick();
}

// A click on a button must not take the focus from the box being typed into
// (its text is taken when the handler posts), yet must activate the window.
// The toolbar accepts the click focus and hands it on to the window's last
// focused control, which then keeps or regains it.
void RecordToolBar::KeepFocusOnClick() {
  setFocusPolicy(Qt::ClickFocus);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    QWidget* owner = parentWidget();
    if (now && now != this && owner && owner->isAncestorOf(now) && !isAncestorOf(now)) setFocusProxy(now);
  });
}

RecordToolBar::~RecordToolBar() {
  // The focus may still move while the bases and the buttons go away.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

const char* RecordToolBar::ButtonName(Button button) { return kButtons[button].name; }

}  // namespace ui
