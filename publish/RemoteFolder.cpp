#include "publish/RemoteFolder.h"

namespace publish {

std::unique_ptr<RemoteFolder> OpenSftpFolder(const Connection& connection, TransferHooks& hooks);
std::unique_ptr<RemoteFolder> OpenFtpFolder(const Connection& connection, TransferHooks& hooks);
std::unique_ptr<RemoteFolder> OpenWebDavFolder(const Connection& connection, TransferHooks& hooks);

std::unique_ptr<RemoteFolder> OpenRemoteFolder(const Connection& connection, TransferHooks& hooks) {
  switch (connection.Target.Scheme) {
    case Protocol::Sftp:
      return OpenSftpFolder(connection, hooks);
    case Protocol::Ftp:
      return OpenFtpFolder(connection, hooks);
    case Protocol::WebDav:
      return OpenWebDavFolder(connection, hooks);
  }
  return nullptr;
}

namespace {

std::string HiddenSibling(const std::string& path, const char* suffix) {
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, nameStart) + "." + path.substr(nameStart) + suffix;
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return HiddenSibling(path, ".lvpart"); }
std::string AsidePathFor(const std::string& path) { return HiddenSibling(path, ".lvold"); }

}  // namespace publish
