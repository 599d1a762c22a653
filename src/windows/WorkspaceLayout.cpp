#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "windows/QuotationLifePanel.h"
#include "windows/WorkspaceHeaderPanel.h"
#include "windows/WorkspaceLineGrid.h"
#include "windows/WorkspaceRegisterModel.h"
#include "windows/WorkspaceUnt.h"

namespace {

constexpr int kRegisterWidth = 560;
constexpr int kEditorWidth = 640;
constexpr int kRegisterColumnWidth = 80;
constexpr int kRowPadding = 6;

QLabel* Label(QWidget* parent, const char* name, Qt::Alignment alignment = Qt::AlignLeft) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

QLineEdit* Box(QWidget* parent, const char* name, const QString& hint) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setPlaceholderText(hint);
  box->setClearButtonEnabled(true);
  return box;
}

}  // namespace

void TQuotationWorkspace::BuildLayout() {
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("WorkspaceSplitter"));
  splitter->addWidget(BuildRegister());
  splitter->addWidget(BuildEditor());
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kRegisterWidth, kEditorWidth});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(splitter);
}

QWidget* TQuotationWorkspace::BuildRegister() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("RegisterPane"));
  SearchBox = Box(pane, "SearchBox", QStringLiteral("搜尋客戶、單號、業務員、品名或規格（Ctrl+F）"));
  DateFrom = Box(pane, "DateFrom", QStringLiteral("起日"));
  DateTo = Box(pane, "DateTo", QStringLiteral("迄日"));
  RegisterCount = Label(pane, "RegisterCount");
  RegisterModel = new WorkspaceRegisterModel(pane);
  RegisterSort = new QSortFilterProxyModel(pane);
  RegisterSort->setSourceModel(RegisterModel);
  RegisterSort->setSortRole(Qt::UserRole);
  RegisterGrid = new QTableView(pane);
  RegisterGrid->setObjectName(QStringLiteral("RegisterGrid"));
  RegisterGrid->setModel(RegisterSort);
  RegisterGrid->setSortingEnabled(true);
  RegisterGrid->sortByColumn(WorkspaceRegisterModel::Date, Qt::DescendingOrder);
  RegisterGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  RegisterGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  RegisterGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  RegisterGrid->verticalHeader()->hide();
  RegisterGrid->verticalHeader()->setDefaultSectionSize(RegisterGrid->fontMetrics().height() + kRowPadding);
  RegisterGrid->horizontalHeader()->setDefaultSectionSize(kRegisterColumnWidth);
  auto* dates = new QHBoxLayout;
  dates->addWidget(DateFrom);
  dates->addWidget(new QLabel(QStringLiteral("～"), pane));
  dates->addWidget(DateTo);
  BuildLife(pane);
  dates->addWidget(StateFilter);
  dates->addWidget(RegisterCount, 1);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(SearchBox);
  layout->addLayout(dates);
  layout->addWidget(RegisterGrid, 1);
  new QShortcut(
      QKeySequence::Find, this, [this] { SearchBox->setFocus(Qt::ShortcutFocusReason); },
      Qt::WidgetWithChildrenShortcut);
  return pane;
}

QWidget* TQuotationWorkspace::BuildEditor() {
  auto* pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("EditorPane"));
  WorkspaceToolBar = new QToolBar(pane);
  WorkspaceToolBar->setObjectName(QStringLiteral("WorkspaceToolBar"));
  WorkspaceToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  HeaderPanel = new WorkspaceHeaderPanel(pane);
  LineGrid = new WorkspaceLineGrid(pane);
  PriceMemoryList = new QTreeWidget(pane);
  PriceMemoryList->setObjectName(QStringLiteral("PriceMemoryList"));
  PriceMemoryList->setHeaderLabels({"客戶", "日期", "報價單號", "規格", "數量", "單價"});
  PriceMemoryList->setRootIsDecorated(false);
  PriceMemoryList->setToolTip(QStringLiteral("以前報過的價格：F8 或按一下帶入單價"));
  auto* lines = new QSplitter(Qt::Horizontal, pane);
  lines->addWidget(LineGrid);
  lines->addWidget(PriceMemoryList);
  lines->setStretchFactor(0, 3);
  lines->setStretchFactor(1, 2);
  SubtotalLabel = Label(pane, "SubtotalLabel", Qt::AlignRight);
  TaxLabel = Label(pane, "TaxLabel", Qt::AlignRight);
  TotalLabel = Label(pane, "TotalLabel", Qt::AlignRight);
  StatusLabel = Label(pane, "StatusLabel");
  auto* totals = new QHBoxLayout;
  totals->addWidget(StatusLabel, 1);
  for (QLabel* label : {SubtotalLabel, TaxLabel, TotalLabel}) totals->addWidget(label);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(WorkspaceToolBar);
  layout->addWidget(HeaderPanel);
  layout->addWidget(LifePanel);
  layout->addWidget(lines, 1);
  layout->addLayout(totals);
  BuildActions();
  return pane;
}

QAction* TQuotationWorkspace::AddAction(const char* name, const char* text, const QKeySequence& key) {
  QAction* action = WorkspaceToolBar->addAction(QString::fromUtf8(text));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(action);
  if (!key.isEmpty())
    action->setToolTip(action->text() + "（" + key.toString(QKeySequence::NativeText) + "）");
  return action;
}

void TQuotationWorkspace::BuildActions() {
  ActNew = AddAction("ActNew", "新增", QKeySequence::New);
  ActSave = AddAction("ActSave", "儲存", QKeySequence::Save);
  WorkspaceToolBar->addSeparator();
  ActDeleteLine = AddAction("ActDeleteLine", "刪除明細", QKeySequence(Qt::CTRL | Qt::Key_Delete));
  ActDelete = AddAction("ActDelete", "刪除報價單", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
  WorkspaceToolBar->addSeparator();
  ActPrint = AddAction("ActPrint", "列印", QKeySequence::Print);
  ActPdf = AddAction("ActPdf", "PDF", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  ActExcel = AddAction("ActExcel", "Excel", QKeySequence(Qt::CTRL | Qt::Key_E));
}
