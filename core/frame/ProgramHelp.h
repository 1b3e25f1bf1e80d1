#pragma once

#include <QString>

// The program's help document and its web pages, which every window's help
// menu and the about box open.
namespace ProgramHelp {

// appfiles/doc.pdf, written from the built-in help the first time, then
// opened with the desktop's PDF reader.
QString HelpDocumentPath();
void ShowProgramHelp();

// The program's web page and the page that asks for donations.
extern const char* const WebPage;
extern const char* const DonationPage;
void OpenDonationPage();

}  // namespace ProgramHelp
