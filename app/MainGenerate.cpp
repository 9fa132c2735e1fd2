// The window's generation commands: the template sets, the run the generate
// button starts (progress, stopping, the closing line and summary) and the
// publish dialog.
#include <QAction>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include "app/AlbumDocument.h"
#include "app/AlbumListPane.h"
#include "app/BottomBar.h"
#include "app/CommentPage.h"
#include "app/GeneratePage.h"
#include "app/GenerationRun.h"
#include "app/MainUnit.h"
#include "app/PublishForm.h"
#include "app/PublishSettings.h"
#include "app/ResultBrowser.h"
#include "app/SortPage.h"
#include "app/StatusBar.h"
#include "app/ToolRow.h"
#include "app/UpdateQuestion.h"
#include "app/WindowActions.h"
#include "app/logic/RunMessages.h"
#include "generator/TemplateSets.h"
#include "platform/Paths.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtText.h"

namespace {

// The progress is shown at most this often; more would only cost the run
// (once the result page has been shown, every repaint of the window goes
// through OpenGL composition).
constexpr int kProgressIntervalMs = 100;

platform::FileDialogOptions OverviewDialog(const std::string& folder) {
  return platform::FileDialogOptions{folder, "HTML Dateien (*.htm)|*.htm; *.html", "htm", false};
}

QString Pictures(int32_t count) { return QString::number(count) + (count == 1 ? " Bild" : " Bilder"); }

}  // namespace

namespace app {

QString ClosingLine(const generator::GenerationResult& result) {
  switch (result.Outcome) {
    case generator::RunOutcome::Completed:
      if (result.Updated) return platform::ToQString(generator::UpdateClosingLine(*result.Updated));
      return "Fertig: " + Pictures(result.PicturesMade) +
             (result.FailedPictures > 0 ? ", " + QString::number(result.FailedPictures) + " fehlgeschlagen" : "");
    case generator::RunOutcome::Stopped:
      return "Abgebrochen: " + Pictures(result.PicturesMade) + " erstellt";
    case generator::RunOutcome::OverviewNotCreatable:
      return "Fehler: Die Übersichtsseite wurde nicht erstellt";
    case generator::RunOutcome::Cancelled:
    case generator::RunOutcome::MissingFragment:
    case generator::RunOutcome::FolderNotCreatable:
    case generator::RunOutcome::RecordNotTrusted:
      break;
  }
  return {};
}

std::string StoppedMessage(int32_t picturesMade) {
  return platform::FromQString("Die Erstellung wurde abgebrochen. " +
                               (picturesMade == 1 ? QString("1 Bild wurde") : Pictures(picturesMade) + " wurden") +
                               " erstellt; die Übersichtsseite wurde nicht geschrieben.");
}

void TMainForm::FillTemplateBox() {
  QStringList names;
  for (const std::string& name : generator::TemplateSetNames(generator::DefaultTemplateFolders()))
    names << platform::ToQString(name);
  generatePage_->ShowTemplateSets(names);
}

std::string TMainForm::TemplateFolder() const {
  return generator::TemplateSetFolder(generator::DefaultTemplateFolders(), generatePage_->TemplateName());
}

// The folder this album's overview was last written to; else the album's
// own folder when it has been saved, else the user's home: the program's
// folder is no place for a web album.
std::string TMainForm::OverviewStartFolder() const {
  if (!document_->OutputFolder().empty()) return document_->OutputFolder();
  if (document_->Path()) return platform::ExtractFilePath(*document_->Path());
  return platform::FromFileSystem(QDir::homePath().toStdString());
}

QString TMainForm::AlbumPathText() const {
  return document_->Path() ? platform::ToQString(*document_->Path()) : QString();
}

void TMainForm::GoBtn1Click() {
  generatePage_->ReleaseGenerateButton();
  // The run keeps the settings it started with.
  const album::AlbumSettings settings = document_->Settings();
  const generator::GenerationRequest request{
      settings, TemplateFolder(), [this] { return dialogs_.SaveFileName(OverviewDialog(OverviewStartFolder())); }, 0,
      [this](generator::RecordTrust trust) { return app::AskUpdateQuestion(this, trust); }};
  app::RunMessages runMessages(messages_);
  app::GenerationRun run(runMessages);
  run_ = &run;
  SetRunning(true);
  // The browser engine starts while the pictures are made, not after them.
  QTimer::singleShot(0, resultBrowser_, &app::ResultBrowser::Prepare);
  const generator::GenerationResult result = run.Run(document_->Pictures(), request);
  ShowRunProgress();
  SetRunning(false);
  run_ = nullptr;
  statusBar_->SetText(app::ClosingLine(result));
  // The last pictures may have failed before reporting anything.
  if (result.Outcome == generator::RunOutcome::Completed ||
      result.Outcome == generator::RunOutcome::OverviewNotCreatable)
    SetProStatus(100);
  statusBar_->ProgressDone();
  runMessages.ShowSummary();
  if (result.Outcome == generator::RunOutcome::Stopped) {
    messages_.MessageBox(app::StoppedMessage(result.PicturesMade), "Lumivista erstellen",
                         platform::MessageIcon::Information);
  }
  if (result.Outcome != generator::RunOutcome::Completed) return;
  app::RememberOutputFolder(AlbumPathText(), platform::ToQString(result.OverviewPath));
  RememberOverviewFolder(platform::ExtractFilePath(result.OverviewPath));
  RememberAlbumDesign();
  resultBrowser_->Navigate(platform::ToQString(generator::OverviewAddress(result.OverviewPath)));
  pages_->setCurrentWidget(resultBrowser_);
}

void TMainForm::StopBtnClick() {
  if (run_) run_->RequestStop();
  actions_->Stop->setEnabled(false);  // asked once is enough
}

void TMainForm::ShowRunProgress() {
  if (!run_) return;
  const app::RunProgress progress = run_->Progress();
  if (progress.Count() > 0)
    statusBar_->SetText("Bild " + QString::number(progress.Number()) + " von " + QString::number(progress.Count()));
  // An unchanged bar is not drawn again.
  if (progress.Percent() != statusBar_->Progress().Percent()) SetProStatus(progress.Percent());
}

// During a run the album stays as the run needs it: whatever would change
// it is disabled; looking around stays possible.
void TMainForm::SetRunning(bool running) {
  AlbumList().SetRunning(running);
  sortPage_->SetRunning(running);
  commentPage_->SetRunning(running);
  generatePage_->SetRunning(running);
  // After the pages: a focused "Los!" hands the focus on past controls that
  // are already off, not into them.
  actions_->SetRunning(running);
  if (running) {
    statusBar_->SetText({});
    SetProStatus(0);
    runTimer_->start(kProgressIntervalMs);
  } else {
    runTimer_->stop();
  }
  bottomBar_->SetRunning(running);
}

void TMainForm::ConnectRunHandlers() {
  runTimer_ = new QTimer(this);
  connect(runTimer_, &QTimer::timeout, this, [this] { ShowRunProgress(); });
  connect(generatePage_, &app::GeneratePage::PublishClicked, this, [this] { ShowPublishForm(this, AlbumPathText()); });
}

}  // namespace app
