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
