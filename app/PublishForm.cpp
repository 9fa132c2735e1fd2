#include "app/PublishForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/PublishSettings.h"
#include "platform/qt/QtText.h"
#include "publish/PrintableText.h"

namespace app {

namespace {

// Reports from the worker thread, handed to the dialog's thread.
class DialogObserver : public publish::PublishObserver {
 public:
  DialogObserver(TPublishForm* form, std::atomic<bool>& stop,
                 std::function<void(int, int, uint64_t, uint64_t)> progress, std::function<void(QString)> line)
      : form_(form), stop_(stop), progress_(std::move(progress)), line_(std::move(line)) {}

  void FileStarted(const std::string&, int number, int count) override {
    number_ = number;
    count_ = count;
  }
  void BytesProgress(uint64_t done, uint64_t total) override {
    Post([show = progress_, number = number_, count = count_, done, total] { show(number, count, done, total); });
  }
  void Changed(const std::string& line) override { Line(line); }
  void Problem(const std::string& text) override { Line(text); }
  bool StopRequested() override { return stop_; }

 private:
  // The posted calls outlive this observer, so they hold copies, never `this`.
  void Line(const std::string& text) {
    Post([show = line_, line = QString::fromStdString(text)] { show(line); });
  }
  template <typename F>
  void Post(F call) {
    QMetaObject::invokeMethod(form_, std::move(call), Qt::QueuedConnection);
  }

  TPublishForm* form_;
  std::atomic<bool>& stop_;
  std::function<void(int, int, uint64_t, uint64_t)> progress_;
  std::function<void(QString)> line_;
  int number_ = 0;
  int count_ = 0;
};

QString Kilobytes(uint64_t bytes) { return QString::number((bytes + 1023) / 1024) + " kB"; }

}  // namespace

TPublishForm::TPublishForm(const QString& albumFile, QWidget* parent) : QDialog(parent), albumFile_(albumFile) {
  setWindowTitle("Album hochladen");
  ServerEd = new QLineEdit(this);
  ServerEd->setPlaceholderText("sftp://server, ftp://server oder https://server");
  FolderEd = new QLineEdit(this);
  UserEd = new QLineEdit(this);
  PasswordEd = new QLineEdit(this);
  PasswordEd->setEchoMode(QLineEdit::Password);
  RememberBox = new QCheckBox("Passwort im Schl\u00FCsselbund speichern", this);
  AlbumFolderEd = new QLineEdit(this);
  auto* albumFolderBtn = new QToolButton(this);
  albumFolderBtn->setText("...");
  CertificateEd = new QLineEdit(this);
  CertificateEd->setPlaceholderText("nur f\u00FCr ein selbst signiertes Zertifikat des Servers (PEM-Datei)");
  DeleteBox = new QCheckBox("Dateien auf dem Server l\u00F6schen, die das Album nicht mehr enth\u00E4lt", this);
  ChangesMemo = new QPlainTextEdit(this);
  ChangesMemo->setReadOnly(true);
  ProgressBar = new QProgressBar(this);
  ProgressBar->setRange(0, 1000);
  ProgressBar->setValue(0);
  ProgressLabel = new QLabel(this);
  DryRunBtn = new QPushButton("Probelauf", this);
  PublishBtn = new QPushButton("Hochladen", this);
  PublishBtn->setDefault(true);
  CancelBtn = new QPushButton("Schlie\u00DFen", this);

  auto* albumRow = new QHBoxLayout;
  albumRow->addWidget(AlbumFolderEd, 1);
  albumRow->addWidget(albumFolderBtn);
  auto* form = new QFormLayout;
  form->addRow("Server-Adresse:", ServerEd);
  form->addRow("Verzeichnis auf dem Server:", FolderEd);
  form->addRow("Benutzer:", UserEd);
  form->addRow("Passwort:", PasswordEd);
  form->addRow("", RememberBox);
  form->addRow("Album-Verzeichnis:", albumRow);
  form->addRow("Selbst signiertes Zertifikat:", CertificateEd);
  form->addRow("", DeleteBox);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(DryRunBtn);
  buttons->addStretch();
  buttons->addWidget(PublishBtn);
  buttons->addWidget(CancelBtn);
  auto* main = new QVBoxLayout(this);
  main->addLayout(form);
  main->addWidget(ChangesMemo, 1);
  main->addWidget(ProgressBar);
  main->addWidget(ProgressLabel);
  main->addLayout(buttons);
  resize(560, 480);

  connect(DryRunBtn, &QPushButton::clicked, this, &TPublishForm::DryRunBtnClick);
  connect(PublishBtn, &QPushButton::clicked, this, &TPublishForm::PublishBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TPublishForm::CancelBtnClick);
  connect(albumFolderBtn, &QToolButton::clicked, this, &TPublishForm::AlbumFolderBtnClick);
  AskHostKey = [this](const QString& question) {
    return messages_.Confirm(platform::FromQString(question), "Unbekannter Server");
  };

  const app::PublishSettings settings = app::LoadPublishSettings(albumFile_);
  ServerEd->setText(settings.Server);
  FolderEd->setText(settings.Folder);
  UserEd->setText(settings.User);
  AlbumFolderEd->setText(settings.AlbumFolder);
  CertificateEd->setText(settings.Certificate);
  DeleteBox->setChecked(settings.DeleteRemoved);
  RememberBox->setChecked(settings.RememberPassword);
  if (settings.RememberPassword) {
    QString error;
    PasswordEd->setText(app::ReadStoredPassword(Account(), error));
    passwordWasStored_ = error.isEmpty();
    if (!error.isEmpty()) AddLine("Schl\u00FCsselbund: " + error);
  }
}

TPublishForm::~TPublishForm() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

QString TPublishForm::Account() const { return UserEd->text().trimmed() + "@" + ServerEd->text().trimmed(); }

void TPublishForm::AlbumFolderBtnClick() {
  platform::FileDialogOptions options;
  options.InitialFolder = platform::FromQString(AlbumFolderEd->text());
  if (const std::optional<std::string> folder = dialogs_.ExistingFolder(options))
    AlbumFolderEd->setText(platform::ToQString(*folder));
}

void TPublishForm::CancelBtnClick() {
  if (Running())
    stop_ = true;
  else
    reject();
}

bool TPublishForm::MakeRequest(bool dryRun, publish::PublishRequest& request) {
  QString server = ServerEd->text().trimmed();
  while (server.endsWith('/')) server.chop(1);
  QString folder = FolderEd->text().trimmed();
  if (!folder.startsWith('/')) folder.prepend('/');
  std::string error;
  const std::optional<publish::PublishTarget> target = publish::ParsePublishUrl((server + folder).toStdString(), error);
  if (!target) {
    AddLine(QString::fromStdString(error));
    return false;
  }
  request.LocalFolder = AlbumFolderEd->text().toStdString();
  request.DeleteRemoved = DeleteBox->isChecked();
  request.DryRun = dryRun;
  request.Server.Target = *target;
  request.Server.Login.User = UserEd->text().trimmed().toStdString();
  if (request.Server.Login.User.empty()) request.Server.Login.User = target->User;
  request.Server.Login.Password = PasswordEd->text().toStdString();
  request.Server.Login.HasPassword = !PasswordEd->text().isEmpty();
  request.Server.Security.TrustedCertificate = CertificateEd->text().trimmed().toStdString();
  return true;
}

// The password goes to the keyring only when the box is ticked, and leaves
// it when the box is cleared.
void TPublishForm::KeepPassword() {
  QString error;
  if (RememberBox->isChecked() && !PasswordEd->text().isEmpty()) {
    app::StorePassword(Account(), PasswordEd->text(), error);
    passwordWasStored_ = error.isEmpty();
  } else if (!RememberBox->isChecked() && passwordWasStored_) {
    app::ForgetPassword(Account());
    passwordWasStored_ = false;
  }
  if (!error.isEmpty()) AddLine("Schl\u00FCsselbund: " + error);
  app::SavePublishSettings(
      albumFile_,
      {ServerEd->text().trimmed(), FolderEd->text().trimmed(), UserEd->text().trimmed(), AlbumFolderEd->text(),
       CertificateEd->text().trimmed(), RememberBox->isChecked(), DeleteBox->isChecked()});
}

void TPublishForm::Start(bool dryRun, const std::string& acceptedHostKey) {
  if (Running()) return;
  ChangesMemo->clear();
  publish::PublishRequest request;
  if (!MakeRequest(dryRun, request)) return;
  request.Server.Security.AcceptNewHostKey = !acceptedHostKey.empty();
  request.Server.Security.AcceptedHostKey = acceptedHostKey;
  // Busy before the keyring is asked: its wait runs the event loop, and a
  // second click must not start a second run.
  SetRunning(true);
  stop_ = false;
  KeepPassword();
  if (stop_) {
    publish::PublishResult cancelled;
    cancelled.Outcome = publish::PublishOutcome::Cancelled;
    cancelled.StopReason = "Abgebrochen.";
    return RunEnded(cancelled, dryRun);
  }
  worker_ = std::thread([this, request, dryRun] {
    DialogObserver observer(
        this, stop_, [this](int n, int count, uint64_t done, uint64_t total) { ShowProgress(n, count, done, total); },
        [this](const QString& line) { AddLine(line); });
    const publish::PublishResult result = publish::Publish(request, observer);
    QMetaObject::invokeMethod(
        this, [this, result, dryRun] { RunEnded(result, dryRun); }, Qt::QueuedConnection);
  });
}

void TPublishForm::ShowProgress(int number, int count, uint64_t done, uint64_t total) {
  ProgressBar->setValue(total == 0 ? 1000 : static_cast<int>(done * 1000 / total));
  ProgressLabel->setText(
      QString("Datei %1 von %2, %3 von %4").arg(number).arg(count).arg(Kilobytes(done), Kilobytes(total)));
}

void TPublishForm::RunEnded(const publish::PublishResult& result, bool dryRun) {
  if (worker_.joinable()) worker_.join();
  SetRunning(false);
  using publish::PublishOutcome;
  if (!result.UnknownHostKey.empty()) {
    const QString question = QString::fromStdString(result.StopReason) +
                             "\n\nWollen Sie diesem Schl\u00FCssel vertrauen und ihn in ~/.ssh/known_hosts aufnehmen?";
    if (AskHostKey(question)) return Start(dryRun, result.UnknownHostKey);
  }
  if (!result.StopReason.empty()) AddLine(QString::fromStdString(result.StopReason));
  if (dryRun && result.Outcome == PublishOutcome::Completed) {
    for (const std::string& line : publish::DescribeChanges(result.Plan)) AddLine(QString::fromStdString(line));
    if (result.Plan.Empty()) ProgressLabel->setText("Keine \u00C4nderungen.");
  } else if (!dryRun && result.Outcome != PublishOutcome::Stopped) {
    ProgressLabel->setText(QString("%1 %2 gesendet (%3), %4 fehlgeschlagen.")
                               .arg(result.FilesSent)
                               .arg(result.FilesSent == 1 ? "Datei" : "Dateien")
                               .arg(Kilobytes(result.BytesSent))
                               .arg(result.FilesFailed));
  }
  emit RunFinished();
}

void TPublishForm::SetRunning(bool running) {
  running_ = running;
  for (QWidget* control :
       {static_cast<QWidget*>(DryRunBtn), static_cast<QWidget*>(PublishBtn), static_cast<QWidget*>(ServerEd),
        static_cast<QWidget*>(FolderEd), static_cast<QWidget*>(UserEd), static_cast<QWidget*>(PasswordEd),
        static_cast<QWidget*>(AlbumFolderEd), static_cast<QWidget*>(CertificateEd)})
    control->setEnabled(!running);
  CancelBtn->setText(running ? "Abbrechen" : "Schlie\u00DFen");
  if (running) ProgressBar->setValue(0);
}

void TPublishForm::AddLine(const QString& line) {
  ChangesMemo->appendPlainText(QString::fromStdString(publish::PrintableText(line.toStdString())));
}

void ShowPublishForm(QWidget* parent, const QString& albumFile) {
  TPublishForm form(albumFile, parent);
  form.exec();
}

}  // namespace app
