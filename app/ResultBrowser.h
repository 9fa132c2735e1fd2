#pragma once
// The embedded browser of page "Ergebnis betrachten", a real
// browser engine where Qt WebEngine is installed. The engine is started only
// when the page is first shown or a page is first loaded, so the program
// starts quickly.
#include <QString>
#include <QUrl>
#include <QWidget>

namespace app {

// The URL the browser loads for an address. A "file://" address names a
// local path as written, so "#", "?" and "%" in a folder name stay part of
// the path instead of starting a fragment, a query or an escape.
QUrl AddressUrl(const QString& address);

class ResultBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit ResultBrowser(QWidget* parent = nullptr);

  void Navigate(const QString& address);
  // Starts the browser engine without loading anything, so a later Navigate
  // does not wait for it.
  void Prepare();
  // The address last navigated to, as given.
  const QString& Address() const { return address_; }
  // The browser view; null until the engine was started.
  QWidget* View() const { return view_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void EnsureView();

  QWidget* view_ = nullptr;
  QString address_;
};

}  // namespace app
