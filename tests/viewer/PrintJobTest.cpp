#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include "drawing/DeviceContext.h"
#include "support/RecordingMessages.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/PrintFUnit.h"
#include "viewer/ViewPicFUnit.h"

using viewer::MainWindowPrintTitle;
using viewer::PrintPicture;
using viewer::RunPrintJob;
using viewer::TPrintForm;
using viewer::TViewPicForm;
using viewer::ViewerPrintTitle;
using viewer_test::SolidPicture;

namespace {

constexpr int kPageWidth = 600;
constexpr int kPageHeight = 800;

// The renderer may shift a channel by a step or two.
bool IsRed(QRgb pixel) { return qRed(pixel) >= 0xF0 && qGreen(pixel) <= 0x10 && qBlue(pixel) <= 0x10; }
bool IsNearlyWhite(QRgb pixel) { return qRed(pixel) >= 0xF0 && qGreen(pixel) >= 0xF0 && qBlue(pixel) >= 0xF0; }

// Prints to a PDF file and reads it back through poppler's tools, so the
// page is checked as a reader of the file would see it.
class PrintJob : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
      GTEST_SKIP() << "poppler-utils are not installed";
    pdf = folder.filePath(QStringLiteral("page.pdf"));
    viewer_test::SetUpPdfPrinter(printer, pdf, kPageWidth, kPageHeight);
  }

  static QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
  }

  QString Info() const { return Run(QStringLiteral("pdfinfo"), {pdf}); }

  // The first page rendered at 72 dots per inch: one pixel per device pixel.
  QImage RenderedPage() const {
    const QString prefix = folder.filePath(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                     QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
  }

  // True when the picture covers exactly the rectangle: red a few pixels
  // inside each edge, white a few pixels outside.
  static void ExpectRedRectangle(const QImage& page, QRect rect) {
    ASSERT_EQ(page.size(), QSize(kPageWidth, kPageHeight));
    const QRect inside = rect.adjusted(3, 3, -3, -3);
    const QRect outside = rect.adjusted(-3, -3, 3, 3);
    for (QPoint p : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight(), rect.center()})
      EXPECT_TRUE(IsRed(page.pixel(p))) << p.x() << "," << p.y();
    for (QPoint p : {outside.topLeft(), outside.topRight(), outside.bottomLeft(), outside.bottomRight()}) {
      if (!page.rect().contains(p)) continue;
      EXPECT_TRUE(IsNearlyWhite(page.pixel(p))) << p.x() << "," << p.y();
    }
  }

  viewer_test::TemporarySettings settings;
  QTemporaryDir folder;
  QString pdf;
  QPrinter printer;
  RecordingMessages messages;
};

}  // namespace

TEST_F(PrintJob, UserDefinedPercentagesPlaceThePictureCentredOnOnePage) {
  imaging::Image red = SolidPicture(200, 100, {255, 0, 0});
  viewer::PrintChoices choices;
  choices.UseFullPage = false;
  choices.WidthPercent = 50;
  choices.HeightPercent = 50;
  ASSERT_TRUE(RunPrintJob(*red, choices, ViewerPrintTitle, printer, messages));
  EXPECT_TRUE(messages.Calls.empty());
  const QString info = Info();
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Lumivista Bild\\n")))) << info.toStdString();
  ExpectRedRectangle(RenderedPage(), QRect(150, 200, 300, 400));
}

TEST_F(PrintJob, NotCentredStartsAtThePrintableAreasCorner) {
  imaging::Image red = SolidPicture(200, 100, {255, 0, 0});
  viewer::PrintChoices choices;
  choices.UseFullPage = false;
  choices.Centred = false;
  choices.WidthPercent = 33;
  choices.HeightPercent = 25;
  ASSERT_TRUE(RunPrintJob(*red, choices, ViewerPrintTitle, printer, messages));
  ExpectRedRectangle(RenderedPage(), QRect(0, 0, 198, 200));
}

TEST_F(PrintJob, PaletteDisplayDoesNotDitherThePrintedPicture) {
  // Halftoning is for palette screens; the printer gets the picture's own colours.
  const drawing::ScreenDepthQuery previous = drawing::SetScreenBitsPerPixelQuery([] { return 8; });
  imaging::Image grey = SolidPicture(40, 40, {128, 128, 128});
  viewer::PrintChoices choices;
  choices.UseFullPage = false;
  choices.Centred = false;
  const bool printed = RunPrintJob(*grey, choices, ViewerPrintTitle, printer, messages);
  drawing::SetScreenBitsPerPixelQuery(previous);
  ASSERT_TRUE(printed);
  const QImage page = RenderedPage();
  for (int y = 10; y < 390; y += 7) {
    for (int x = 10; x < 290; x += 7) ASSERT_NEAR(qGreen(page.pixel(x, y)), 128, 8) << x << "," << y;
  }
}

// Answers the print dialog with OK once it is shown.
void ClickOkInPrintDialog() {
  QTimer::singleShot(0, [] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TPrintForm*>(window)) form->OkBitBtn1->click();
  });
}

TEST_F(PrintJob, DialogOkPrintsTheFullPageLayoutWithTheMainWindowsTitle) {
  imaging::Image red = SolidPicture(2000, 1000, {255, 0, 0});
  ClickOkInPrintDialog();
  ASSERT_TRUE(PrintPicture(*red, MainWindowPrintTitle, printer, messages));
  EXPECT_TRUE(Info().contains(QStringLiteral("Web Lumivista Bild")));
  // 600 wide keeps the proportions: 300 high, centred at y = 250.
  ExpectRedRectangle(RenderedPage(), QRect(0, 250, 600, 300));
}

TEST_F(PrintJob, ViewerPrintsItsPictureWithItsOwnTitle) {
  imaging::Image red = SolidPicture(1000, 2000, {255, 0, 0});
  TViewPicForm viewer(printer, messages);
  QTimer::singleShot(0, &viewer, [&] {
    ClickOkInPrintDialog();
    viewer.PrintBrn->click();
    viewer.ReadyBtn->click();
  });
  ASSERT_TRUE(viewer.ShowPicture(*red, "/bilder/rot.bmp"));
  EXPECT_TRUE(messages.Calls.empty());
  EXPECT_TRUE(Info().contains(QRegularExpression(QStringLiteral("Title:\\s+Lumivista Bild\\n"))));
  // 600 wide would be 1200 high: the height limits it to 400 x 800, centred at x = 100.
  ExpectRedRectangle(RenderedPage(), QRect(100, 0, 400, 800));
}
