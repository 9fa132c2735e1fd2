// The run's progress arithmetic, its message collection and the recent
// albums list, without a window.
#include <gtest/gtest.h>

#include "app/logic/RecentAlbums.h"
#include "app/logic/RunMessages.h"
#include "app/logic/RunProgress.h"
#include "support/RecordingMessages.h"

namespace {

const std::string kUnreadable =
    "Fehler: Folgende Datei konnte nicht ge\xF6"
    "ffnet werden: ";

std::string NotCreated(const std::string& kind, const std::string& name) {
  return kind + " Datei erstellen: Konnte die Datei " + name + " nicht erstellen!";
}

}  // namespace

TEST(RunProgress, WholeRunAcrossPicturesAndTheirFiles) {
  app::RunProgress progress;
  EXPECT_EQ(progress.Percent(), 0);
  progress.FileProgress(50);  // before any picture: nothing to show
  EXPECT_EQ(progress.Percent(), 0);
  progress.PictureStarted(1, 4);
  progress.FileProgress(100);  // picture read: a third of its share
  EXPECT_EQ(progress.Percent(), 8);
  progress.FileProgress(0);  // its copy begins
  progress.FileProgress(100);
  EXPECT_EQ(progress.Percent(), 16);
  progress.FileProgress(30);  // its thumbnail
  EXPECT_EQ(progress.Percent(), 19);
  progress.PictureStarted(3, 4);
  EXPECT_EQ(progress.Percent(), 50);
  // More files than expected, or a picture whose count goes back, never
  // move the bar backwards or past its picture's share.
  for (int i = 0; i < 5; ++i) progress.FileProgress(i % 2 ? 0 : 100);
  EXPECT_EQ(progress.Percent(), 75);
  progress.PictureStarted(2, 4);
  EXPECT_EQ(progress.Percent(), 75);
  progress.PictureStarted(4, 4);
  progress.FileProgress(250);
  for (int i = 0; i < 3; ++i) {
    progress.FileProgress(0);
    progress.FileProgress(100);
  }
  EXPECT_EQ(progress.Percent(), 100);
  EXPECT_EQ(progress.Number(), 4);
  EXPECT_EQ(progress.Count(), 4);
}

TEST(RunMessages, WriteFailuresMakeOneBoxWithAtMostTwentyNames) {
  RecordingMessages shown;
  app::RunMessages run(shown);
  for (int i = 0; i < 25; ++i) run.Error(NotCreated(i % 2 ? "HTML" : "JPEG", "bild" + std::to_string(i) + ".jpg"));
  run.MessageBox("Etwas anderes", "Hinweis", platform::MessageIcon::Information);
  ASSERT_EQ(shown.Calls.size(), 1u);  // only the unrelated box, at once
  EXPECT_EQ(shown.Calls[0].Text, "Etwas anderes");
  run.ShowSummary();
  ASSERT_EQ(shown.Calls.size(), 2u);
  const MessageCall& summary = shown.Calls[1];
  EXPECT_EQ(summary.Caption, "Fehler");
  EXPECT_EQ(summary.Icon, platform::MessageIcon::Error);
  EXPECT_EQ(
      summary.Text.rfind("Folgende Dateien konnten nicht erstellt werden:\nbild0.jpg (JPEG)\nbild1.jpg (HTML)\n", 0),
      0u);
  EXPECT_NE(summary.Text.find("bild19.jpg (HTML)\n... und 5 weitere"), std::string::npos);
  EXPECT_EQ(summary.Text.find("bild20"), std::string::npos);
  run.ShowSummary();  // collected once, shown once
  EXPECT_EQ(shown.Calls.size(), 2u);
}

TEST(RunMessages, ASingleFailureKeepsItsOwnMessageAndNothingShowsNothing) {
  RecordingMessages shown;
  app::RunMessages run(shown);
  run.ShowSummary();
  EXPECT_TRUE(shown.Calls.empty());
  run.Error(NotCreated("HTML", "album.htm"));
  run.ShowSummary();
  ASSERT_EQ(shown.Calls.size(), 1u);
  EXPECT_EQ(shown.Calls[0].Text, NotCreated("HTML", "album.htm"));
  EXPECT_EQ(shown.Calls[0].Caption, "Fehler");
}

TEST(RunMessages, UnreadablePicturesOfferToShowNoMoreFromTheSecondOn) {
  RecordingMessages shown;
  shown.QuietAnswers = {false, true};
  app::RunMessages run(shown);
  for (int i = 1; i <= 5; ++i)
    run.MessageBox(kUnreadable + "/p/" + std::to_string(i) + ".jpg", "", platform::MessageIcon::Error);
  ASSERT_EQ(shown.Calls.size(), 3u);
  EXPECT_EQ(shown.Calls[0].Kind, "box");  // the first as it always was
  EXPECT_EQ(shown.Calls[0].Text, kUnreadable + "/p/1.jpg");
  EXPECT_EQ(shown.Calls[0].Caption, "");
  EXPECT_EQ(shown.Calls[1].Kind, "quiet?");
  EXPECT_EQ(shown.Calls[2].Kind, "quiet?");  // the third: the user chose "no more" here
  EXPECT_EQ(shown.Calls[2].Text, kUnreadable + "/p/3.jpg");
  EXPECT_EQ(shown.Calls[2].Icon, platform::MessageIcon::Error);
  run.Error(NotCreated("JPEG", "x.jpg"));
  run.ShowSummary();
  ASSERT_EQ(shown.Calls.size(), 4u);
  EXPECT_EQ(shown.Calls[3].Text,
            "Folgende Dateien konnten nicht erstellt werden:\nx.jpg (JPEG)\n\n"
            "Folgende Dateien konnten nicht ge\xF6"
            "ffnet werden:\n/p/4.jpg\n/p/5.jpg");
}

TEST(RecentAlbums, NewestFirstAtMostEightEachOnce) {
  app::RecentAlbums recent;
  EXPECT_EQ(recent.LastFolder(), "");
  for (int i = 0; i < 10; ++i) recent.Add("/alben/a" + std::to_string(i) + ".lva");
  ASSERT_EQ(recent.Entries().size(), 8u);
  EXPECT_EQ(recent.Entries().front().Path, "/alben/a9.lva");
  EXPECT_EQ(recent.Entries().back().Path, "/alben/a2.lva");
  recent.SetOverviewFolder("/alben/a5.lva", "/web/");
  recent.Add("/alben/a5.lva");
  EXPECT_EQ(recent.Entries().front().Path, "/alben/a5.lva");
  EXPECT_EQ(recent.OverviewFolderOf("/alben/a5.lva"), "/web/");
  EXPECT_EQ(recent.Entries().size(), 8u);
  EXPECT_EQ(recent.LastFolder(), "/alben/");
  recent.Remove("/alben/a5.lva");
  EXPECT_EQ(recent.OverviewFolderOf("/alben/a5.lva"), "");
  EXPECT_EQ(recent.Entries().size(), 7u);
  // A stored list read back: repeats, empty names and excess dropped.
  const app::RecentAlbums stored({{"/b.lva", "/w/"}, {"", ""}, {"/c.lva", ""}, {"/b.lva", "/x/"}});
  ASSERT_EQ(stored.Entries().size(), 2u);
  EXPECT_EQ(stored.Entries()[0].Path, "/b.lva");
  EXPECT_EQ(stored.Entries()[0].OverviewFolder, "/w/");
}
