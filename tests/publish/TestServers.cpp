#include "TestServers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "publish/SshHostKeys.h"

namespace {

int FreePort() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(socket);
  return ntohs(address.sin_port);
}

bool Answers(int port) {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool connected = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(socket);
  return connected;
}

std::string RandomSecret() {
  std::ifstream random("/dev/urandom", std::ios::binary);
  std::string secret;
  for (int i = 0; i < 12; ++i) secret += "abcdefghijkmnpqrstuvwxyz23456789"[random.get() & 31];
  return secret;
}

std::string Quote(const fs::path& path) { return ShellQuoted(path.string()); }

class SftpServer : public TestServer {
 public:
  using TestServer::TestServer;
  std::string Address() const override { return "sftp://127.0.0.1:" + std::to_string(port_); }
  std::string RemoteFolder() const override { return Served().string(); }
  publish::Protocol Scheme() const override { return publish::Protocol::Sftp; }
  std::string Name() const override { return "sftp"; }

 private:
  bool Prepare(std::string& error) override {
    user_ = publish::LocalUserName();
    const fs::path ssh = home_ / ".ssh";
    fs::create_directories(ssh);
    ::chmod(ssh.c_str(), 0700);
    if (!RunQuietly("ssh-keygen -q -t ed25519 -N '' -C publisher -f " + Quote(ssh / "id_ed25519")) ||
        !RunQuietly("ssh-keygen -q -t ed25519 -N '' -C server -f " + Quote(work_ / "host_key"))) {
      error = "ssh-keygen failed";
      return false;
    }
    fs::copy_file(ssh / "id_ed25519.pub", work_ / "authorized_keys");
    std::istringstream hostKey(ReadAll(work_ / "host_key.pub"));
    std::string type, key;
    hostKey >> type >> key;
    WriteAll(ssh / "known_hosts", "[127.0.0.1]:" + std::to_string(port_) + " " + type + " " + key + "\n");
    // sshd running as root insists on its privilege separation folder.
    if (::getuid() == 0) fs::create_directories("/run/sshd");
    WriteConfig();
    return true;
  }
  void WriteConfig() const {
    WriteAll(work_ / "sshd_config",
             "Port " + std::to_string(port_) + "\nListenAddress 127.0.0.1\nHostKey " + (work_ / "host_key").string() +
                 "\nPidFile none\nAuthorizedKeysFile " + (work_ / "authorized_keys").string() +
                 "\nPubkeyAuthentication yes\nPasswordAuthentication yes\nKbdInteractiveAuthentication no\n"
                 "UsePAM no\nPermitRootLogin yes\nStrictModes no\nAllowUsers " +
                 user_ +
                 // OpenSSH's own server program rather than internal-sftp: its log of
                 // requests goes to a file here, where internal-sftp's goes to syslog.
                 "\nSubsystem sftp /usr/lib/openssh/sftp-server -e -l INFO" +
                 (refusedRequests_.empty() ? "" : " -P " + refusedRequests_) + " 2>>" + Quote(SftpLog()) +
                 "\nLogLevel ERROR\n");
  }
  void RefuseSftpRequests(const std::string& requests) override {
    refusedRequests_ = requests;
    WriteConfig();
  }
  std::vector<std::string> Command() const override {
    return {"/usr/sbin/sshd", "-D", "-e", "-f", (work_ / "sshd_config").string()};
  }

  std::string refusedRequests_;
};

class FtpsServer : public TestServer {
 public:
  FtpsServer(const fs::path& work, bool plain) : TestServer(work), plain_(plain) {}
  std::string Address() const override { return "ftp://127.0.0.1:" + std::to_string(port_); }
  publish::Protocol Scheme() const override { return publish::Protocol::Ftp; }
  std::string Name() const override { return "ftps"; }
  std::vector<std::string> TrustOptions() const override {
    return {"--accept-self-signed", (work_ / "cert.pem").string()};
  }

 private:
  bool Prepare(std::string& error) override { return MakeCertificate(error); }
  std::vector<std::string> Command() const override {
    std::vector<std::string> command{"/usr/bin/python3",
                                     LUMIVISTA_SOURCE_DIR "/tests/publish/ftps_server.py",
                                     (work_ / "served").string(),
                                     user_,
                                     password_,
                                     (work_ / "cert.pem").string(),
                                     (work_ / "key.pem").string(),
                                     std::to_string(port_)};
    if (plain_) command.push_back("plain");
    return command;
  }

  bool plain_;
};

class WebDavServer : public TestServer {
 public:
  using TestServer::TestServer;
  std::string Address() const override { return "https://127.0.0.1:" + std::to_string(port_); }
  publish::Protocol Scheme() const override { return publish::Protocol::WebDav; }
  std::string Name() const override { return "webdav"; }
  std::vector<std::string> TrustOptions() const override {
    return {"--accept-self-signed", (work_ / "cert.pem").string()};
  }

 private:
  bool Prepare(std::string& error) override {
    if (!MakeCertificate(error)) return false;
    fs::create_directories(work_ / "uploads");
    WriteAll(work_ / "users", user_ + ":" + password_ + "\n");
    WriteAll(work_ / "lighttpd.conf",
             "server.modules = (\"mod_webdav\", \"mod_auth\", \"mod_authn_file\", \"mod_openssl\")\n"
             "server.document-root = \"" +
                 (work_ / "served").string() +
                 "\"\n"
                 "server.bind = \"127.0.0.1\"\nserver.port = " +
                 std::to_string(port_) +
                 "\n"
                 // Tests change served files behind the server's back; a cached size would cut them.
                 "server.stat-cache-engine = \"disable\"\n"
                 "server.upload-dirs = (\"" +
                 (work_ / "uploads").string() +
                 "\")\n"
                 "server.errorlog = \"" +
                 (work_ / "lighttpd-error.log").string() +
                 "\"\n"
                 "ssl.engine = \"enable\"\nssl.pemfile = \"" +
                 (work_ / "cert.pem").string() +
                 "\"\n"
                 "ssl.privkey = \"" +
                 (work_ / "key.pem").string() +
                 "\"\n"
                 "webdav.activate = \"enable\"\nwebdav.is-readonly = \"disable\"\n"
                 "auth.backend = \"plain\"\nauth.backend.plain.userfile = \"" +
                 (work_ / "users").string() +
                 "\"\n"
                 "auth.require = (\"/\" => (\"method\" => \"basic\", \"realm\" => \"album\", \"require\" => "
                 "\"valid-user\"))\n");
    return true;
  }
  std::vector<std::string> Command() const override {
    return {"/usr/sbin/lighttpd", "-D", "-f", (work_ / "lighttpd.conf").string()};
  }
};

}  // namespace

ServerProcess::ServerProcess(const std::vector<std::string>& command, const fs::path& log) {
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ != 0) return;
  ::setpgid(0, 0);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);
  const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  ::dup2(out, 1);
  ::dup2(out, 2);
  std::vector<char*> args;
  for (const std::string& arg : command) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  ::_exit(127);
}

ServerProcess::~ServerProcess() { Kill(); }

// sshd serves each connection in a process of its own session, so the
// server's process group alone does not reach it.
std::vector<pid_t> DescendantsOf(pid_t root) {
  std::map<pid_t, pid_t> parents;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = ReadAll(entry.path() / "stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 2));
    char state;
    pid_t parent = 0;
    fields >> state >> parent;
    parents[std::stoi(name)] = parent;
  }
  std::vector<pid_t> found{root};
  for (size_t i = 0; i < found.size(); ++i)
    for (const auto& [pid, parent] : parents)
      if (parent == found[i]) found.push_back(pid);
  return found;
}

void ServerProcess::Kill() {
  if (pid_ <= 0) return;
  for (const pid_t pid : DescendantsOf(pid_)) ::kill(pid, SIGKILL);
  ::kill(-pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

TestServer::TestServer(const fs::path& work)
    : work_(work), home_(work / "home"), user_("publisher"), password_(RandomSecret()) {
  fs::create_directories(home_);
  fs::create_directories(work_ / "served");
}

bool TestServer::Start(std::string& error) {
  if (port_ == 0) {
    port_ = FreePort();
    if (!Prepare(error)) return false;
  }
  process_ = std::make_unique<ServerProcess>(Command(), work_ / "server.log");
  for (int i = 0; i < 200; ++i) {
    if (Answers(port_)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  process_.reset();
  error = Name() + " server did not start: " + ReadAll(work_ / "server.log") + ReadAll(work_ / "lighttpd-error.log");
  return false;
}

bool TestServer::MakeCertificate(std::string& error) {
  const bool made = RunQuietly(
      "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 -subj /CN=127.0.0.1 "
      "-addext subjectAltName=IP:127.0.0.1 -keyout " +
      Quote(work_ / "key.pem") + " -out " + Quote(work_ / "cert.pem"));
  if (!made) error = "openssl could not make a certificate";
  return made;
}

std::unique_ptr<TestServer> MakeSftpServer(const fs::path& work) { return std::make_unique<SftpServer>(work); }
std::unique_ptr<TestServer> MakeFtpsServer(const fs::path& work) { return std::make_unique<FtpsServer>(work, false); }
std::unique_ptr<TestServer> MakePlainFtpServer(const fs::path& work) {
  return std::make_unique<FtpsServer>(work, true);
}
std::unique_ptr<TestServer> MakeWebDavServer(const fs::path& work) { return std::make_unique<WebDavServer>(work); }

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string ReadAll(const fs::path& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
    if (it->path().filename().string().starts_with(".")) {
      if (it->is_directory()) it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file()) files[fs::relative(it->path(), folder).generic_string()] = ReadAll(it->path());
  }
  return files;
}

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

void MakeAlbumFolder(const fs::path& album) {
  WriteAll(album / "index.htm", "<html>overview</html>");
  for (int i = 1; i <= 3; ++i) {
    const std::string n = std::to_string(i);
    WriteAll(album / "html" / (n + ".htm"), "<html>picture " + n + "</html>");
    WriteAll(album / "pics" / (n + ".jpg"), RandomBytes(40000 + i, i));
    WriteAll(album / "mini" / (n + ".jpg"), RandomBytes(3000 + i, 10 + i));
  }
}

CliResult RunPublishCommand(const TestServer& server, const fs::path& album, std::vector<std::string> extra,
                            const std::string& password) {
  const fs::path& work = server.Work();
  std::string command =
      "cd " + ShellQuoted(work.string()) + " && env -u SSH_AUTH_SOCK HOME=" + ShellQuoted(server.Home().string()) +
      " " + ShellQuoted(LUMIVISTA_CLI) + " publish " + ShellQuoted(album.string()) + " " + ShellQuoted(server.Url());
  if (server.Scheme() != publish::Protocol::Sftp || !password.empty())
    extra.insert(extra.end(), {"--user", server.User(), "--password-stdin"});
  for (const std::string& arg : extra) {
    command += ' ';
    command += ShellQuoted(arg);
  }
  WriteAll(work / "stdin", password + "\n");
  command += " < stdin > stdout 2> stderr";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(work / "stdout"), ReadAll(work / "stderr")};
}

std::string Differences(const fs::path& one, const fs::path& other) {
  const std::map<std::string, std::string> first = FilesBelow(one);
  const std::map<std::string, std::string> second = FilesBelow(other);
  std::string differing;
  for (const auto& [path, bytes] : first)
    if (!second.contains(path) || second.at(path) != bytes) differing += path + "\n";
  for (const auto& [path, bytes] : second)
    if (!first.contains(path)) differing += path + "\n";
  return differing;
}
