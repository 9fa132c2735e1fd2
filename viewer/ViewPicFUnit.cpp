#include "viewer/ViewPicFUnit.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "viewer/DrawPicture.h"
#include "viewer/PaintBox.h"
#include "viewer/PrintFUnit.h"
#include "viewer/SpinEdit.h"
#include "viewer/Texts.h"
#include "viewer/WindowPlacement.h"
#include "viewer/layout/ViewerLayout.h"

namespace viewer {

namespace {

// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

}  // namespace

TViewPicForm::TViewPicForm(QPrinter& printer, platform::Messages& messages, QWidget* parent)
    : QDialog(parent), printer_(printer), messages_(messages) {
  setWindowTitle(QStringLiteral("Bild betrachten..."));
  setModal(true);
  resize(720, 540);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setBackgroundRole(QPalette::Dark);  // the desktop's workspace colour, as behind MDI windows
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PaintBox1 = new viewer::PaintBox;
  PaintBox1->setCursor(Qt::PointingHandCursor);
  PaintBox1->resize(0, 0);
  PaintBox1->OnPaint = [this](QPainter& canvas) { PaintBox1Paint(canvas); };
  PaintBox1->OnMouseDown = [this](QMouseEvent& event) { PaintBox1MouseDown(event); };
  PaintBox1->OnMouseMove = [this](QMouseEvent& event) { PaintBox1MouseMove(event); };
  PaintBox1->OnMouseUp = [this](QMouseEvent& event) { PaintBox1MouseUp(event); };
  ScrollBox1->setWidget(PaintBox1);

  StatusBar1 = new QStatusBar(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(BuildToolRow());
  layout->addWidget(ScrollBox1, 1);
  layout->addWidget(StatusBar1);

  CatchWheelOfChildren();
}

QLayout* TViewPicForm::BuildToolRow() {
  ReadyBtn = new QPushButton(QStringLiteral("Zurück..."), this);
  PrintBrn = new QPushButton(QStringLiteral("&Drucken"), this);
  OpenBtn = new QPushButton(QStringLiteral("Öffnen..."), this);
  ZoomLabel = new QLabel(QStringLiteral("Zoom:"), this);
  ZoomEd = new viewer::SpinEdit(viewer::kMinZoom, viewer::kMaxZoom, viewer::kZoomStep, 100, this);
  ZoomLabel->setBuddy(ZoomEd);
  ReadyBtn->setAutoDefault(false);
  PrintBrn->setAutoDefault(false);
  OpenBtn->setAutoDefault(false);

  connect(ReadyBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(PrintBrn, &QPushButton::clicked, this, &TViewPicForm::PrintBrnClick);
  connect(OpenBtn, &QPushButton::clicked, this, &TViewPicForm::OpenBtnClick);
  connect(ZoomEd, &viewer::SpinEdit::Changed, this, &TViewPicForm::ZoomEdChange);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(6, 6, 6, 6);
  row->addWidget(ReadyBtn);
  row->addWidget(PrintBrn);
  row->addWidget(OpenBtn);
  row->addSpacing(12);
  row->addWidget(ZoomLabel);
  row->addWidget(ZoomEd);
  row->addStretch(1);
  return row;
}

void TViewPicForm::CatchWheelOfChildren() {
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TViewPicForm::ShowPicture(const imaging::RasterImage& picture, const std::string& fileName) {
  fileName_ = fileName;
  if (!picture.Pixels || !picture.Info) {
    messages_.Error(viewer::kCannotOpenPicture);
    return false;
  }
  picture_ = &picture;
  dragging_ = false;
  SizePaintBox();
  PaintBox1->update();
  viewer::CentreOnScreen(*this);
  exec();
  picture_ = nullptr;
  return true;
}

bool TViewPicForm::SizePaintBox() {
  if (!picture_) return false;
  const viewer::PaintSize size =
      viewer::ZoomedSize(imaging::DibWidth(*picture_), imaging::DibHeight(*picture_), ZoomEd->Value());
  if (PaintBox1->width() == size.Width && PaintBox1->height() == size.Height) return true;
  // Both sides at once: a side of 0 would get no further paint to set the
  // other one. The scroll area adjusts its bars and a new paint follows.
  PaintBox1->resize(size.Width, size.Height);
  return false;
}

void TViewPicForm::ZoomEdChange() {
  SizePaintBox();
  PaintBox1->update();
}

void TViewPicForm::PaintBox1Paint(QPainter& canvas) {
  if (!picture_ || !SizePaintBox()) return;
  const viewer::PageRect destination{0, 0, PaintBox1->width(), PaintBox1->height()};
  if (destination.Width > 0 && destination.Height > 0)
    viewer::DrawPicture(canvas, viewer::Surface::Screen, destination, *picture_, true, false, &messages_);
}

void TViewPicForm::PaintBox1MouseDown(const QMouseEvent& event) {
  dragging_ = true;
  pressX_ = event.position().toPoint().x();
  pressY_ = event.position().toPoint().y();
}

void TViewPicForm::PaintBox1MouseMove(const QMouseEvent& event) {
  if (!dragging_) return;
  const QPoint now = event.position().toPoint();
  QScrollBar* horizontal = ScrollBox1->horizontalScrollBar();
  QScrollBar* vertical = ScrollBox1->verticalScrollBar();
  const int h = viewer::DragScrollPosition(horizontal->value(), pressX_, now.x(), PaintBox1->width());
  const int v = viewer::DragScrollPosition(vertical->value(), pressY_, now.y(), PaintBox1->height());
  horizontal->setValue(h);
  vertical->setValue(v);
}

void TViewPicForm::PaintBox1MouseUp(const QMouseEvent&) { dragging_ = false; }

void TViewPicForm::FormMouseWheelDown() {
  QScrollBar* vertical = ScrollBox1->verticalScrollBar();
  vertical->setValue(vertical->value() + viewer::kWheelStep);
}

void TViewPicForm::FormMouseWheelUp() {
  QScrollBar* vertical = ScrollBox1->verticalScrollBar();
  vertical->setValue(vertical->value() - viewer::kWheelStep);
}

void TViewPicForm::WheelTurned(const QWheelEvent& event) {
  // Fine-grained wheels send parts of a notch; each whole notch is one step.
  wheelRemainder_ += event.angleDelta().y();
  for (; wheelRemainder_ <= -kWheelNotch; wheelRemainder_ += kWheelNotch) FormMouseWheelDown();
  for (; wheelRemainder_ >= kWheelNotch; wheelRemainder_ -= kWheelNotch) FormMouseWheelUp();
}

bool TViewPicForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return QDialog::eventFilter(watched, event);
  WheelTurned(static_cast<const QWheelEvent&>(*event));
  return true;
}

void TViewPicForm::wheelEvent(QWheelEvent* event) { WheelTurned(*event); }

void TViewPicForm::OpenBtnClick() { QDesktopServices::openUrl(QUrl::fromLocalFile(platform::ToQString(fileName_))); }

void TViewPicForm::PrintBrnClick() {
  if (picture_) PrintPicture(*picture_, ViewerPrintTitle, printer_, messages_, this);
}

}  // namespace viewer
