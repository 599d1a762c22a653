#include "ui/data/DBNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

#include "store/RecordSet.h"
#include "ui/app/Guard.h"
#include "ui/app/Prompts.h"
#include "ui/app/RecordToolBar.h"
#include "ui/data/DataSource.h"
#include "ui/menu/TImageList.h"

namespace ui {

namespace {

struct ButtonLook {
  const char* name;
  int picture;        // index in the record toolbar's pictures, -1: the glyph
  const char* glyph;  // only where no picture fits
  const char* tip;
};

// The record toolbar's pictures, so the two bars read alike; fonts on many
// systems lack the media-control glyphs.
constexpr ButtonLook kLooks[DBNavigator::ButtonCount] = {
    {"NavFirst", RecordToolBar::Top, "", "第一筆"}, {"NavPrior", RecordToolBar::Back, "", "上一筆"},
    {"NavNext", RecordToolBar::Next, "", "下一筆"}, {"NavLast", RecordToolBar::End, "", "最後一筆"},
    {"NavInsert", RecordToolBar::New, "", "新增"},  {"NavDelete", RecordToolBar::Del, "", "刪除"},
    {"NavEdit", RecordToolBar::Edit, "", "修改"},   {"NavPost", RecordToolBar::Save, "", "保存"},
    {"NavCancel", RecordToolBar::Undo, "", "取消"}, {"NavRefresh", -1, "\u21BB", "刷新"},
};

}  // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const std::unique_ptr<TImageList> pictures = CreateRecordImages();
  for (int i = 0; i < ButtonCount; ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromUtf8(kLooks[i].name));
    if (kLooks[i].picture >= 0)
      button->setIcon(pictures->Icon(kLooks[i].picture));
    else
      button->setText(QString::fromUtf8(kLooks[i].glyph));
    button->setToolTip(QString::fromUtf8(kLooks[i].tip));
    button->setAccessibleName(QString::fromUtf8(kLooks[i].tip));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, i] { Press(i); });
    layout->addWidget(button);
    buttons_[i] = button;
  }
  UpdateButtons();
}

DBNavigator::~DBNavigator() {
  if (source_) source_->RemoveLink(this);
}

void DBNavigator::SetDataSource(DataSource* source) {
  if (source == source_) return;
  if (source_) source_->RemoveLink(this);
  source_ = source;
  if (source_) source_->AddLink(this);
  UpdateButtons();
}

QToolButton* DBNavigator::Button(int index) const {
  return index >= 0 && index < ButtonCount ? buttons_[index] : nullptr;
}

void DBNavigator::ActiveChanged() { UpdateButtons(); }

void DBNavigator::DataSetChanged() { UpdateButtons(); }

void DBNavigator::RowsRead() { UpdateButtons(); }

void DBNavigator::RecordChanged() { UpdateButtons(); }

void DBNavigator::StateChanged() { UpdateButtons(); }

void DBNavigator::DataSourceDestroyed() {
  source_ = nullptr;
  UpdateButtons();
}

void DBNavigator::UpdateButtons() {
  store::RecordSet* set = source_ ? source_->DataSet() : nullptr;
  const bool open = set && set->Active();
  const int row = open ? set->RecNo() : -1;
  // Rows still to be read count as rows after the current one.
  const int count = open ? set->RecordsRead() + (set->Reading() ? 1 : 0) : 0;
  const bool pending = open && set->State() != store::DataSetState::Browse;
  const bool enabled[ButtonCount] = {
      open && row > 0,
      open && row > 0,
      open && row < count - 1,
      open && row < count - 1,
      open,
      open && count > 0,
      open && !pending,
      pending,
      pending,
      open,
  };
  for (int i = 0; i < ButtonCount; ++i) buttons_[i]->setEnabled(enabled[i]);
}

void DBNavigator::Press(int index) {
  store::RecordSet* set = source_ ? source_->DataSet() : nullptr;
  if (!set) return;
  Guard([&] {
    switch (index) {
      case First:
        set->First();
        break;
      case Prior:
        set->Prior();
        break;
      case Next:
        set->Next();
        break;
      case Last:
        set->Last();
        break;
      case Insert:
        set->Insert();
        break;
      case Delete:
        if (Prompts::ConfirmPlain(this, QStringLiteral("Delete record?"))) set->Delete();
        break;
      case Edit:
        set->Edit();
        break;
      case Post:
        set->Post();
        break;
      case Cancel:
        set->Cancel();
        break;
      case Refresh:
        Reopen();
        break;
    }
  });
}

// Reads the rows again and comes back to the same position; a pending row is
// finished first, as a move would.
void DBNavigator::Reopen() {
  store::RecordSet* set = source_->DataSet();
  set->CheckBrowseMode();
  const int row = set->RecNo();
  set->Close();
  set->Open();
  if (row > 0 && set->RecordCount() > 0) set->MoveTo(std::min(row, set->RecordCount() - 1));
}

}  // namespace ui
