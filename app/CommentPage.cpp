#include "app/CommentPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AnsiText.h"
#include "app/ListBox.h"
#include "app/MainLayoutHelpers.h"
#include "platform/qt/QtText.h"

namespace app {
namespace {

// The memo shows line breaks as Qt does; the album stores CR LF.
QString MemoText(const std::string& comment) {
  QString text = platform::ToQString(comment);
  return text.replace("\r\n", "\n");
}

// toPlainText() would turn a no-break space into a plain one and change the
// comment behind the user's back.
QString RawMemoText(const QPlainTextEdit* memo) { return WithPlainLineBreaks(memo->document()->toRawText()); }

}  // namespace

CommentPage::CommentPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet5");
  auto* body = new QWidget;
  ImageBox = new ListBox(body);
  ImageBox->setObjectName("ImageBox");
  ImageBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* group = new QGroupBox("Kommentar zum Bild", body);
  ShowComment = new QCheckBox("Kommentar anzeigen", group);
  ShowComment->setObjectName("ShowComment");
  ShowComment->setChecked(true);
  ComMemo = new QPlainTextEdit(group);
  ComMemo->setObjectName("ComMemo");
  ComMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  ComMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ComMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(ShowComment);
  groupLayout->addWidget(ComMemo, 1);
  auto* layout = new QHBoxLayout(body);
  layout->addWidget(ImageBox, 1);
  layout->addWidget(group, 1);
  PutBelowHeader("Kommentar - Bild auswählen und einen Kommentar eingeben", body, this);
  ConnectControls();
}

void CommentPage::ConnectControls() {
  connect(ImageBox, &QAbstractItemView::doubleClicked, this, &CommentPage::LineOpened);
  connect(ImageBox, &QAbstractItemView::clicked, this, &CommentPage::CurrentLineChanged);
  connect(ShowComment, &QCheckBox::toggled, this, &CommentPage::ShowCommentToggled);
  connect(ComMemo, &QPlainTextEdit::textChanged, this, [this] {
    if (platform::FitsAnsi(RawMemoText(ComMemo))) emit MemoChanged();
  });
  connect(ComMemo, &QPlainTextEdit::textChanged, this, &CommentPage::TakeBackUnfitText);
  // The list has not moved yet; the selection change that follows shows the
  // new line.
  ImageBox->KeyPress = [this](int key) {
    if (IsEnter(key))
      emit LineOpened();
    else
      emit CurrentLineChanged();
    return IsEnter(key);
  };
}

// Typed text is refused where Windows-1252 cannot hold it, as the album
// stores it; the cursor stays where the refused text would have gone.
void CommentPage::TakeBackUnfitText() {
  const QString text = RawMemoText(ComMemo);
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
  emit CharacterRefused();
}

void CommentPage::SetModel(QAbstractItemModel* lines) {
  ImageBox->setModel(lines);
  connect(ImageBox->selectionModel(), &QItemSelectionModel::currentChanged, this, &CommentPage::CurrentLineChanged);
}

void CommentPage::GoToFirstLine() {
  if (ImageBox->LineCount() > 0) ImageBox->SetCurrentLine(0);
}

int CommentPage::CurrentLine() const { return ImageBox->CurrentLine(); }

std::vector<int> CommentPage::SelectedLines() const { return ImageBox->SelectedLines(); }

bool CommentPage::ShowCommentChecked() const { return ShowComment->isChecked(); }

std::string CommentPage::MemoComment() const { return platform::FromQString(RawMemoText(ComMemo)); }

void CommentPage::ShowControls(const album::CommentControls& controls) {
  commentEditable_ = controls.Enabled;
  ShowComment->setEnabled(commentEditable_ && !running_);
  ComMemo->setEnabled(controls.Enabled);
  if (controls.ShowComment) ShowComment->setChecked(*controls.ShowComment);
  ComMemo->setPlainText(MemoText(controls.MemoText));
}

void CommentPage::SetRunning(bool running) {
  running_ = running;
  ImageBox->setEnabled(!running);
  ShowComment->setEnabled(commentEditable_ && !running);
  ComMemo->setReadOnly(running);
}

}  // namespace app
