#pragma once
// Opening the program's own documents (the manual, the help documents in
// English and French, the web links) and files the user or the program names,
// through the desktop: each with the program the user has chosen for it,
// never through a shell.
//
// The help documents lie in the "help" folder of the program's data folder
// (resources/ in the source tree, share/korvane once installed). A web link
// is a file holding "URL=" and its address; only http, https and mailto
// addresses are opened.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/AlertButtons.h"
#include "platform/Alerts.h"
#include "platform/Desktop.h"

namespace korvane {

enum class InterfaceLanguage { English, French };

// The interface language of the menus' language name ("English", "French").
InterfaceLanguage LanguageOfMenus(const std::string& menuLanguage);

// The program's documents.
enum class HelpDocument {
  Manual,
  SupportLink,
  EmailLink,
  HomePageLink,
  TelnetQuickStart,
  TelnetHelp,
  ArrowKeysHelp,
  PickDataTransfers,
  InternationalHelp,
  TelnetLoginOptions,
  LocalShellHelp,
  PreferencesHelp,
  SecureShellLoginOptions,
  SecureShellHelp,
  FtpFileTransfers,
  KermitInstallation,
  FkeysHelp,
};

// The document's path inside the program's data folder, in the language when
// it has a version in it, else in English: "help/Dialog Help Files/Telnet
// Help.html".
std::string HelpDocumentName(HelpDocument document, InterfaceLanguage language);

// The document of a Help menu item (1 the manual, 2 support, 4 e-mail, 5 the
// home page, 8 the Telnet QuickStart, 9 the Telnet help); none for another item.
std::optional<HelpDocument> HelpMenuDocument(int item);

class ProgramDocuments {
 public:
  // `resourcesFolder`: the program's data folder.
  ProgramDocuments(std::string resourcesFolder, platform::Desktop& desktop, platform::Alerts& alerts);

  // Opens a document of the program's data folder (a path relative to it);
  // a web link opens its address. 0 when it was handed to the desktop; 1
  // after a stop alert: the document is missing ("<path> was not found."),
  // lies outside the data folder, or could not be opened.
  int16_t OpenResourceDocument2(const std::string& name);
  int16_t OpenHelpDocument(HelpDocument document, InterfaceLanguage language);
  // What the Help menu's item does: opens its document in the language. 1
  // (with an alert) for an item that names no document.
  int16_t OpenHelpMenuItem(int item, InterfaceLanguage language);

  // Opens a file or folder with its default program once the user has said
  // OK to the question (alert platform::kAskBeforeOpeningAlert, Cancel the
  // default). 0 when it was opened; 1 when it is missing ("<path> Path not
  // found!"), the user cancelled, or it could not be opened (an alert says so).
  int16_t CheckPathExists(const std::string& path);

  const std::string& ResourcesFolder() const { return resources_; }

 private:
  int16_t OpenWebLink(const std::string& path);

  std::string resources_;
  platform::Desktop& desktop_;
  platform::Alerts& alerts_;
};

}  // namespace korvane
