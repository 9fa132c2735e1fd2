// The shipped designs in a real browser engine: rows as chosen on a wide
// window, no sideways scrolling on a 390-pixel phone screen, and every text
// readable on every pair of the colour boxes' sixteen colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "DesignAlbum.h"
#include "support/RunTests.h"

// The browser engine's own code frees memory with a mismatched size under
// AddressSanitizer; that is not ours to fix.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }

namespace {

// A browser window `width` pixels wide that loads a page and runs scripts on it.
class Browser {
 public:
  explicit Browser(int width) {
    view_.resize(width, 900);
    view_.show();
  }
  bool Load(const std::filesystem::path& page) {
    bool loaded = false;
    Wait([&](QEventLoop& loop) {
      QObject::connect(&view_, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
      });
      view_.load(QUrl::fromLocalFile(QString::fromStdString(page.string())));
    });
    return loaded;
  }
  QVariant Run(const QString& script) {
    QVariant result;
    Wait([&](QEventLoop& loop) {
      view_.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        loop.quit();
      });
    });
    return result;
  }

 private:
  template <typename Start>
  void Wait(Start start) {
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    start(loop);
    loop.exec();
  }
  QWebEngineView view_;
};

// Real pictures in place of the empty stand-ins: thumbnails at the chosen
// width, full-size pictures far wider than a phone.
void PutPictures(const TempFolder& dir, int count, int thumbWidth) {
  for (int i = 0; i < count; ++i) {
    QImage thumb(thumbWidth, thumbWidth * 2 / 3, QImage::Format_RGB32);
    thumb.fill(QColor::fromHsv(i * 40 % 360, 160, 200));
    thumb.save(QString::fromStdString((dir.Root() / "mini" / (PictureBaseName(i) + ".jpg")).string()), "JPG");
    QImage big(1600, 1000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    big.save(QString::fromStdString((dir.Root() / "pics" / (PictureBaseName(i) + ".jpg")).string()), "JPG");
  }
}

album::AlbumSettings Settings(int perRow, int thumbWidth) {
  album::AlbumSettings settings;
  settings.PicturesPerRow = perRow;
  settings.ThumbWidth = thumbWidth;
  settings.Caption = "Sommer am Bodensee mit Donaudampfschifffahrtsgesellschaftskapit\xE4nsm\xFCtze";
  settings.FreeText = "Ein Wochenende mit <b>Sonne</b> &amp; Wind.";
  settings.BackgroundColour = 0x808000;   // "Petrol" (red in the low byte)
  settings.BackgroundColour2 = 0x00FFFF;  // "Gelb"
  return settings;
}

// Pictures of the overview's first row: those level with the first one.
int FirstRowCount(Browser& browser, const char* pictureSelector) {
  return browser
      .Run(QStringLiteral("(() => { const cells = [...document.querySelectorAll('%1')];"
                          "  const top = cells[0].getBoundingClientRect().top;"
                          "  return cells.filter(c => Math.abs(c.getBoundingClientRect().top - top) < 1).length; })()")
               .arg(QLatin1String(pictureSelector)))
      .toInt();
}

bool ScrollsSideways(Browser& browser) {
  return browser.Run("document.documentElement.scrollWidth > window.innerWidth").toBool();
}

struct Design {
  const char* Name;
  const char* PictureSelector;
};
void PrintTo(const Design& design, std::ostream* out) { *out << design.Name; }
const Design kDesigns[] = {{"Klassisch", "table.raster td a"}, {"Modern", ".karte"}, {"Schlicht", ".zelle a"}};

class DesignRendering : public ::testing::TestWithParam<Design> {};

// The contrast of every visible text over everything behind it, for all
// 16 x 16 pairs of the two colours, with WCAG's relative luminance. Gives
// the worst case as JSON.
const char* kWorstContrastScript = R"js((() => {
  const colours = ["#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#808080",
                   "#C0C0C0", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF"];
  const parse = (text) => {
    const parts = text.match(/[\d.]+%?/g).map(p => p.endsWith("%") ? parseFloat(p) / 100 : Number(p));
    return { r: parts[0], g: parts[1], b: parts[2], a: parts.length > 3 ? parts[3] : 1 };
  };
  const over = (top, under) => ({
    r: top.r * top.a + under.r * (1 - top.a), g: top.g * top.a + under.g * (1 - top.a),
    b: top.b * top.a + under.b * (1 - top.a), a: 1 });
  const behind = (element) => {
    const layers = [];
    for (let e = element; e; e = e.parentElement) layers.push(parse(getComputedStyle(e).backgroundColor));
    return layers.reduceRight((under, layer) => over(layer, under), { r: 255, g: 255, b: 255, a: 1 });
  };
  const channel = (v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); };
  const luminance = (c) => 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
  const texts = [...document.querySelectorAll("body, body *")].filter(e =>
      [...e.childNodes].some(n => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== "") &&
      e.getClientRects().length > 0 && getComputedStyle(e).visibility === "visible");
  const root = document.documentElement.style;
  let worst = { ratio: 100, texts: texts.length };
  for (const first of colours) {
    for (const second of colours) {
      root.setProperty("--farbe1", first);
      root.setProperty("--farbe2", second);
      for (const e of texts) {
        const background = behind(e);
        const light = [luminance(over(parse(getComputedStyle(e).color), background)), luminance(background)];
        const ratio = (Math.max(...light) + 0.05) / (Math.min(...light) + 0.05);
        if (ratio < worst.ratio)
          worst = { ratio, texts: texts.length, text: e.textContent.trim().slice(0, 40), first, second };
      }
    }
  }
  return JSON.stringify(worst);
})())js";

}  // namespace

TEST(DesignRendering, ModernShowsTheChosenNumberPerRowAndBothColours) {
  Browser wide(1400);
  for (const int perRow : {3, 4, 7}) {
    TempFolder dir;
    const auto pages = WriteDesignAlbum(dir, "Modern", 2 * perRow + 1, Settings(perRow, 120));
    PutPictures(dir, 2 * perRow + 1, 120);
    ASSERT_TRUE(wide.Load(dir.Root() / pages[0]));
    EXPECT_EQ(FirstRowCount(wide, ".karte"), perRow);
    // The page shows the first colour, the picture cards the second.
    EXPECT_EQ(wide.Run("getComputedStyle(document.body).backgroundColor").toString().toStdString(), "rgb(0, 128, 128)");
    EXPECT_EQ(wide.Run("getComputedStyle(document.querySelector('.karte')).backgroundColor").toString().toStdString(),
              "rgb(255, 255, 0)");
  }
}

TEST_P(DesignRendering, KeepsItsRowsWideAndFitsAPhoneScreen) {
  Browser wide(1400), phone(390);
  for (const auto& [perRow, thumbWidth] : {std::pair{5, 90}, std::pair{4, 200}}) {
    TempFolder dir;
    const auto pages = WriteDesignAlbum(dir, GetParam().Name, 7, Settings(perRow, thumbWidth));
    PutPictures(dir, 7, thumbWidth);
    ASSERT_TRUE(wide.Load(dir.Root() / pages[0]));
    EXPECT_EQ(FirstRowCount(wide, GetParam().PictureSelector), perRow) << thumbWidth;
    for (const std::string& page : {pages[0], pages[2]}) {
      ASSERT_TRUE(phone.Load(dir.Root() / page));
      EXPECT_FALSE(ScrollsSideways(phone)) << page << " with " << perRow << " x " << thumbWidth;
    }
  }
}

TEST_P(DesignRendering, EveryTextIsReadableOnEveryColourPair) {
  Browser browser(1000);
  TempFolder dir;
  const auto pages = WriteDesignAlbum(dir, GetParam().Name, 3, Settings(3, 90));
  PutPictures(dir, 3, 90);
  for (const std::string& page : {pages[0], pages[2]}) {
    ASSERT_TRUE(browser.Load(dir.Root() / page));
    const QJsonObject worst = QJsonDocument::fromJson(browser.Run(kWorstContrastScript).toString().toUtf8()).object();
    EXPECT_GE(worst["texts"].toInt(), 3) << page;
    EXPECT_GE(worst["ratio"].toDouble(), 4.5)
        << page << ": \"" << worst["text"].toString().toStdString() << "\" on "
        << worst["first"].toString().toStdString() << " / " << worst["second"].toString().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Designs, DesignRendering, ::testing::ValuesIn(kDesigns),
                         [](const auto& info) { return std::string(info.param.Name); });

// The application lives on main's stack: the browser engine must be shut
// down with it before the process exits, or its teardown corrupts the heap.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  return testsupport::RunTests();
}
