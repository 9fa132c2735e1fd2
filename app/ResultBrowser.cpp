#include "app/ResultBrowser.h"

#include <QUrl>
#include <QVBoxLayout>

#ifdef LUMIVISTA_HAVE_WEBENGINE
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QWebEngineView>
using BrowserView = QWebEngineView;
#else
#include <QTextBrowser>
using BrowserView = QTextBrowser;
#endif

namespace app {
#ifdef LUMIVISTA_HAVE_WEBENGINE
namespace {

// The browser view composites through OpenGL. Where the display offers none
// (QT_XCB_GL_INTEGRATION=none, broken drivers) the window crashed as the
// view appeared, so there the view draws in software, painted like any
// other widget. Where OpenGL works it stays in use: the engine reliably
// draws its pages through it.
void UseSoftwareDrawingWithoutOpenGL() {
  static const bool checked = [] {
    QOpenGLContext probe;
    if (QGuiApplication::platformName() != QLatin1String("offscreen") && !probe.create())
      QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return true;
  }();
  static_cast<void>(checked);
}

}  // namespace
#endif

QUrl AddressUrl(const QString& address) {
  static const QString kFileScheme = QStringLiteral("file://");
  if (address.startsWith(kFileScheme)) return QUrl::fromLocalFile(address.mid(kFileScheme.size()));
  return QUrl(address);
}

ResultBrowser::ResultBrowser(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

void ResultBrowser::EnsureView() {
  if (view_) return;
#ifdef LUMIVISTA_HAVE_WEBENGINE
  UseSoftwareDrawingWithoutOpenGL();
#endif
  auto* view = new BrowserView(this);
  view_ = view;
  layout()->addWidget(view_);
}

void ResultBrowser::showEvent(QShowEvent* event) {
  EnsureView();
  QWidget::showEvent(event);
}

void ResultBrowser::Prepare() {
  EnsureView();
#ifdef LUMIVISTA_HAVE_WEBENGINE
  static_cast<QWebEngineView*>(view_)->page();
#endif
}

void ResultBrowser::Navigate(const QString& address) {
  EnsureView();
  address_ = address;
#ifdef LUMIVISTA_HAVE_WEBENGINE
  static_cast<QWebEngineView*>(view_)->setUrl(AddressUrl(address));
#else
  static_cast<QTextBrowser*>(view_)->setSource(AddressUrl(address));
#endif
}

}  // namespace app
