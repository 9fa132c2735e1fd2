#pragma once
// The few SFTP (version 3) packets a rename over a bare SSH channel needs.
// Replies come from the server and are read as untrusted input: every length
// is checked against the bytes that are there.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace publish {

enum class SftpType : uint8_t { Init = 1, Version = 2, Status = 101, Extended = 200 };

// Status codes of a STATUS reply that matter here.
constexpr uint32_t kSftpOk = 0;
constexpr uint32_t kSftpOpUnsupported = 8;

// OpenSSH's extension that renames over an existing file in one step, and
// the version of it that a server announces.
constexpr std::string_view kSftpPosixRename = "posix-rename@openssh.com";
constexpr std::string_view kSftpPosixRenameVersion = "1";

// Larger replies are refused; a VERSION or STATUS reply is a few hundred bytes.
constexpr uint32_t kSftpMaxPacket = 256 * 1024;

// Whole packets, with their length in front, ready to send.
std::string SftpInitPacket();
std::string SftpPosixRenamePacket(uint32_t id, std::string_view from, std::string_view to);

// The length a packet's first four bytes announce; none for an empty packet
// or one above kSftpMaxPacket.
std::optional<uint32_t> SftpPacketLength(std::string_view header);

// The extensions a VERSION packet (without its length) announces, name to
// data; none when it is no VERSION packet or is malformed.
std::optional<std::map<std::string, std::string>> ParseSftpVersion(std::string_view packet);

struct SftpStatus {
  uint32_t Id = 0;
  uint32_t Code = 0;
  std::string Message;  // may be empty: old servers send none
};
// A STATUS packet (without its length); none when it is none or is malformed.
std::optional<SftpStatus> ParseSftpStatus(std::string_view packet);

}  // namespace publish
