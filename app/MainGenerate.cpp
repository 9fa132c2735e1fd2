// The generation page: template sets and the generate button.
#include <QComboBox>
#include <QDir>
#include <QTabWidget>

#include "app/MainUnit.h"
#include "app/PictureButton.h"
#include "app/PublishSettings.h"
#include "app/ResultBrowser.h"
#include "generator/GenerateAlbum.h"
#include "generator/TemplateSets.h"
#include "platform/Paths.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtText.h"

namespace {

constexpr int kResultPage = 4;

platform::FileDialogOptions OverviewDialog(const std::string& folder) {
  return platform::FileDialogOptions{folder, "HTML Dateien (*.htm)|*.htm; *.html", "htm", false};
}

}  // namespace

void TMainForm::FillTemplateBox() {
  TemplateBox->clear();
  for (const std::string& name : TemplateSetNames(DefaultTemplateFolders())) TemplateBox->addItem(platform::ToQString(name));
  TemplateBox->setCurrentIndex(TemplateBox->count() > 0 ? 0 : -1);
}

std::string TMainForm::TemplateFolder() const {
  return TemplateSetFolder(DefaultTemplateFolders(), platform::FromQString(TemplateBox->currentText()));
}

// The album's own folder when it has been saved, else the user's home: the
// program's folder is no place for a web album.
std::string TMainForm::OverviewStartFolder() const {
  if (SavedFileName) return platform::ExtractFilePath(*SavedFileName);
  return platform::FromFileSystem(QDir::homePath().toStdString());
}

void TMainForm::GoBtn1Click() {
  GoBtn->MouseUp();
  const AlbumSettings settings = CurrentSettings();
  const GenerationRequest request{settings, TemplateFolder(),
                                  [this] { return dialogs_.SaveFileName(OverviewDialog(OverviewStartFolder())); }};
  generating_ = true;
  const GenerationResult result = GenerateAlbum(Pictures, request, ExportReporting{messages_, this, nullptr});
  generating_ = false;
  if (result.Outcome != RunOutcome::Completed) return;
  app::RememberOutputFolder(SavedFileName ? platform::ToQString(*SavedFileName) : QString(),
                            platform::ToQString(result.OverviewPath));
  WebBrowser1->Navigate(platform::ToQString(OverviewAddress(result.OverviewPath)));
  PageControl2->setCurrentIndex(kResultPage);
}
