// Publishing after an update in place sends exactly what the update changed,
// against the real SFTP server the publishing tests start on 127.0.0.1.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestServers.h"

namespace {

class PublishAfterUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    ::alarm(120);  // a hanging server ends the test process, and with it the server
    char pattern[] = "/tmp/lumivista-update-XXXXXX";
    work_ = ::mkdtemp(pattern);
    server_ = MakeSftpServer(work_);
    std::string error;
    ASSERT_TRUE(server_->Start(error)) << error;
    album_ = work_ / "album";
  }
  void TearDown() override {
    server_.reset();
    fs::remove_all(work_);
    ::alarm(0);
  }

  // Saves the album of `pictures` (file, comment) and builds it, updating the
  // earlier build in place.
  void Update(const std::vector<std::pair<std::string, std::string>>& pictures) {
    std::string json = "{\"pictures\": [";
    for (const auto& [file, comment] : pictures)
      json += std::string(json.back() == '[' ? "" : ", ") + "{\"file\": \"" LUMIVISTA_TEST_DATA "/imaging/" + file +
              "\", \"comment\": \"" + comment + "\"}";
    WriteAll(work_ / "album.json", json + "]}");
    const std::string cli = ShellQuoted(LUMIVISTA_CLI);
    const std::string lva = ShellQuoted((work_ / "a.lva").string());
    ASSERT_TRUE(RunQuietly(cli + " new " + lva + " --json " + ShellQuoted((work_ / "album.json").string()) + " && " +
                           cli + " build " + lva + " " + ShellQuoted((album_ / "index.htm").string()) +
                           " --quiet --update"));
  }

  CliResult Publish(std::vector<std::string> extra = {}) {
    for (const std::string& option : server_->TrustOptions()) extra.push_back(option);
    return RunPublishCommand(*server_, album_, extra, "");
  }

  fs::path work_;
  fs::path album_;
  std::unique_ptr<TestServer> server_;
};

TEST_F(PublishAfterUpdate, OnlyWhatTheUpdateChangedGoesUpAndOnlyWhatItRemovedGoes) {
  Update({{"bmp-24.bmp", "Eins"}, {"bmp-32.bmp", "Zwei"}, {"bmp-8.bmp", "Drei"}});
  ASSERT_EQ(Publish().status, 0);

  Update({{"bmp-24.bmp", "Eins"}, {"bmp-32.bmp", "Zwei, neu kommentiert"}, {"bmp-8.bmp", "Drei"}});
  CliResult sent = Publish();
  EXPECT_EQ(sent.status, 0) << sent.err;
  EXPECT_EQ(sent.out, "ge\xC3\xA4ndert: html/bmp32.htm\n");

  // The last picture leaves: its three files go, its neighbour's page loses
  // the link to it.
  Update({{"bmp-24.bmp", "Eins"}, {"bmp-32.bmp", "Zwei, neu kommentiert"}});
  sent = Publish({"--delete"});
  EXPECT_EQ(sent.status, 0) << sent.err;
  EXPECT_EQ(sent.out,
            "ge\xC3\xA4ndert: html/bmp32.htm\nge\xC3\xA4ndert: index.htm\n"
            "entfernt: html/bmp8.htm\nentfernt: mini/bmp8.jpg\nentfernt: pics/bmp8.jpg\n");
  EXPECT_EQ(Differences(server_->Served(), album_), "");
}

}  // namespace
