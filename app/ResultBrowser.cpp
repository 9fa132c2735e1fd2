#include "app/ResultBrowser.h"

#include <QUrl>
#include <QVBoxLayout>

#ifdef LUMIVISTA_HAVE_WEBENGINE
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
  // The browser engine draws through the graphics stack. In a window of its
  // own it stays apart from the main window; else Qt composites the whole
  // main window through that stack (in software where there is no GPU) on
  // every repaint from then on, and runs after the result page had been seen
  // took several times longer.
  setAttribute(Qt::WA_NativeWindow);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

void ResultBrowser::EnsureView() {
  if (view_) return;
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
