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

}  // namespace publish
