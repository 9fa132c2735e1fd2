#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "drawing/DeviceContext.h"
#include "support/RecordingMessages.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PaintBox.h"
#include "viewer/PrintFUnit.h"
#include "viewer/PrintSettings.h"
#include "viewer/SpinEdit.h"

using viewer::MainWindowPrintTitle;
using viewer::PrintPicture;
using viewer::RunPrintJob;
using viewer::TPrintForm;
using viewer::ViewerPrintTitle;
using viewer_test::SolidPicture;

namespace {

class PrintForm : public ::testing::Test {
 protected:
  void SetUp() override { viewer_test::SetUpPdfPrinter(printer, folder.filePath("out.pdf"), 4800, 6600); }

  // Shows a new dialog for `picture` and lets its show handling run.
  std::unique_ptr<TPrintForm> Show(const imaging::RasterImage& picture) {
    auto form = std::make_unique<TPrintForm>(picture, printer);
    form->show();
    QCoreApplication::processEvents();
    return form;
  }

  static QImage PreviewImage(TPrintForm& form) { return form.PrintPaintBox->grab().toImage(); }

  viewer_test::TemporarySettings settings;
  QTemporaryDir folder;
  QPrinter printer;
};

bool IsWhite(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

}  // namespace

TEST_F(PrintForm, StartsWithTheDefinedControlsAndDefaults) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Bild drucken..."));
  EXPECT_EQ(form->PrintPaintBox->size(), QSize(190, 190));
  EXPECT_TRUE(form->UseFullCheck->isChecked());
  EXPECT_FALSE(form->UserdefCheck->isChecked());
  EXPECT_TRUE(form->SverhCheck->isChecked());
  EXPECT_TRUE(form->ZentrCheck->isChecked());
  EXPECT_EQ(form->SverhCheck->text(), QStringLiteral("Seitenverhältnis beibehalten"));
  EXPECT_EQ(form->PrintSetupBtn->text(), QStringLiteral("Drucker &einrichten..."));
  EXPECT_EQ(form->CancelBitBtn2->text(), QStringLiteral("A&bbrechen"));
  // The remembered width (none yet: 50) and a height derived from it.
  EXPECT_EQ(form->BreitEdit->Value(), 50);
  EXPECT_EQ(form->HochEdit->Value(), 36);
}

TEST_F(PrintForm, RemembersOnlyThePercentagesAcrossOpenings) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  {
    auto form = Show(*square);
    form->UserdefCheck->click();
    form->ZentrCheck->click();
    form->SverhCheck->click();
    form->BreitEdit->SetValue(30);
    form->HochEdit->SetValue(70);
    form->CancelBitBtn2->click();
  }
  EXPECT_EQ(viewer::LoadPercentages().Width, 30);
  EXPECT_EQ(viewer::LoadPercentages().Height, 70);
  auto form = Show(*square);
  EXPECT_TRUE(form->UseFullCheck->isChecked());
  EXPECT_TRUE(form->SverhCheck->isChecked());
  EXPECT_TRUE(form->ZentrCheck->isChecked());
  EXPECT_EQ(form->BreitEdit->Value(), 30);
  EXPECT_EQ(form->HochEdit->Value(), 21);  // 30 x 4800 / 6600 = 21.8
  form->OkBitBtn1->click();
  EXPECT_EQ(viewer::LoadPercentages().Height, 21);
}

TEST_F(PrintForm, UnreadableRememberedValuesFallBackToTheDefaults) {
  QSettings store(QStringLiteral("Vendrix"), QStringLiteral("Web Lumivista"));
  store.setValue(QStringLiteral("TPrintForm/BreitEdit.Value"), QStringLiteral("viel"));
  store.setValue(QStringLiteral("TPrintForm/HochEdit.Value"), 500);
  store.sync();
  EXPECT_EQ(viewer::LoadPercentages().Width, 50);
  EXPECT_EQ(viewer::LoadPercentages().Height, 100);
}

TEST_F(PrintForm, PercentagesAreCoupledWhileProportionsAreKept) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  form->HochEdit->SetValue(72);
  EXPECT_EQ(form->BreitEdit->Value(), 99);  // 72 x 6600 / 4800 = 99.0
  form->HochEdit->SetValue(35);
  EXPECT_EQ(form->BreitEdit->Value(), 48);  // 48.125
  form->BreitEdit->SetValue(50);
  EXPECT_EQ(form->HochEdit->Value(), 36);  // 36.36...
  form->SverhCheck->click();
  form->BreitEdit->SetValue(80);
  EXPECT_EQ(form->HochEdit->Value(), 36);
  form->HochEdit->SetValue(90);
  EXPECT_EQ(form->BreitEdit->Value(), 80);
}

TEST_F(PrintForm, DerivedPercentagesStopAtTheBoundsWithoutBouncing) {
  imaging::Image tower = SolidPicture(100, 400, {255, 0, 0});
  auto form = Show(*tower);
  form->BreitEdit->SetValue(100);
  EXPECT_EQ(form->HochEdit->Value(), 100);   // 290.9 -> 100
  EXPECT_EQ(form->BreitEdit->Value(), 100);  // the edited field keeps its value
  imaging::Image panorama = SolidPicture(400, 1, {255, 0, 0});
  auto wide = Show(*panorama);
  wide->BreitEdit->SetValue(50);
  EXPECT_EQ(wide->HochEdit->Value(), 1);  // 0.09 -> 1
  EXPECT_EQ(wide->BreitEdit->Value(), 50);
}

TEST_F(PrintForm, UserDefinedChoiceDerivesTheHeight) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  form->SverhCheck->click();
  form->HochEdit->SetValue(80);
  form->SverhCheck->click();
  form->UserdefCheck->click();
  EXPECT_EQ(form->HochEdit->Value(), 36);
  const viewer::PrintChoices choices = form->Choices();
  EXPECT_FALSE(choices.UseFullPage);
  EXPECT_EQ(choices.WidthPercent, 50);
  EXPECT_EQ(choices.HeightPercent, 36);
}

TEST_F(PrintForm, PreviewShowsAPortraitPageFullHeightCentredHorizontally) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  form->UserdefCheck->click();
  form->BreitEdit->SetValue(1);  // a picture too small to hide the page
  const QImage preview = PreviewImage(*form);
  // Page 138 x 190 at x 26: white inside, the window's colour outside.
  EXPECT_TRUE(IsWhite(preview.pixel(26, 2)));
  EXPECT_TRUE(IsWhite(preview.pixel(163, 187)));
  EXPECT_FALSE(IsWhite(preview.pixel(25, 95)));
  EXPECT_FALSE(IsWhite(preview.pixel(164, 95)));
}

TEST_F(PrintForm, PreviewShowsALandscapePageFullWidthCentredVertically) {
  printer.setPageOrientation(QPageLayout::Landscape);
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  ASSERT_GT(form->PageMeasures().Width, form->PageMeasures().Height);
  form->UserdefCheck->click();
  form->BreitEdit->SetValue(1);
  const QImage preview = PreviewImage(*form);
  EXPECT_TRUE(IsWhite(preview.pixel(2, 26)));
  EXPECT_TRUE(IsWhite(preview.pixel(187, 163)));
  EXPECT_FALSE(IsWhite(preview.pixel(95, 25)));
  EXPECT_FALSE(IsWhite(preview.pixel(95, 164)));
}

TEST_F(PrintForm, PreviewDrawsThePictureWhereThePageLayoutPutsIt) {
  imaging::Image wide = SolidPicture(2000, 1000, {255, 0, 0});
  auto form = Show(*wide);
  const QImage preview = PreviewImage(*form);
  // On the 138 x 190 page at x 26: 138 x 69, centred at y 60.
  for (QPoint p : {QPoint(26, 60), QPoint(163, 60), QPoint(26, 128), QPoint(163, 128)})
    EXPECT_EQ(preview.pixel(p) & 0xFFFFFF, 0xFF0000u) << p.x() << "," << p.y();
  EXPECT_TRUE(IsWhite(preview.pixel(95, 59)));
  EXPECT_TRUE(IsWhite(preview.pixel(95, 129)));
  form->ZentrCheck->click();
  const QImage corner = PreviewImage(*form);
  EXPECT_EQ(corner.pixel(26, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_TRUE(IsWhite(corner.pixel(95, 69)));
}

TEST_F(PrintForm, PreviewIsHalftonedOnAPaletteDisplay) {
  const drawing::ScreenDepthQuery previous = drawing::SetScreenBitsPerPixelQuery([] { return 8; });
  imaging::Image grey = SolidPicture(100, 100, {128, 128, 128});
  auto form = Show(*grey);
  const QImage preview = PreviewImage(*form);
  drawing::SetScreenBitsPerPixelQuery(previous);
  // The picture covers 138 x 138 from (26, 26).
  EXPECT_TRUE(viewer_test::ShowsDitheredGrey(preview, QRect(40, 40, 110, 110)));
}

TEST_F(PrintForm, WithoutAPrinterTheDialogUsesAnA4PageAndOkReportsIt) {
  QPrinter none;
  none.setOutputFormat(QPrinter::PdfFormat);
  none.setOutputFileName(QString());
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  TPrintForm form(*square, none);
  const viewer::PageSize page = form.PageMeasures();
  EXPECT_NEAR(static_cast<double>(page.Height) / page.Width, 297.0 / 210.0, 0.01);
  RecordingMessages messages;
  EXPECT_FALSE(RunPrintJob(*square, form.Choices(), ViewerPrintTitle, none, messages));
  ASSERT_EQ(messages.Calls.size(), 1u);
  EXPECT_EQ(messages.Calls[0].Text, "Kein Drucker installiert.");
  EXPECT_EQ(messages.Calls[0].Caption, "Fehler");
}

TEST_F(PrintForm, CancelPrintsNothing) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  RecordingMessages messages;
  QTimer::singleShot(0, [] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TPrintForm*>(window)) form->CancelBitBtn2->click();
  });
  EXPECT_FALSE(PrintPicture(*square, MainWindowPrintTitle, printer, messages));
  EXPECT_FALSE(QFile::exists(folder.filePath("out.pdf")));
  EXPECT_TRUE(messages.Calls.empty());
}

TEST_F(PrintForm, PreviewWithoutPixelsIsReportedInsteadOfPrinted) {
  RecordingMessages messages;
  EXPECT_FALSE(PrintPicture(imaging::EmptyRasterImage(), MainWindowPrintTitle, printer, messages));
  ASSERT_EQ(messages.Calls.size(), 1u);
  EXPECT_EQ(messages.Calls[0].Text,
            "Konnte die Bilddatei nicht \xF6"
            "ffnen!");
  EXPECT_FALSE(QFile::exists(folder.filePath("out.pdf")));
  // The dialog itself stays usable without a picture.
  const imaging::Image none;
  TPrintForm form(*none, printer);
  form.show();
  form.BreitEdit->SetValue(70);
  form.HochEdit->SetValue(20);
  EXPECT_EQ(form.BreitEdit->Value(), 70);
  EXPECT_FALSE(form.PrintPaintBox->grab().isNull());
}

TEST_F(PrintForm, PreviewFollowsThePrinterSetupWhateverItsAnswer) {
  imaging::Image square = SolidPicture(100, 100, {255, 0, 0});
  auto form = Show(*square);
  form->UserdefCheck->click();
  form->BreitEdit->SetValue(1);
  QTimer::singleShot(0, [this] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->inherits("QPrintDialog")) continue;
      printer.setPageOrientation(QPageLayout::Landscape);  // as a driver's own settings could
      static_cast<QDialog*>(window)->reject();
    }
  });
  PaintCounter counter(form->PrintPaintBox);
  form->PrintSetupBtn->click();
  EXPECT_GE(counter.Paints, 1);
  const QImage preview = PreviewImage(*form);
  EXPECT_TRUE(IsWhite(preview.pixel(2, 30)));
  EXPECT_FALSE(IsWhite(preview.pixel(95, 20)));
}
