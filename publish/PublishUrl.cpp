#include "publish/PublishUrl.h"

#include <charconv>

namespace publish {
namespace {

bool TakeScheme(std::string& rest, PublishTarget& target) {
  const std::pair<const char*, Protocol> schemes[] = {
      {"sftp://", Protocol::Sftp}, {"ftp://", Protocol::Ftp}, {"https://", Protocol::WebDav}};
  for (const auto& [prefix, protocol] : schemes) {
    if (rest.starts_with(prefix)) {
      rest.erase(0, std::char_traits<char>::length(prefix));
      target.Scheme = protocol;
      return true;
    }
  }
  return false;
}

bool TakePort(std::string& hostPort, PublishTarget& target) {
  const size_t colon = hostPort.rfind(':');
  if (colon == std::string::npos || hostPort.find(']', colon) != std::string::npos) return true;
  const std::string digits = hostPort.substr(colon + 1);
  hostPort.erase(colon);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), target.Port);
  return error == std::errc() && end == digits.data() + digits.size() && target.Port > 0 && target.Port < 65536;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::optional<PublishTarget> ParsePublishUrl(const std::string& url, std::string& error) {
  PublishTarget target;
  std::string rest = url;
  if (!TakeScheme(rest, target)) {
    error = "Die Adresse \"" + url + "\" muss mit sftp://, ftp:// oder https:// beginnen.";
    return std::nullopt;
  }
  const size_t slash = rest.find('/');
  std::string authority = rest.substr(0, slash);
  target.Folder = slash == std::string::npos ? "/" : WithoutTrailingSlashes(rest.substr(slash));
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    target.User = authority.substr(0, at);
    authority.erase(0, at + 1);
    if (target.User.find(':') != std::string::npos) {
      error =
          "Die Adresse darf kein Passwort enthalten; geben Sie es \xC3\xBC"
          "ber die Standardeingabe ein.";
      return std::nullopt;
    }
  }
  if (!TakePort(authority, target) || authority.empty()) {
    error = "In der Adresse fehlt der Server oder der Port ist ung\xC3\xBCltig.";
    return std::nullopt;
  }
  for (const char c : url)
    if (static_cast<unsigned char>(c) < 0x20) {
      error = "Die Adresse enth\xC3\xA4lt Steuerzeichen.";
      return std::nullopt;
    }
  target.Host = authority;
  return target;
}

std::string HostLabel(const PublishTarget& target) {
  return target.Port == 0 ? target.Host : target.Host + ":" + std::to_string(target.Port);
}

}  // namespace publish
