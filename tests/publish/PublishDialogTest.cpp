// The publish dialog against real servers: its dry run lists what the
// command line lists, it publishes, it asks about an unknown host key, and it
// keeps the password in a real Secret Service (gnome-keyring-daemon on a
// private D-Bus session bus) only while asked to.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <chrono>
#include <thread>

#include "TestServers.h"
#include "app/PublishForm.h"
#include "app/PublishSettings.h"
#include "support/RunTests.h"

using app::TPublishForm;

namespace {

std::string Lines(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  return text.isEmpty() ? std::string() : text.toStdString() + "\n";
}

// Clicks `button` and waits until the run it started has ended.
void RunAndWait(TPublishForm& form, QPushButton* button) {
  QSignalSpy finished(&form, &TPublishForm::RunFinished);
  button->click();
  ASSERT_TRUE(finished.wait(30000));
}

class PublishDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ::alarm(120);
    char pattern[] = "/tmp/lumivista-dialog-XXXXXX";
    work_ = ::mkdtemp(pattern);
    album_ = work_ / "album";
    MakeAlbumFolder(album_);
  }
  void TearDown() override {
    servers_.clear();
    fs::remove_all(work_);
    ::alarm(0);
  }

  TestServer& Start(std::unique_ptr<TestServer> server) {
    std::string error;
    EXPECT_TRUE(server->Start(error)) << error;
    servers_.push_back(std::move(server));
    return *servers_.back();
  }

  void Fill(TPublishForm& form, const TestServer& server) const {
    form.ServerEd->setText(QString::fromStdString(server.Address()));
    form.FolderEd->setText(QString::fromStdString(server.RemoteFolder()));
    form.UserEd->setText(QString::fromStdString(server.User()));
    form.AlbumFolderEd->setText(QString::fromStdString(album_.string()));
    if (server.Scheme() != publish::Protocol::Sftp) {
      form.PasswordEd->setText(QString::fromStdString(server.Password()));
      form.CertificateEd->setText(QString::fromStdString(server.Certificate().string()));
    }
  }

  QString AlbumFile() const { return QString::fromStdString((work_ / "Urlaub.lva").string()); }

  fs::path work_;
  fs::path album_;
  std::vector<std::unique_ptr<TestServer>> servers_;
};

TEST_F(PublishDialog, DryRunListsWhatTheCommandLineListsAndAnUnknownHostKeyIsAsked) {
  TestServer& server = Start(MakeSftpServer(work_ / "sftp"));
  fs::remove(server.Home() / ".ssh" / "known_hosts");
  ::setenv("HOME", server.Home().c_str(), 1);
  ::unsetenv("SSH_AUTH_SOCK");
  TPublishForm form(AlbumFile());
  Fill(form, server);
  QString asked;
  form.AskHostKey = [&](const QString& question) {
    asked = question;
    return true;
  };

  RunAndWait(form, form.DryRunBtn);
  EXPECT_TRUE(asked.contains("SHA256:")) << asked.toStdString();
  const CliResult cliFirst = RunPublishCommand(server, album_, {"--dry-run"}, "");
  ASSERT_EQ(cliFirst.status, 0) << cliFirst.err;
  EXPECT_EQ(Lines(form.ChangesMemo), cliFirst.out);
  EXPECT_NE(cliFirst.out.find("neu: index.htm\n"), std::string::npos);
  EXPECT_TRUE(FilesBelow(server.Served()).empty());

  RunAndWait(form, form.PublishBtn);
  EXPECT_EQ(Differences(server.Served(), album_), "") << Lines(form.ChangesMemo);
  EXPECT_TRUE(form.CancelBtn->isEnabled());
  EXPECT_TRUE(form.PublishBtn->isEnabled());

  WriteAll(album_ / "html" / "3.htm", "<html>picture 3, new comment</html>");
  RunAndWait(form, form.DryRunBtn);
  const CliResult cliSecond = RunPublishCommand(server, album_, {"--dry-run"}, "");
  EXPECT_EQ(cliSecond.out, "ge\xC3\xA4ndert: html/3.htm\n");
  EXPECT_EQ(Lines(form.ChangesMemo), cliSecond.out);
  RunAndWait(form, form.PublishBtn);
  EXPECT_TRUE(form.ProgressLabel->text().startsWith("1 Datei gesendet (")) << form.ProgressLabel->text().toStdString();
  ::unsetenv("HOME");
}

TEST_F(PublishDialog, CancelStopsTheUploadWithoutPartialFilesAndTheDialogStaysUsable) {
  TestServer& server = Start(MakeWebDavServer(work_ / "webdav"));
  WriteAll(album_ / "pics" / "big.jpg", RandomBytes(32u << 20, 5));
  TPublishForm form(AlbumFile());
  Fill(form, server);
  QSignalSpy finished(&form, &TPublishForm::RunFinished);
  form.PublishBtn->click();
  EXPECT_FALSE(form.PublishBtn->isEnabled());
  EXPECT_EQ(form.CancelBtn->text(), "Abbrechen");
  for (int i = 0; i < 2000 && form.ProgressBar->value() == 0 && finished.isEmpty(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  form.CancelBtn->click();
  ASSERT_TRUE(finished.wait(30000) || !finished.isEmpty());
  EXPECT_TRUE(form.ChangesMemo->toPlainText().contains("Abgebrochen.")) << Lines(form.ChangesMemo);
  // What arrived is whole and listed for the next run; the overview goes up last.
  EXPECT_FALSE(fs::exists(server.Served() / "index.htm"));
  const std::string manifest = ReadAll(server.Served() / ".lumivista-manifest");
  const std::map<std::string, std::string> local = FilesBelow(album_);
  for (const auto& [path, bytes] : FilesBelow(server.Served())) {
    EXPECT_TRUE(bytes == local.at(path)) << path;
    EXPECT_NE(manifest.find(" " + path + "\n"), std::string::npos) << path;
  }

  EXPECT_EQ(form.CancelBtn->text(), QString::fromUtf8("Schlie\xC3\x9F"
                                                      "en"));
  RunAndWait(form, form.PublishBtn);
  EXPECT_EQ(Differences(server.Served(), album_), "");
}

TEST_F(PublishDialog, AlbumFolderIsTheAlbumsLastOutputFolderElseItsOwnFolder) {
  const QString album = AlbumFile();
  EXPECT_EQ(TPublishForm(album).AlbumFolderEd->text().toStdString(), work_.string());
  app::RememberOutputFolder(album, QString::fromStdString((album_ / "index.htm").string()));
  EXPECT_EQ(TPublishForm(album).AlbumFolderEd->text().toStdString(), album_.string());
  EXPECT_EQ(TPublishForm(QString::fromStdString((work_ / "Other.lva").string())).AlbumFolderEd->text().toStdString(),
            work_.string());
}

// A private session bus with gnome-keyring-daemon owning the Secret Service.
class PrivateKeyring {
 public:
  explicit PrivateKeyring(const fs::path& work) {
    fs::create_directories(work / "data");
    fs::create_directories(work / "run");
    ::chmod((work / "run").c_str(), 0700);
    const std::string address = "unix:path=" + (work / "bus").string();
    ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (work / "run").c_str(), 1);
    ::setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    bus_ = std::make_unique<ServerProcess>(
        std::vector<std::string>{"/usr/bin/dbus-daemon", "--session", "--nofork", "--address=" + address},
        work / "bus.log");
    // --unlock makes the login keyring with a throw-away password, unlocked.
    keyring_ = std::make_unique<ServerProcess>(
        std::vector<std::string>{"/bin/sh", "-c",
                                 "sleep 0.2; printf throwaway | exec /usr/bin/gnome-keyring-daemon --foreground "
                                 "--unlock --components=secrets"},
        work / "keyring.log");
    for (int i = 0; i < 200 && !ready_; ++i) {
      ready_ = RunQuietly(
          "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus "
          "org.freedesktop.DBus.GetNameOwner string:org.freedesktop.secrets");
      if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  }
  ~PrivateKeyring() {
    keyring_.reset();
    bus_.reset();
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CURRENT_DESKTOP"})
      ::unsetenv(name);
  }
  bool ready_ = false;

 private:
  std::unique_ptr<ServerProcess> bus_;
  std::unique_ptr<ServerProcess> keyring_;
};

TEST_F(PublishDialog, KeyringKeepsThePasswordOnlyWhileTheBoxIsTicked) {
  PrivateKeyring keyring(work_ / "keyring");
  ASSERT_TRUE(keyring.ready_) << ReadAll(work_ / "keyring" / "keyring.log");
  TestServer& server = Start(MakeWebDavServer(work_ / "webdav"));
  {
    TPublishForm form(AlbumFile());
    Fill(form, server);
    form.RememberBox->setChecked(true);
    RunAndWait(form, form.PublishBtn);
    EXPECT_EQ(Differences(server.Served(), album_), "") << Lines(form.ChangesMemo);
  }
  EXPECT_TRUE(fs::exists(work_ / "keyring" / "data" / "keyrings" / "login.keyring"));
  const std::string settings = ReadAll(QSettings("Vendrix", "Web Lumivista").fileName().toStdString());
  EXPECT_NE(settings.find(server.Address()), std::string::npos);
  EXPECT_EQ(settings.find(server.Password()), std::string::npos);
  {
    TPublishForm form(AlbumFile());
    EXPECT_EQ(form.ServerEd->text().toStdString(), server.Address());
    EXPECT_EQ(form.PasswordEd->text().toStdString(), server.Password()) << Lines(form.ChangesMemo);
    EXPECT_TRUE(form.RememberBox->isChecked());
    form.RememberBox->setChecked(false);
    RunAndWait(form, form.DryRunBtn);
    EXPECT_EQ(Lines(form.ChangesMemo), "");
  }
  TPublishForm forgotten(AlbumFile());
  EXPECT_FALSE(forgotten.RememberBox->isChecked());
  EXPECT_EQ(forgotten.PasswordEd->text(), "");
  EXPECT_EQ(TPublishForm(QString()).ServerEd->text(), "");  // another album keeps its own settings
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings go to a folder of this test process, never the user's.
  const QString settings = QDir::temp().filePath("lumivista-publish-settings-" + QString::number(::getpid()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
  QApplication application(argc, argv);
  const int result = testsupport::RunTests();
  QDir(settings).removeRecursively();
  return result;
}
