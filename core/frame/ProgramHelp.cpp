#include "core/frame/ProgramHelp.h"

#include <QFile>
#include <QSaveFile>

#include "core/frame/DesktopServices.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace ProgramHelp {

QString HelpDocumentPath() { return ProgramFolder::AppFiles("doc.pdf"); }

namespace {

bool WriteHelpDocument() {
  if (!FileServices::CreateFolderPath(ProgramFolder::AppFiles())) return false;
  QFile resource(":/doc/doc.pdf");
  if (!resource.open(QIODevice::ReadOnly)) return false;
  QSaveFile file(HelpDocumentPath());
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(resource.readAll());
  return file.commit();
}

}  // namespace

void ShowProgramHelp() {
  if (!FileServices::FileExists(HelpDocumentPath()) && !WriteHelpDocument()) {
    Lang::MsgFileNotFound("doc.pdf");
    return;
  }
  DesktopServices::ShellOpen(HelpDocumentPath());
}

const char* const WebPage = "https://quillmoor.example.org/";
const char* const DonationPage = "https://quillmoor.example.org/donar.html";

void OpenDonationPage() { DesktopServices::ShellOpen(DonationPage); }

}  // namespace ProgramHelp
