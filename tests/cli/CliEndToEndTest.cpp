#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/AlbumBytes.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const std::string kNotValid = "Die Datei ist keine g\xC3\xBCltige \"Web Lumivista 1\"-Datei!";

class CliTest : public TempFolderTest {
 protected:
  json ShowJson(const std::string& album) {
    const CliResult shown = RunCli(folder_, {"show", album, "--json"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    return json::parse(shown.out, nullptr, false);
  }
};

}  // namespace

TEST_F(CliTest, WorkedExampleFromJsonByteForByte) {
  const CliResult made =
      RunCli(folder_, {"new", "album.lva", "--json", "-"}, R"({"pictures": [{"file": "a.jpg", "comment": "Hi"}]})");
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadFileBytes(folder_ / "album.lva"), album_bytes::WorkedExample());
}

TEST_F(CliTest, NewThenShowGivesThePicturesAndSettings) {
  fs::create_directories(folder_ / "sub");
  const CliResult made =
      RunCli(folder_, {"new", "album.lva", "b.jpg", "./sub/../a.jpg", "sub/c.jpg", "--caption",
                       "Gr\xC3\xB6\xC3\x9F"
                       "e",
                       "--per-row", "0", "--thumb-width", "5000", "--border", "7", "--bgcolor", "#ff0000"});
  ASSERT_EQ(made.status, 0) << made.err;
  const json expected = {{"pictures",
                          {{{"file", PathOf("b.jpg")}, {"comment", nullptr}, {"show_comment", true}, {"marked", true}},
                           {{"file", PathOf("a.jpg")}, {"comment", ""}, {"show_comment", true}, {"marked", true}},
                           {{"file", PathOf("sub/c.jpg")}, {"comment", ""}, {"show_comment", true}, {"marked", true}}}},
                         {"settings",
                          {{"caption",
                            "Gr\xC3\xB6\xC3\x9F"
                            "e"},
                           {"free_text",
                            "Klicken Sie auf die Bilder, um sie in Originalgr\xC3\xB6\xC3\x9F"
                            "e zu sehen."},
                           {"detail_caption", "Web Lumivista"},
                           {"per_row", 1},
                           {"thumb_width", 1000},
                           {"thumb_height", 90},
                           {"border", 7},
                           {"detail_border", 3},
                           {"bgcolor", "#FF0000"},
                           {"bgcolor2", "#FFFFFF"}}}};
  json shown = ShowJson("album.lva");
  // Every loaded entry has a comment, so the first one reads back as empty too.
  EXPECT_EQ(shown["pictures"][0]["comment"], "");
  shown["pictures"][0]["comment"] = nullptr;
  EXPECT_EQ(shown, expected);
  // The caption is stored as Windows-1252, the subfolder's picture with its full path.
  const std::string bytes = ReadFileBytes(folder_ / "album.lva");
  EXPECT_NE(bytes.find(album_bytes::Text("Gr\xF6\xDF"
                                         "e")),
            std::string::npos);
  EXPECT_NE(bytes.find(album_bytes::Text(PathOf("sub/c.jpg"))), std::string::npos);
  EXPECT_NE(bytes.find(album_bytes::Text("a.jpg")), std::string::npos);
}

TEST_F(CliTest, ShowJsonFedBackToNewGivesTheSameFile) {
  const std::string document = R"({"pictures": [
      {"file": "x.jpg", "comment": "eins\r\nzwei", "show_comment": false, "marked": false},
      {"file": "/anderswo/y.jpg", "comment": null}],
    "settings": {"free_text": "frei", "per_row": 3, "bgcolor2": "#102030", "detail_border": 0}})";
  ASSERT_EQ(RunCli(folder_, {"new", "eins.lva", "--json", "-"}, document).status, 0);
  const CliResult shown = RunCli(folder_, {"show", "eins.lva", "--json"});
  ASSERT_EQ(shown.status, 0);
  ASSERT_EQ(RunCli(folder_, {"new", "zwei.lva", "--json", "-"}, shown.out).status, 0);
  EXPECT_EQ(ReadFileBytes(folder_ / "zwei.lva"), ReadFileBytes(folder_ / "eins.lva"));
  const json album = json::parse(shown.out);
  EXPECT_EQ(album["pictures"][0]["comment"], "eins\r\nzwei");
  EXPECT_EQ(album["pictures"][0]["show_comment"], false);
  EXPECT_EQ(album["pictures"][1]["file"], "/anderswo/y.jpg");
  EXPECT_EQ(album["settings"]["bgcolor2"], "#102030");
  EXPECT_EQ(album["settings"]["caption"], "Web Lumivista");
}

TEST_F(CliTest, ShowAsTextNamesPicturesAndSettings) {
  WriteFileBytes(folder_ / "album.lva", album_bytes::WorkedExample());
  const CliResult shown = RunCli(folder_, {"show", "album.lva"});
  ASSERT_EQ(shown.status, 0);
  EXPECT_NE(shown.out.find(PathOf("a.jpg")), std::string::npos);
  EXPECT_NE(shown.out.find("Hi"), std::string::npos);
  EXPECT_NE(shown.out.find("#C0C0C0"), std::string::npos);
  EXPECT_NE(shown.out.find("Originalgr\xC3\xB6\xC3\x9F"
                           "e"),
            std::string::npos);
}

TEST_F(CliTest, DamagedAlbumFilesAreRefusedWithStatusTwo) {
  const std::string good = album_bytes::WorkedExample();
  for (const std::string& bytes : {std::string(), good.substr(0, 24), "vendrix" + good.substr(7), good.substr(0, 44),
                                   good.substr(0, 152), good.substr(0, 25) + album_bytes::Int32(0x80000000)}) {
    WriteFileBytes(folder_ / "kaputt.lva", bytes);
    const CliResult shown = RunCli(folder_, {"show", "kaputt.lva", "--json"});
    EXPECT_EQ(shown.status, 2) << bytes.size();
    EXPECT_NE(shown.err.find(kNotValid), std::string::npos) << shown.err;
    EXPECT_EQ(shown.out, "");
  }
}

TEST_F(CliTest, MissingAlbumFileIsReported) {
  const CliResult shown = RunCli(folder_, {"show", "fehlt.lva"});
  EXPECT_EQ(shown.status, 2);
  EXPECT_NE(shown.err.find("Konnte die Datei fehlt.lva nicht \xC3\xB6"
                           "ffnen!"),
            std::string::npos)
      << shown.err;
}

TEST_F(CliTest, BadUsageGivesStatusTwo) {
  WriteFileBytes(folder_ / "a.json", R"({"pictures": [{"file": 5}]})");
  WriteFileBytes(folder_ / "b.json", "{nicht json");
  const std::initializer_list<std::string> cases[] = {
      {},
      {"gibtsnicht"},
      {"new"},
      {"new", "x.lva", "--per-row", "viele"},
      {"new", "x.lva", "a.jpg", "--json", "a.json"},
      {"new", "x.lva", "--bgcolor", "rot"},
      {"new", "x.lva", "--json", "a.json"},
      {"new", "x.lva", "--json", "b.json"},
      {"new", "x.lva", "--json", "fehlt.json"},
      {"show"},
  };
  for (const auto& args : cases) {
    const CliResult result = RunCli(folder_, args);
    EXPECT_EQ(result.status, 2) << (args.size() ? *args.begin() : "") << " " << result.err;
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_FALSE(fs::exists(folder_ / "x.lva"));
}

// An emoji or Chinese name would be stored as '?': refused before anything is written.
TEST_F(CliTest, NewRefusesTextWindows1252CannotHold) {
  const std::string emoji = "Urlaub \xF0\x9F\x98\x80.jpg";
  const std::string chinese = "\xE4\xBD\xA0\xE5\xA5\xBD";
  const struct {
    std::initializer_list<std::string> args;
    std::string input;
    std::string named;
  } cases[] = {
      {{"new", "album.lva", "a.jpg", emoji}, "", PathOf(emoji)},
      {{"new", "album.lva", "--json", "-"},
       R"({"pictures": [{"file": "a.jpg", "comment": ")" + chinese + "\"}]}",
       "\"" + chinese + "\" (comment)"},
      {{"new", "album.lva", "a.jpg", "--caption", chinese}, "", "(--caption)"},
      {{"new", emoji + ".lva", "a.jpg"}, "", PathOf(emoji + ".lva")},
  };
  for (const auto& c : cases) {
    const CliResult made = RunCli(folder_, c.args, c.input);
    EXPECT_EQ(made.status, 2) << c.named;
    EXPECT_NE(made.err.find(c.named), std::string::npos) << made.err;
    EXPECT_TRUE(fs::is_empty(folder_)) << c.named;
  }
}

TEST_F(CliTest, SaveIntoAMissingFolderIsReported) {
  const CliResult made = RunCli(folder_, {"new", "fehlt/album.lva", "a.jpg"});
  EXPECT_EQ(made.status, 1);
  EXPECT_NE(made.err.find("Konnte die Datei album.lva nicht erstellen!"), std::string::npos) << made.err;
  EXPECT_FALSE(fs::exists(folder_ / "fehlt"));
}

TEST_F(CliTest, HelpExplainsEveryCommand) {
  const CliResult help = RunCli(folder_, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("new"), std::string::npos);
  EXPECT_NE(help.out.find("show"), std::string::npos);
  for (const char* command : {"new", "show"}) {
    const CliResult sub = RunCli(folder_, {command, "--help"});
    EXPECT_EQ(sub.status, 0);
    EXPECT_NE(sub.out.find("--json"), std::string::npos) << command;
  }
}
