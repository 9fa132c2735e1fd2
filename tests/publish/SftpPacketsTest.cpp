// The SFTP packets of the rename connection: what we send byte for byte, and
// replies from a server that may send anything.
#include <gtest/gtest.h>

#include <string>

#include "publish/SftpPackets.h"

namespace {

using namespace publish;
using namespace std::string_literals;

std::string Word(uint32_t word) {
  return {static_cast<char>(word >> 24), static_cast<char>(word >> 16), static_cast<char>(word >> 8),
          static_cast<char>(word)};
}
std::string Text(const std::string& text) { return Word(static_cast<uint32_t>(text.size())) + text; }

TEST(SftpPackets, RequestsAreFramedAsOpenSshReadsThem) {
  EXPECT_EQ(SftpInitPacket(), "\0\0\0\x05\x01\0\0\0\x03"s);
  const std::string body = "\xC8"s + Word(7) + Text("posix-rename@openssh.com") + Text("/a/.b.lvpart") + Text("/a/b");
  EXPECT_EQ(SftpPosixRenamePacket(7, "/a/.b.lvpart", "/a/b"), Word(static_cast<uint32_t>(body.size())) + body);
  // Names are bytes: no quoting, no escaping, nothing cut at a NUL.
  EXPECT_EQ(SftpPosixRenamePacket(1, "a\"\\\0b"s, "c").substr(37, 9), Text("a\"\\\0b"s));
}

TEST(SftpPackets, PacketLengthsAreBounded) {
  EXPECT_EQ(SftpPacketLength(Word(5)), 5u);
  EXPECT_EQ(SftpPacketLength(Word(kSftpMaxPacket)), kSftpMaxPacket);
  EXPECT_EQ(SftpPacketLength(Word(kSftpMaxPacket + 1)), std::nullopt);
  EXPECT_EQ(SftpPacketLength(Word(0xFFFFFFFF)), std::nullopt);
  EXPECT_EQ(SftpPacketLength(Word(0)), std::nullopt);
  EXPECT_EQ(SftpPacketLength("\0\0\x05"s), std::nullopt);
}

TEST(SftpPackets, VersionRepliesGiveTheirExtensionsAndMalformedOnesNothing) {
  const std::string openssh =
      "\x02"s + Word(3) + Text("posix-rename@openssh.com") + Text("1") + Text("statvfs@openssh.com") + Text("2");
  const auto extensions = ParseSftpVersion(openssh);
  ASSERT_TRUE(extensions);
  EXPECT_EQ(*extensions,
            (std::map<std::string, std::string>{{"posix-rename@openssh.com", "1"}, {"statvfs@openssh.com", "2"}}));
  EXPECT_EQ(ParseSftpVersion("\x02"s + Word(3)), (std::map<std::string, std::string>{}));

  const std::string fault[] = {
      "",                                                            // nothing at all
      "\x65"s + Word(3),                                             // a STATUS, not a VERSION
      "\x02\0\0"s,                                                   // version cut short
      "\x02"s + Word(3) + Text("posix-rename@openssh.com"),          // a name without its data
      "\x02"s + Word(3) + Word(0xFFFFFFFF) + "posix",                // a name longer than the packet
      "\x02"s + Word(3) + Text("a") + Word(2) + "1",                 // data longer than the packet
      "\x02"s + Word(3) + Text("posix-rename@openssh.com") + "\0"s,  // a stray byte at the end
  };
  for (const std::string& packet : fault)
    EXPECT_EQ(ParseSftpVersion(packet), std::nullopt) << testing::PrintToString(packet);
}

TEST(SftpPackets, StatusRepliesWithAndWithoutTheirMessage) {
  const auto withMessage = ParseSftpStatus("\x65"s + Word(9) + Word(kSftpOpUnsupported) + Text("nope") + Text("en"));
  ASSERT_TRUE(withMessage);
  EXPECT_EQ(withMessage->Id, 9u);
  EXPECT_EQ(withMessage->Code, kSftpOpUnsupported);
  EXPECT_EQ(withMessage->Message, "nope");
  // Servers of the oldest drafts end the packet after the code.
  const auto bare = ParseSftpStatus("\x65"s + Word(2) + Word(kSftpOk));
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->Id, 2u);
  EXPECT_EQ(bare->Code, kSftpOk);

  const std::string fault[] = {
      "",
      "\x02"s + Word(2) + Word(kSftpOk),                  // a VERSION, not a STATUS
      "\x65"s + Word(2),                                  // no code
      "\x65"s + Word(2) + "\0\0"s,                        // code cut short
      "\x65"s + Word(2) + Word(4) + Word(100) + "short",  // message longer than the packet
  };
  for (const std::string& packet : fault)
    EXPECT_EQ(ParseSftpStatus(packet), std::nullopt) << testing::PrintToString(packet);
}

}  // namespace
