// Keys of the main window: the standard keys of the tool row, page
// switching, the generate key, and typed text the album can keep.
#include <QLineEdit>
#include <algorithm>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>

#include "app/AnsiText.h"
#include "app/MainUnit.h"
#include "app/PictureButton.h"
#include "app/StatusBar.h"
#include "platform/qt/QtText.h"

namespace {

// SaveAs has no standard key on some desktops.
QKeySequence StandardKey(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
  return bindings.isEmpty() ? fallback : bindings.first();
}

QString WithKey(const QString& hint, const QKeySequence& key) {
  return hint + " (" + key.toString(QKeySequence::NativeText) + ")";
}

}  // namespace

namespace app {

const QKeySequence& GenerateKey() {
  static const QKeySequence key(Qt::Key_F9);
  return key;
}

}  // namespace app

void TMainForm::ConnectShortcuts() {
  const auto bind = [this](QToolButton* button, const QKeySequence& key) {
    // The button's own shortcut stays its Alt mnemonic.
    connect(new QShortcut(key, this), &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
    button->setToolTip(WithKey(button->toolTip(), key));
  };
  bind(NewBtn, StandardKey(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
  bind(OpenBtn, StandardKey(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
  bind(SaveBtn, StandardKey(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
  bind(SaveAsBtn, StandardKey(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));

  const auto turnPage = [this](int step) {
    const int count = PageControl2->count();
    PageControl2->setCurrentIndex((PageControl2->currentIndex() + step + count) % count);
  };
  for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
    connect(new QShortcut(key, this), &QShortcut::activated, this, [turnPage] { turnPage(1); });
  for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                  QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
    connect(new QShortcut(key, this), &QShortcut::activated, this, [turnPage] { turnPage(-1); });

  connect(new QShortcut(app::GenerateKey(), this), &QShortcut::activated, this, [this] {
    if (GoBtn->isEnabled()) GoBtn1Click();
  });
  GoBtn->setToolTip(WithKey(GoBtn->toolTip(), app::GenerateKey()));
  for (QLabel* image : {GoBtn1, GoBtn1Down}) image->setToolTip(GoBtn->toolTip());
}

// Typed text is refused where Windows-1252 cannot hold it, as the album
// stores it; the status line says why nothing appeared.
void TMainForm::GuardTypedText() {
  for (QLineEdit* edit : {CaptionED, FreeText, Caption2ED}) {
    edit->setValidator(new app::AnsiValidator(edit));
    connect(edit, &QLineEdit::inputRejected, this, [this] { StatusBar1->SetText(app::RefusedCharacterText()); });
  }
  connect(ComMemo, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = app::WithPlainLineBreaks(ComMemo->document()->toRawText());
    if (platform::FitsAnsi(text)) {
      acceptedMemo_ = text;
      return;
    }
    const int cursor = ComMemo->textCursor().position() - static_cast<int>(text.size() - acceptedMemo_.size());
    const QString accepted = acceptedMemo_;
    ComMemo->setPlainText(accepted);
    QTextCursor restored = ComMemo->textCursor();
    restored.setPosition(std::clamp(cursor, 0, static_cast<int>(accepted.size())));
    ComMemo->setTextCursor(restored);
    StatusBar1->SetText(app::RefusedCharacterText());
  });
}
