#include "publish/SftpPackets.h"

namespace publish {
namespace {

void PutWord(std::string& bytes, uint32_t word) {
  for (const int shift : {24, 16, 8, 0}) bytes += static_cast<char>((word >> shift) & 0xFF);
}

void PutText(std::string& bytes, std::string_view text) {
  PutWord(bytes, static_cast<uint32_t>(text.size()));
  bytes += text;
}

// The body with its length in front.
std::string Framed(const std::string& body) {
  std::string packet;
  PutWord(packet, static_cast<uint32_t>(body.size()));
  return packet + body;
}

// Reads a packet front to back; each read fails once the bytes run out.
class WireReader {
 public:
  explicit WireReader(std::string_view bytes) : rest_(bytes) {}
  std::optional<uint8_t> Byte() {
    if (rest_.empty()) return std::nullopt;
    const auto byte = static_cast<uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  std::optional<uint32_t> Word() {
    if (rest_.size() < 4) return std::nullopt;
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word = word << 8 | static_cast<uint8_t>(rest_[static_cast<size_t>(i)]);
    rest_.remove_prefix(4);
    return word;
  }
  std::optional<std::string_view> Text() {
    const std::optional<uint32_t> length = Word();
    if (!length || *length > rest_.size()) return std::nullopt;
    const std::string_view text = rest_.substr(0, *length);
    rest_.remove_prefix(*length);
    return text;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

bool IsType(WireReader& reader, SftpType type) { return reader.Byte() == static_cast<uint8_t>(type); }

}  // namespace

std::string SftpInitPacket() {
  std::string body(1, static_cast<char>(SftpType::Init));
  PutWord(body, 3);
  return Framed(body);
}

std::string SftpPosixRenamePacket(uint32_t id, std::string_view from, std::string_view to) {
  std::string body(1, static_cast<char>(SftpType::Extended));
  PutWord(body, id);
  PutText(body, kSftpPosixRename);
  PutText(body, from);
  PutText(body, to);
  return Framed(body);
}

std::optional<uint32_t> SftpPacketLength(std::string_view header) {
  const std::optional<uint32_t> length = WireReader(header).Word();
  if (!length || *length == 0 || *length > kSftpMaxPacket) return std::nullopt;
  return length;
}

std::optional<std::map<std::string, std::string>> ParseSftpVersion(std::string_view packet) {
  WireReader reader(packet);
  if (!IsType(reader, SftpType::Version) || !reader.Word()) return std::nullopt;
  std::map<std::string, std::string> extensions;
  while (!reader.AtEnd()) {
    const std::optional<std::string_view> name = reader.Text();
    const std::optional<std::string_view> data = reader.Text();
    if (!name || !data) return std::nullopt;
    extensions.emplace(*name, *data);
  }
  return extensions;
}

std::optional<SftpStatus> ParseSftpStatus(std::string_view packet) {
  WireReader reader(packet);
  if (!IsType(reader, SftpType::Status)) return std::nullopt;
  const std::optional<uint32_t> id = reader.Word();
  const std::optional<uint32_t> code = reader.Word();
  if (!id || !code) return std::nullopt;
  SftpStatus status{*id, *code, {}};
  if (reader.AtEnd()) return status;
  const std::optional<std::string_view> message = reader.Text();
  if (!message) return std::nullopt;
  status.Message = *message;
  return status;
}

}  // namespace publish
