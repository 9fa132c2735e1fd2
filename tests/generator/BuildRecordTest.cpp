// The build record's text: what it keeps, and what it refuses to trust.
#include <gtest/gtest.h>

#include "generator/BuildRecord.h"
#include "platform/Sha256.h"

namespace {

using generator::OutputKind;
using generator::RecordTrust;

generator::BuildRecord Sample() {
  generator::BuildRecord record;
  record.OverviewName = "Album\t1\\neu.htm";
  record.FolderDevice = 2049;
  record.FolderInode = 77;
  record.Running = true;
  generator::RecordedPicture picture;
  picture.Source = "/home/anna/Bilder/Tab\there\nund\\da.jpg";
  picture.SourceFacts = {123456, 1700000000123456789, 42, 2049};
  picture.Width = 4000;
  picture.Height = 3000;
  picture.Outputs[static_cast<size_t>(OutputKind::Page)] = {"Tabhereundda.htm", {900, 5, 6, 2049}, "ab", "pages x"};
  picture.Outputs[static_cast<size_t>(OutputKind::Thumbnail)] = {"Tabhereundda.jpg", {40, 7, 8, 2049}, "cd", "box"};
  picture.Outputs[static_cast<size_t>(OutputKind::Thumbnail2x)] = {"Tabhereundda.jpg", {80, 9, 10, 2049}, "cf", "2x"};
  record.Pictures = {picture, generator::RecordedPicture{}};
  record.Created = {{OutputKind::Copy, "x0.jpg", 1234, "ef"}, {OutputKind::Screen, "x0.jpg", 99, "fe"}};
  return record;
}

// A record text with `body` and the right checksum.
std::string Sealed(const std::string& body) { return body + "end\t" + platform::Sha256Hex(body) + "\n"; }

TEST(BuildRecord, KeepsEveryFieldWhateverTheCharactersInPaths) {
  const generator::BuildRecord record = Sample();
  const generator::RecordReading back = generator::ParseRecord(generator::RecordText(record), record.OverviewName,
                                                               record.FolderDevice, record.FolderInode);
  ASSERT_EQ(back.Trust, RecordTrust::Trusted);
  EXPECT_EQ(back.Record, record);
}

TEST(BuildRecord, ACutOrAlteredRecordIsDamaged) {
  const generator::BuildRecord record = Sample();
  const std::string text = generator::RecordText(record);
  for (size_t size = 0; size < text.size(); ++size)
    ASSERT_EQ(generator::ParseRecord(text.substr(0, size), record.OverviewName, 2049, 77).Trust, RecordTrust::Damaged)
        << size;
  std::string altered = text;
  altered[text.find("900")] = '8';
  EXPECT_EQ(generator::ParseRecord(altered, record.OverviewName, 2049, 77).Trust, RecordTrust::Damaged);
  EXPECT_EQ(generator::ParseRecord(text, "index.htm", 2049, 77).Trust, RecordTrust::Foreign);
  EXPECT_EQ(generator::ParseRecord(text, record.OverviewName, 2049, 78).Trust, RecordTrust::Foreign);
}

// A record is only as safe as the names in it: an update removes what it
// names, so a name that leaves its folder, or is hidden, or a line this
// version does not know, makes the whole record untrusted, checksum or not.
TEST(BuildRecord, NamesThatLeaveTheirFolderMakeItUntrusted) {
  const std::string head = "lumivista-build-record\t1\noverview\tindex.htm\nfolder\t1\t2\nstate\tcomplete\n";
  const std::string picture = "picture\t/a.jpg\t1\t2\t3\t4\n";
  EXPECT_EQ(
      generator::ParseRecord(Sealed(head + picture + "output\tcopy\ta.jpg\t1\t2\t3\t4\tff\tdep\n"), "index.htm", 1, 2)
          .Trust,
      RecordTrust::Trusted);
  for (const char* name : {"../a.jpg", "x/../../a.jpg", ".htaccess", "", "a\\/b.jpg"})
    EXPECT_EQ(generator::ParseRecord(Sealed(head + picture + "output\tcopy\t" + name + "\t1\t2\t3\t4\tff\tdep\n"),
                                     "index.htm", 1, 2)
                  .Trust,
              RecordTrust::Damaged)
        << name;
  EXPECT_EQ(generator::ParseRecord(Sealed(head + "created\tpage\t../../etc/passwd\t0\t\n"), "index.htm", 1, 2).Trust,
            RecordTrust::Damaged);
  EXPECT_EQ(
      generator::ParseRecord(Sealed(head + "output\tcopy\ta.jpg\t1\t2\t3\t4\tff\tdep\n"), "index.htm", 1, 2).Trust,
      RecordTrust::Damaged);  // an output before any picture
  EXPECT_EQ(
      generator::ParseRecord(Sealed(head + picture + "output\tposter\ta.jpg\t1\t2\t3\t4\tff\tdep\n"), "index.htm", 1, 2)
          .Trust,
      RecordTrust::Damaged);
  const std::string newer = "lumivista-build-record\t3\nwhatever\tcomes\n";
  EXPECT_EQ(generator::ParseRecord(Sealed(newer), "index.htm", 1, 2).Trust, RecordTrust::Newer);
}

}  // namespace
