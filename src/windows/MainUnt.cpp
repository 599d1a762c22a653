#include "windows/MainUnt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <array>

#include "ui/app/CloseBackup.h"
#include "ui/app/DataWindow.h"
#include "ui/app/FrameOnScreen.h"
#include "ui/app/TabStops.h"
#include "ui/menu/MenuMerge.h"
#include "ui/menu/TMenu.h"
#include "ui/menu/TMenuItem.h"
#include "windows/CustomUnt.h"
#include "windows/QuotationUnt.h"
#include "windows/WorkspaceUnt.h"
#include "windows/XPBarMenu.h"

QPointer<TMainFrm> MainFrm;

namespace {

constexpr QRect kFrameGeometry(280, 105, 656, 526);  // outer size
constexpr QRect kChildGeometry(0, 0, 550, 450);      // outer size
constexpr int kStatusBarHeight = 19;

QWidget* NewCustomerWindow(TMainFrm& frame);
QWidget* NewQuotationWindow(TMainFrm& frame);

std::array<TMainFrm::ChildFactory, 2>& Factories() {
  static std::array<TMainFrm::ChildFactory, 2> factories = {NewCustomerWindow, NewQuotationWindow};
  return factories;
}

// A 16 x 16 picture drawn at `scale` device pixels to each of its pixels.
QImage NewPicture(int scale) {
  QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::transparent);
  return image;
}

// "登入": a key.
QImage LoginPicture(int scale) {
  QImage image = NewPicture(scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 90, 20), 1.5));
  p.setBrush(QColor(236, 190, 60));
  p.drawEllipse(QRectF(1.5, 1.5, 7, 7));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(7, 7), QPointF(14, 14));
  p.drawLine(QPointF(11, 11), QPointF(13, 9));
  p.drawLine(QPointF(13, 13), QPointF(15, 11));
  return image;
}

// "退出": an open door with an arrow leaving it.
QImage ExitPicture(int scale) {
  QImage image = NewPicture(scale);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(64, 64, 64), 1));
  p.setBrush(QColor(160, 110, 60));
  p.drawRect(QRectF(1.5, 1.5, 8, 13));
  p.setPen(QPen(QColor(200, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 8), QPointF(14, 8));
  p.drawLine(QPointF(11, 5), QPointF(14, 8));
  p.drawLine(QPointF(11, 11), QPointF(14, 8));
  return image;
}

// The designed place, moved onto the screen it opens on when it does not fit
// there (a small screen, or a large scale factor).
QRect FrameGeometry() {
  const QScreen* screen = QGuiApplication::screenAt(kFrameGeometry.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? ui::FrameOnScreen(kFrameGeometry, screen->availableGeometry()) : kFrameGeometry;
}

QWidget* NewCustomerWindow(TMainFrm& frame) {
  CustFrm = new TCustFrm(&frame);
  return CustFrm.data();
}

QWidget* NewQuotationWindow(TMainFrm& frame) {
  Quotation = new TQuotation(&frame);
  return Quotation.data();
}

}  // namespace

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent), ui::Form(this) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("樣品報價系統"));
  // System menu and minimise only: the frame cannot be maximised from its title bar.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  const QRect outer = FrameGeometry();
  move(outer.topLeft());
  resize(outer.size());
  CreateClientArea();
  // Before the menu, so that it hears of every item joining the form.
  XPBarMenu1 = new TXPBarMenu(this);
  XPBarMenu1->SetName(QStringLiteral("XPBarMenu1"));
  ApplyWindowMenuLook(*XPBarMenu1);
  CreateMenu();
}

TMainFrm::~TMainFrm() {
  // Children go first, while the frame and its menus are still whole; the
  // painter goes before the menus, so that no item is painted while the form
  // that owns it comes apart.
  merge_.reset();
  delete MdiArea;
  delete XPBarMenu1;
}

void TMainFrm::SetChildFactory(Child kind, ChildFactory factory) {
  if (!factory) factory = kind == Child::Customer ? NewCustomerWindow : NewQuotationWindow;
  Factories()[static_cast<size_t>(kind)] = std::move(factory);
}

void TMainFrm::CreateClientArea() {
  MdiArea = new QMdiArea(this);
  MdiArea->setObjectName(QStringLiteral("MdiArea"));
  MdiArea->setBackground(palette().button());
  setCentralWidget(MdiArea);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(kStatusBarHeight);
  setStatusBar(StatusBar1);
}

void TMainFrm::CreateMenu() {
  MainMenu1 = new ui::TMainMenu(this);
  MainMenu1->SetName(QStringLiteral("MainMenu1"));
  ui::TMenuItem* root = MainMenu1->Items();
  N1 = AddItem(root, "N1", QStringLiteral("檔案(&F)"), 0);
  Nlogin = AddItem(N1, "Nlogin", QStringLiteral("登入"));
  Nlogin->SetBitmap(LoginPicture(1), LoginPicture(2));
  N3 = AddItem(N1, "N3", QStringLiteral("-"));
  Nexit = AddItem(N1, "Nexit", QStringLiteral("退出"));
  Nexit->SetBitmap(ExitPicture(1), ExitPicture(2));
  N5 = AddItem(root, "N5", QStringLiteral("基本資料(&M)"), 2);
  Ncustomer = AddItem(N5, "Ncustomer", QStringLiteral("客戶資料維護"));
  Nmuster = AddItem(N5, "Nmuster", QStringLiteral("樣品單維護"));
  Nquotation = AddItem(N5, "Nquotation", QStringLiteral("報價單維護"));
  Nworkspace = AddItem(N5, "Nworkspace", QStringLiteral("報價工作台"));
  N9 = AddItem(root, "N9", QStringLiteral("系統(&H)"), 3);
  Neditpass = AddItem(N9, "Neditpass", QStringLiteral("修改密碼"));
  Nloginoff = AddItem(N9, "Nloginoff", QStringLiteral("注銷"));
  nn = AddItem(N9, "nn", QStringLiteral("-"));
  Nabout = AddItem(N9, "Nabout", QStringLiteral("關於..."));
  // Items run their handlers through the guard.
  Ncustomer->OnClick = [this] { NcustomerClick(); };
  Nquotation->OnClick = [this] { NquotationClick(); };
  Nworkspace->OnClick = [this] { NworkspaceClick(); };
  MainMenu1->SetOwnerDraw(true);
  SetMenu(MainMenu1);
  if (QMenuBar* bar = MainMenu1->MenuBar()) {
    bar->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(bar);
  }
  merge_ = std::make_unique<ui::MenuMerge>(*MainMenu1, *MdiArea);
}

ui::TMenuItem* TMainFrm::AddItem(ui::TMenuItem* parent, const char* name, const QString& caption, int group) {
  auto* item = new ui::TMenuItem(this);
  item->SetName(QString::fromLatin1(name));
  item->SetCaption(caption);
  item->SetGroupIndex(group);
  parent->Add(item);
  if (QAction* action = item->Action()) action->setObjectName(item->Name());
  return item;
}

void TMainFrm::NcustomerClick() { OpenChild(Child::Customer); }

void TMainFrm::NquotationClick() { OpenChild(Child::Quotation); }

void TMainFrm::NworkspaceClick() { OpenChild(new TQuotationWorkspace(this))->showMaximized(); }

// A new window on every choice, even when one of its kind is open already.
void TMainFrm::OpenChild(Child kind) {
  if (QWidget* child = Factories()[static_cast<size_t>(kind)](*this)) OpenChild(child);
}

QMdiSubWindow* TMainFrm::OpenChild(QWidget* child) {
  QMdiSubWindow* window = MdiArea->addSubWindow(child);
  window->show();
  // A client area smaller than the design (a small screen) holds it shrunk.
  const QRect area = MdiArea->isVisible() ? QRect(QPoint(0, 0), MdiArea->viewport()->size()) : QRect();
  window->setGeometry(ui::FrameOnScreen(kChildGeometry, area));
  MdiArea->setActiveSubWindow(window);
  // A window that names no first control still takes the keys at once.
  if (!child->isAncestorOf(QApplication::focusWidget()))
    if (QWidget* first = ui::NextTabStop(child, nullptr, true)) first->setFocus(Qt::ActiveWindowFocusReason);
  return window;
}

// Each open window settles its unsaved changes first; when one refuses (the
// user cancels its question, or its save fails) nothing closes. Once all are
// closed, their saves go into the day's copy of the database.
void TMainFrm::closeEvent(QCloseEvent* event) {
  if (!AllChildrenMayClose()) return event->ignore();
  MdiArea->closeAllSubWindows();
  const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
  const bool refused =
      std::any_of(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); });
  event->setAccepted(!refused);
  if (!refused) ui::MakeCloseBackup(this);
}

// Asks each child as its own close would, without closing any.
bool TMainFrm::AllChildrenMayClose() {
  for (QMdiSubWindow* window : MdiArea->subWindowList()) {
    QWidget* child = window->widget();
    if (auto* dataWindow = qobject_cast<ui::DataWindow*>(child)) {
      if (!dataWindow->MayClose()) return false;
    } else if (child) {
      QCloseEvent question;  // a window of another kind answers its close event
      QCoreApplication::sendEvent(child, &question);
      if (!question.isAccepted()) return false;
    }
  }
  return true;
}

void TMainFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (placed_) return;
  placed_ = true;
  QTimer::singleShot(0, this, [this] { FitOuterSize(); });
}

// The designed size is the outer one; once the window manager has framed the
// window its decoration is known and the inside is shrunk to match.
void TMainFrm::FitOuterSize() {
  const QSize decoration = frameGeometry().size() - geometry().size();
  if (decoration != QSize(0, 0)) resize(FrameGeometry().size() - decoration);
}
