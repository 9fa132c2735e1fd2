#pragma once
// Real servers for the publish tests, on 127.0.0.1 with keys, certificates
// and passwords made for the test: OpenSSH's sshd (SFTP), pyftpdlib (FTP with
// explicit TLS) and lighttpd (WebDAV over HTTPS). Each dies with its owner,
// and with the test process if that crashes.
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "publish/PublishUrl.h"
#include "support/CliRunner.h"

namespace fs = std::filesystem;

// A server process in its own process group, killed with its children.
class ServerProcess {
 public:
  ServerProcess(const std::vector<std::string>& command, const fs::path& log);
  ~ServerProcess();
  void Kill();

 private:
  pid_t pid_ = -1;
};

// One server of one protocol with the folder it serves.
class TestServer {
 public:
  virtual ~TestServer() = default;
  // Starts the server; false (with the reason in `error`) when it does not answer.
  bool Start(std::string& error);
  void Kill() { process_.reset(); }
  // "scheme://127.0.0.1:port" and the album folder on it.
  virtual std::string Address() const = 0;
  virtual std::string RemoteFolder() const { return "/album"; }
  std::string Url() const { return Address() + RemoteFolder(); }
  fs::path Certificate() const { return work_ / "cert.pem"; }
  virtual publish::Protocol Scheme() const = 0;
  // The folder on disk whose content the server serves at Url().
  fs::path Served() const { return work_ / "served" / "album"; }
  const fs::path& Home() const { return home_; }
  const std::string& User() const { return user_; }
  const std::string& Password() const { return password_; }
  const fs::path& Work() const { return work_; }
  // Command-line options a publish to this server needs besides the password.
  virtual std::vector<std::string> TrustOptions() const { return {}; }
  virtual std::string Name() const = 0;
  // From the next Start on, the server neither offers nor answers these
  // requests, as OpenSSH's sftp-server -P names them ("rename,posix-rename").
  // SFTP only.
  virtual void RefuseSftpRequests(const std::string& /*requests*/) {}
  // The SFTP server's log: one line per request, such as
  // `posix-rename old "/a/.x.lvpart" new "/a/x"`. SFTP only.
  fs::path SftpLog() const { return work_ / "sftp.log"; }

  explicit TestServer(const fs::path& work);

 protected:
  virtual bool Prepare(std::string& error) = 0;
  virtual std::vector<std::string> Command() const = 0;
  bool MakeCertificate(std::string& error);

  fs::path work_;
  fs::path home_;  // the publishing user's HOME, with ~/.ssh
  int port_ = 0;
  std::string user_;
  std::string password_;
  std::unique_ptr<ServerProcess> process_;
};

std::unique_ptr<TestServer> MakeSftpServer(const fs::path& work);
std::unique_ptr<TestServer> MakeFtpsServer(const fs::path& work);
std::unique_ptr<TestServer> MakeWebDavServer(const fs::path& work);
// FTP without TLS, which a publish refuses unless told otherwise.
std::unique_ptr<TestServer> MakePlainFtpServer(const fs::path& work);

// Runs a shell command; false when it fails.
bool RunQuietly(const std::string& command);
std::string ReadAll(const fs::path& path);
void WriteAll(const fs::path& path, const std::string& bytes);
// Regular files below `folder`, relative path to content, hidden ones left out.
std::map<std::string, std::string> FilesBelow(const fs::path& folder);
// The relative paths whose content differs between two folders (or that only
// one holds), one per line; empty when they hold the same files.
std::string Differences(const fs::path& one, const fs::path& other);

// A built album's layout: overview page, html, pics and mini, three pictures.
void MakeAlbumFolder(const fs::path& album);
std::string RandomBytes(size_t size, unsigned seed);

// lumivista-cli publish ALBUM URL with the server's user, password (on
// standard input; none: SFTP logs in with the user's key) and HOME, run in
// the server's work folder.
CliResult RunPublishCommand(const TestServer& server, const fs::path& album, std::vector<std::string> extra,
                            const std::string& password);
