// Which layout the program runs in, and where that puts its designs and the
// files it writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "platform/InstallLayout.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class InstallLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("lumivista-layout-" + std::to_string(::getpid()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Folder(const std::string& relative) {
    fs::create_directories(root_ / relative);
    return IncludeTrailingDelimiter(FromFileSystem((root_ / relative).string()));
  }
  // A program installed in <root>/usr/bin with its designs in <root>/usr/share.
  std::string InstalledProgram() {
    Folder("usr/share/web-lumivista/template/Modern");
    return Folder("usr/bin");
  }
  EnvironmentLookup Environment(std::map<std::string, std::string> values) {
    environment_ = std::move(values);
    return [this](const char* name) -> const char* {
      const auto it = environment_.find(name);
      return it == environment_.end() ? nullptr : it->second.c_str();
    };
  }

  fs::path root_;
  std::map<std::string, std::string> environment_;
};

}  // namespace

TEST_F(InstallLayout, BuildTreeKeepsEverythingInTheProgramFolder) {
  Folder("build/app/template/Modern");
  Folder("build/share/web-lumivista/template");  // ignored: the designs beside the program win
  const std::string program = Folder("build/app");
  const DataFolders data = DataFoldersFor(program, Environment({{"HOME", "/home/anna"}}));
  EXPECT_EQ(data.layout, Layout::ProgramFolder);
  EXPECT_EQ(data.templateFolders, std::vector<std::string>{program + "template"});
  EXPECT_EQ(data.stateFolder, program);
}

TEST_F(InstallLayout, AFolderWithoutDesignsStaysAProgramFolder) {
  const std::string program = Folder("elsewhere/bin");
  EXPECT_EQ(LayoutOf(program), Layout::ProgramFolder);
  EXPECT_EQ(DataFoldersFor(program, Environment({})).stateFolder, program);
}

TEST_F(InstallLayout, InstalledReadsSharedAndUserDesignsAndWritesToTheUsersConfiguration) {
  const std::string program = InstalledProgram();
  const std::string prefix = program.substr(0, program.size() - 4);
  const DataFolders data = DataFoldersFor(
      program,
      Environment({{"HOME", "/home/anna"}, {"XDG_DATA_HOME", "/data/anna"}, {"XDG_CONFIG_HOME", "/config/anna/"}}));
  EXPECT_EQ(data.layout, Layout::Installed);
  EXPECT_EQ(data.templateFolders,
            (std::vector<std::string>{prefix + "share/web-lumivista/template", "/data/anna/web-lumivista/template"}));
  EXPECT_EQ(data.stateFolder, "/config/anna/web-lumivista/");
  // Without a trailing delimiter the program folder is the same.
  EXPECT_EQ(LayoutOf(program.substr(0, program.size() - 1)), Layout::Installed);
}

TEST_F(InstallLayout, XdgDefaultsComeFromHomeAndRelativeValuesAreIgnored) {
  const std::string program = InstalledProgram();
  const DataFolders data = DataFoldersFor(
      program, Environment({{"HOME", "/home/anna"}, {"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", ""}}));
  EXPECT_EQ(data.templateFolders.back(), "/home/anna/.local/share/web-lumivista/template");
  EXPECT_EQ(data.stateFolder, "/home/anna/.config/web-lumivista/");

  // No home folder at all: only the shipped designs, and nowhere to write.
  const DataFolders homeless = DataFoldersFor(program, Environment({}));
  EXPECT_EQ(homeless.templateFolders.size(), 1u);
  EXPECT_EQ(homeless.stateFolder, "");
}

TEST_F(InstallLayout, StateFilesGoBesideTheBuildTreeProgramOrIntoTheConfigFolder) {
  Folder("build/app/template");
  const std::string buildProgram = Folder("build/app");
  EXPECT_EQ(StateFilePath(buildProgram, "folders.dat"), buildProgram + "folders.dat");

  const std::string installed = InstalledProgram();
  const std::string config = FromFileSystem((root_ / "home/config").string());
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous ? previous : "";
  ::setenv("XDG_CONFIG_HOME", ToFileSystem(config).c_str(), 1);
  ASSERT_FALSE(DirectoryExists(config));
  EXPECT_EQ(StateFilePath(installed, "folders.dat"), config + "/web-lumivista/folders.dat");
  // The first write creates the per-user folder; nothing lands below the prefix.
  ASSERT_TRUE(WriteStateFile(installed, "folders.dat", "/Bilder/\r\n"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(config + "/web-lumivista/folders.dat", bytes));
  EXPECT_EQ(bytes, "/Bilder/\r\n");
  EXPECT_TRUE(fs::is_empty(root_ / "usr/bin"));
  if (previous)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}
