#pragma once
// The server address of a publish: sftp://host[:port]/path,
// ftp://host[:port]/path (FTP with explicit TLS) or https://host[:port]/path
// (WebDAV). A password in the address is refused: passwords never travel on
// the command line or in settings files.
#include <optional>
#include <string>

namespace publish {

enum class Protocol { Sftp, Ftp, WebDav };

struct PublishTarget {
  Protocol Scheme = Protocol::Sftp;
  std::string Host;
  int Port = 0;        // 0: the protocol's default
  std::string Folder;  // the album folder on the server, "/" separated, no trailing "/"
  std::string User;    // from "user@host", if given there
};

// The target, or none with a German message in `error`.
std::optional<PublishTarget> ParsePublishUrl(const std::string& url, std::string& error);

// "host" or "host:port", for messages.
std::string HostLabel(const PublishTarget& target);

}  // namespace publish
