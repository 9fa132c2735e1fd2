#include "app/ResultBrowser.h"

#include <QUrl>
#include <QVBoxLayout>

#ifdef LUMIVISTA_HAVE_WEBENGINE
#include <QQuickWindow>
#include <QWebEngineView>
using BrowserView = QWebEngineView;
#else
#include <QTextBrowser>
using BrowserView = QTextBrowser;
#endif

namespace app {

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
  // The view draws in software and is painted like any other widget.
  // Composited through OpenGL, it would switch the whole main window to
  // OpenGL composition from then on: every repaint, the progress during a
  // run included, then goes through OpenGL (in software where there is no
  // GPU), about 15 % more CPU for a run; and where the display offers no
  // OpenGL (QT_XCB_GL_INTEGRATION=none, broken drivers) the window crashed
  // as the view appeared. An album page needs no GPU. Chosen once: the
  // scene graph takes it when the first view starts.
  static const bool software = [] {
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return true;
  }();
  static_cast<void>(software);
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
