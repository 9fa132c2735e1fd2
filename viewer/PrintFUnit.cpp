#include "viewer/PrintFUnit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "viewer/DrawPicture.h"
#include "viewer/PaintBox.h"
#include "viewer/PrintSettings.h"
#include "viewer/PrinterPage.h"
#include "viewer/SpinEdit.h"
#include "viewer/Texts.h"
#include "viewer/WindowPlacement.h"

namespace viewer {

namespace {

constexpr int kPreviewSide = 190;

int BoundedPercentField(const viewer::SpinEdit& field) {
  return std::clamp(field.Value(), viewer::kMinPercent, viewer::kMaxPercent);
}

}  // namespace

TPrintForm::TPrintForm(const imaging::RasterImage& picture, QPrinter& printer, QWidget* parent)
    : QDialog(parent), picture_(picture), printer_(printer) {
  setWindowTitle(QStringLiteral("Bild drucken..."));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // The preview first: the choices repaint it.
  auto* top = new QHBoxLayout;
  top->addLayout(BuildPreview());
  auto* choices = new QVBoxLayout;
  choices->addWidget(BuildSizeGroup());
  choices->addWidget(BuildOptionsGroup());
  choices->addStretch(1);
  top->addLayout(choices);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(top);
  layout->addLayout(BuildButtons());
}

QLayout* TPrintForm::BuildPreview() {
  PrintPaintBox = new viewer::PaintBox;
  PrintPaintBox->setFixedSize(kPreviewSide, kPreviewSide);
  PrintPaintBox->OnPaint = [this](QPainter& canvas) { PrintPaintBoxPaint(canvas); };

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* inFrame = new QVBoxLayout(frame);
  inFrame->setContentsMargins(frame->frameWidth(), frame->frameWidth(), frame->frameWidth(), frame->frameWidth());
  inFrame->addWidget(PrintPaintBox);

  auto* column = new QVBoxLayout;
  column->addWidget(new QLabel(QStringLiteral("Vorschau:"), this));
  column->addWidget(frame);
  column->addStretch(1);
  return column;
}

QWidget* TPrintForm::BuildSizeGroup() {
  auto* group = new QGroupBox(QStringLiteral("Druckgröße"), this);
  UseFullCheck = new QRadioButton(QStringLiteral("Seite voll nutzen"), group);
  UserdefCheck = new QRadioButton(QStringLiteral("Benutzerdefiniert"), group);
  UseFullCheck->setChecked(true);
  BreitEdit = new viewer::SpinEdit(viewer::kMinPercent, viewer::kMaxPercent, 1, 50, group);
  HochEdit = new viewer::SpinEdit(viewer::kMinPercent, viewer::kMaxPercent, 1, 50, group);

  connect(UseFullCheck, &QRadioButton::clicked, PrintPaintBox, qOverload<>(&QWidget::repaint));
  connect(UserdefCheck, &QRadioButton::clicked, this, &TPrintForm::UserdefCheckClick);
  connect(BreitEdit, &viewer::SpinEdit::Changed, this, &TPrintForm::BreitEditChange);
  connect(HochEdit, &viewer::SpinEdit::Changed, this, &TPrintForm::HochEditChange);

  auto* grid = new QGridLayout(group);
  grid->addWidget(UseFullCheck, 0, 0, 1, 2);
  grid->addWidget(UserdefCheck, 1, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Breite in %:"), group), 2, 0);
  grid->addWidget(BreitEdit, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Höhe in %:"), group), 3, 0);
  grid->addWidget(HochEdit, 3, 1);
  return group;
}

QWidget* TPrintForm::BuildOptionsGroup() {
  auto* group = new QGroupBox(QStringLiteral("Druckoptionen"), this);
  SverhCheck = new QCheckBox(QStringLiteral("Seitenverhältnis beibehalten"), group);
  ZentrCheck = new QCheckBox(QStringLiteral("Zentrierte Ausgabe"), group);
  SverhCheck->setChecked(true);
  ZentrCheck->setChecked(true);
  connect(SverhCheck, &QCheckBox::clicked, PrintPaintBox, qOverload<>(&QWidget::repaint));
  connect(ZentrCheck, &QCheckBox::clicked, PrintPaintBox, qOverload<>(&QWidget::repaint));

  auto* column = new QVBoxLayout(group);
  column->addWidget(SverhCheck);
  column->addWidget(ZentrCheck);
  return group;
}

QLayout* TPrintForm::BuildButtons() {
  OkBitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
  PrintSetupBtn = new QPushButton(QStringLiteral("Drucker &einrichten..."), this);
  CancelBitBtn2 = new QPushButton(QStringLiteral("A&bbrechen"), this);
  OkBitBtn1->setDefault(true);
  connect(OkBitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(PrintSetupBtn, &QPushButton::clicked, this, &TPrintForm::PrintSetupBtnClick);
  connect(CancelBitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(OkBitBtn1);
  row->addWidget(PrintSetupBtn);
  row->addWidget(CancelBitBtn2);
  return row;
}

viewer::PrintChoices TPrintForm::Choices() const {
  viewer::PrintChoices choices;
  choices.UseFullPage = UseFullCheck->isChecked();
  choices.KeepProportions = SverhCheck->isChecked();
  choices.Centred = ZentrCheck->isChecked();
  // A value typed out of range counts until the field loses the focus; the
  // layout never takes more than the whole page.
  choices.WidthPercent = BoundedPercentField(*BreitEdit);
  choices.HeightPercent = BoundedPercentField(*HochEdit);
  return choices;
}

viewer::PageSize TPrintForm::PageMeasures() const { return viewer::PrintableArea(printer_); }

void TPrintForm::RestorePercentages() {
  // The restored values must not derive each other; FormShow does that once.
  busy_ = true;
  const viewer::RememberedPercentages remembered = viewer::LoadPercentages();
  BreitEdit->SetValue(remembered.Width);
  HochEdit->SetValue(remembered.Height);
  busy_ = false;
}

void TPrintForm::showEvent(QShowEvent* event) {
  RestorePercentages();
  viewer::CentreOnScreen(*this);
  QDialog::showEvent(event);
  FormShow();
}

void TPrintForm::done(int result) {
  viewer::SavePercentages({BoundedPercentField(*BreitEdit), BoundedPercentField(*HochEdit)});
  QDialog::done(result);
}

void TPrintForm::FormShow() { BreitEditChange(); }

bool TPrintForm::HasPicture() const { return picture_.Pixels && picture_.Info; }

void TPrintForm::DeriveHeight() {
  if (HasPicture() && SverhCheck->isChecked())
    HochEdit->SetValue(viewer::DeriveHeightPercent(BreitEdit->Value(), imaging::DibWidth(picture_),
                                                   imaging::DibHeight(picture_), PageMeasures()));
}

void TPrintForm::BreitEditChange() {
  if (busy_) return;
  busy_ = true;
  DeriveHeight();
  PrintPaintBox->repaint();
  busy_ = false;
}

void TPrintForm::HochEditChange() {
  if (busy_) return;
  busy_ = true;
  if (HasPicture() && SverhCheck->isChecked())
    BreitEdit->SetValue(viewer::DeriveWidthPercent(HochEdit->Value(), imaging::DibWidth(picture_),
                                                   imaging::DibHeight(picture_), PageMeasures()));
  PrintPaintBox->repaint();
  busy_ = false;
}

void TPrintForm::UserdefCheckClick() {
  if (UserdefCheck->isChecked()) BreitEditChange();
}

void TPrintForm::PrintSetupBtnClick() {
  QPrintDialog setup(&printer_, this);
  setup.setWindowTitle(QStringLiteral("Drucker einrichten"));
  setup.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  setup.exec();
  PrintPaintBox->repaint();
}

void TPrintForm::PrintPaintBoxPaint(QPainter& canvas) {
  // The height follows the width on every paint that is not part of a
  // derivation; done before drawing so the preview shows the fields' values.
  if (!busy_) {
    busy_ = true;
    DeriveHeight();
    busy_ = false;
  }
  const viewer::PageRect page = viewer::PreviewPage({PrintPaintBox->width(), PrintPaintBox->height()}, PageMeasures());
  canvas.fillRect(QRect(page.X, page.Y, page.Width, page.Height), Qt::white);
  if (!HasPicture()) return;
  viewer::PageRect place = viewer::PlacePicture({page.Width, page.Height}, imaging::DibWidth(picture_),
                                                imaging::DibHeight(picture_), Choices());
  place.X += page.X;
  place.Y += page.Y;
  if (place.Width > 0 && place.Height > 0)
    viewer::DrawPicture(canvas, viewer::Surface::Screen, place, picture_, true, true);
}

bool RunPrintJob(const imaging::RasterImage& picture, const viewer::PrintChoices& choices, const std::string& jobTitle,
                 QPrinter& printer, platform::Messages& messages) {
  if (!picture.Pixels || !picture.Info) return false;
  if (!viewer::PrinterAvailable(printer)) {
    messages.Error(viewer::kNoPrinter);
    return false;
  }
  printer.setDocName(platform::ToQString(jobTitle));
  QPainter painter;
  if (!painter.begin(&printer)) {
    messages.Error(viewer::kJobNotStarted);
    return false;
  }
  const viewer::PageRect place = viewer::PlacePicture(viewer::PrintableArea(printer), imaging::DibWidth(picture),
                                                      imaging::DibHeight(picture), choices);
  if (place.Width > 0 && place.Height > 0)
    viewer::DrawPicture(painter, viewer::Surface::Printer, place, picture, false, true, &messages);
  if (!painter.end()) {
    messages.Error(viewer::kJobFailed);
    return false;
  }
  return true;
}

bool PrintPicture(const imaging::RasterImage& picture, const std::string& jobTitle, QPrinter& printer,
                  platform::Messages& messages, QWidget* parent) {
  // A preview without pixels has no size to lay out.
  if (!picture.Pixels || !picture.Info) {
    messages.Error(viewer::kCannotOpenPicture);
    return false;
  }
  TPrintForm form(picture, printer, parent);
  if (form.exec() != QDialog::Accepted) return false;
  return RunPrintJob(picture, form.Choices(), jobTitle, printer, messages);
}

}  // namespace viewer
