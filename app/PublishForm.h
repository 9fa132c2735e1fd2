#pragma once
// The dialog behind "Hochladen..." on the page "Informationen zum Hochladen":
// publishes a built album folder to a web server (SFTP, FTP with TLS,
// WebDAV), only what changed. The upload runs on a worker thread of its own,
// so the dialog stays responsive and can cancel it.
#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtMessages.h"
#include "publish/Publisher.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace app {

class TPublishForm : public QDialog {
  Q_OBJECT

 public:
  // `albumFile` keys the remembered settings; empty for an unsaved album.
  explicit TPublishForm(const QString& albumFile, QWidget* parent = nullptr);
  ~TPublishForm() override;

  // Asked when the SFTP server's host key is unknown; true trusts it. A
  // question box by default; tests answer it themselves.
  std::function<bool(const QString& question)> AskHostKey;

  QLineEdit* ServerEd;
  QLineEdit* FolderEd;
  QLineEdit* UserEd;
  QLineEdit* PasswordEd;
  QCheckBox* RememberBox;
  QLineEdit* AlbumFolderEd;
  QLineEdit* CertificateEd;
  QCheckBox* DeleteBox;
  QPushButton* DryRunBtn;
  QPushButton* PublishBtn;
  QPushButton* CancelBtn;
  QPlainTextEdit* ChangesMemo;
  QProgressBar* ProgressBar;
  QLabel* ProgressLabel;

  bool Running() const { return running_; }

 signals:
  void RunFinished();

 private:
  void DryRunBtnClick() { Start(true, {}); }
  void PublishBtnClick() { Start(false, {}); }
  void CancelBtnClick();
  void AlbumFolderBtnClick();
  void Start(bool dryRun, const std::string& acceptedHostKey);
  bool MakeRequest(bool dryRun, publish::PublishRequest& request);
  void KeepPassword();
  void ShowProgress(int number, int count, uint64_t done, uint64_t total);
  void RunEnded(const publish::PublishResult& result, bool dryRun);
  void SetRunning(bool running);
  void AddLine(const QString& line);
  QString Account() const;

  QString albumFile_;
  platform::QtMessages messages_{this};
  platform::QtFileDialogs dialogs_{this};
  bool passwordWasStored_ = false;
  bool running_ = false;
  std::atomic<bool> stop_{false};
  std::thread worker_;
};

// Opens the dialog for the album saved as `albumFile` (empty: not saved yet).
void ShowPublishForm(QWidget* parent, const QString& albumFile);

}  // namespace app
