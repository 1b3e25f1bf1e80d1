#include "core/frame/ProgramHelp.h"

#include <QDir>
#include <QFile>

#include "core/frame/DesktopServices.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace ProgramHelp {

QString HelpDocumentPath() { return ProgramFolder::AppFiles("doc.pdf"); }

namespace {

bool WriteHelpDocument() {
  if (!QDir().mkpath(ProgramFolder::AppFiles())) return false;
  QFile resource(":/doc/doc.pdf");
  if (!resource.open(QIODevice::ReadOnly)) return false;
  // Written whole or not at all: a cut document would be opened from then on.
  return RecordFile::WriteBytes(HelpDocumentPath(), resource.readAll()) == RecordFile::Result::Ok;
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
