// The program's documents and the files it opens for the user.

#include "settings/ProgramDocuments.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/CharMap.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

struct DocumentNames {
  HelpDocument document;
  const char* english;
  const char* french;  // null: English only
};

constexpr const char* kDialogHelp = "help/Dialog Help Files/";
constexpr const char* kDialogHelpFrench = "help/Dialog Help Files - French/";

const DocumentNames kDocuments[] = {
    {HelpDocument::Manual, "help/Korvane Manual.html", nullptr},
    // Korvane has no support line, mail address or web site of its own: these
    // pages tell the user where help is and how to report a problem.
    {HelpDocument::SupportLink, "help/Korvane Support.html", "help/Assistance Korvane.html"},
    {HelpDocument::EmailLink, "help/Korvane Email.html", "help/Courrier Korvane.html"},
    {HelpDocument::HomePageLink, "help/Korvane Home.html", "help/Accueil Korvane.html"},
    {HelpDocument::TelnetQuickStart, "Telnet QuickStart.html", "Prise en main rapide de Telnet.html"},
    {HelpDocument::TelnetHelp, "Telnet Help.html", "Aide Telnet.html"},
    {HelpDocument::ArrowKeysHelp, "Arrow Keys Help.html", "Aide Touches fléchées.html"},
    {HelpDocument::PickDataTransfers, "PICK Data Transfers.html", nullptr},
    {HelpDocument::InternationalHelp, "International Help.html", "Aide caractères internationaux.html"},
    {HelpDocument::TelnetLoginOptions, "Telnet Login Options.html", nullptr},
    {HelpDocument::LocalShellHelp, "Local Shell Help.html", "Aide interpréteur de commandes local.html"},
    {HelpDocument::PreferencesHelp, "Preferences Help.html", "Aide Préférences.html"},
    {HelpDocument::SecureShellLoginOptions, "Secure Shell Login Options.html", nullptr},
    {HelpDocument::SecureShellHelp, "Secure Shell Help.html", "Aide interpréteur de commandes sécurisé.html"},
    {HelpDocument::FtpFileTransfers, "FTP File Transfers.html", "Transferts de fichier FTP.html"},
    {HelpDocument::KermitInstallation, "help/Kermit Help/Kermit Installation Instructions.html", nullptr},
    {HelpDocument::FkeysHelp, "Fkeys Help.html", "Aide touches de fonction.html"},
};

// A web link's file is small; a larger one is no link.
constexpr std::size_t kMaxLinkFileBytes = 64 * 1024;

// Paths are UTF-8; alerts show the program's text.
std::string Shown(const std::string& path) { return platform::MacRomanFromUtf8(path); }

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// `inner` is `outer` or lies below it, name by name.
bool Within(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin(), i = inner.begin();
  for (; o != outer.end(); ++o) {
    if (o->empty()) continue;
    if (i == inner.end() || *o != *i) return false;
    ++i;
  }
  return true;
}

// The address a web link's file holds: its "URL=" line.
std::string LinkAddress(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  bytes.resize(kMaxLinkFileBytes + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kMaxLinkFileBytes) return {};
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    if (line.rfind("URL=", 0) == 0) return line.substr(4);
    start = end + 1;
  }
  return {};
}

}  // namespace

InterfaceLanguage LanguageOfMenus(const std::string& menuLanguage) {
  return menuLanguage == "French" ? InterfaceLanguage::French : InterfaceLanguage::English;
}

std::string HelpDocumentName(HelpDocument document, InterfaceLanguage language) {
  for (const DocumentNames& d : kDocuments) {
    if (d.document != document) continue;
    const bool french = language == InterfaceLanguage::French && d.french;
    const std::string name = french ? d.french : d.english;
    if (name.rfind("help/", 0) == 0) return name;
    return (french ? kDialogHelpFrench : kDialogHelp) + name;
  }
  return {};
}

std::optional<HelpDocument> HelpMenuDocument(int item) {
  switch (item) {
    case 1: return HelpDocument::Manual;
    case 2: return HelpDocument::SupportLink;
    case 4: return HelpDocument::EmailLink;
    case 5: return HelpDocument::HomePageLink;
    case 8: return HelpDocument::TelnetQuickStart;
    case 9: return HelpDocument::TelnetHelp;
    default: return std::nullopt;
  }
}

ProgramDocuments::ProgramDocuments(std::string resourcesFolder, platform::Desktop& desktop, platform::Alerts& alerts)
    : resources_(std::move(resourcesFolder)), desktop_(desktop), alerts_(alerts) {
  while (resources_.size() > 1 && resources_.back() == '/') resources_.pop_back();
}

int16_t ProgramDocuments::OpenResourceDocument2(const std::string& name) {
  const std::string path = resources_ + "/" + name;
  // Only the program's own documents: nothing outside its data folder, by a
  // step up or by a link.
  bool inside = !resources_.empty() && !name.empty() && name.front() != '/';
  for (const auto& part : fs::path(name)) inside = inside && part != "..";
  std::error_code ec;
  if (inside) {
    const fs::path root = fs::weakly_canonical(resources_, ec);
    const fs::path full = fs::weakly_canonical(path, ec);
    inside = !ec && Within(root, full);
  }
  if (!inside) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " is not one of Korvane's documents.", "", "");
    return 1;
  }
  if (!fs::exists(path, ec)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " was not found.", "", "");
    return 1;
  }
  if (EndsWith(name, ".url")) return OpenWebLink(path);
  if (!desktop_.OpenFile(path)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " could not be opened.", "", "");
    return 1;
  }
  return 0;
}

int16_t ProgramDocuments::OpenWebLink(const std::string& path) {
  const std::string address = LinkAddress(path);
  if (!platform::AllowedUrl(address)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " holds no address Korvane opens.", "", "");
    return 1;
  }
  if (!desktop_.OpenURL(address)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(address), " could not be opened.", "", "");
    return 1;
  }
  return 0;
}

int16_t ProgramDocuments::OpenHelpDocument(HelpDocument document, InterfaceLanguage language) {
  return OpenResourceDocument2(HelpDocumentName(document, language));
}

int16_t ProgramDocuments::OpenHelpMenuItem(int item, InterfaceLanguage language) {
  const std::optional<HelpDocument> document = HelpMenuDocument(item);
  if (!document) {
    alerts_.Show(platform::AlertKind::Stop, 300, "This item of the Help menu opens no document.", "", "", "");
    return 1;
  }
  return OpenHelpDocument(*document, language);
}

int16_t ProgramDocuments::CheckPathExists(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::exists(path, ec)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " Path not found!", "", "");
    return 1;
  }
  if (alerts_.Show(platform::AlertKind::Caution, platform::kAskBeforeOpeningAlert, "Korvane is about to open ",
                   Shown(path), "\r", "Open it with its program?") != 1)
    return 1;
  if (!desktop_.OpenFile(path)) {
    alerts_.Show(platform::AlertKind::Stop, 300, Shown(path), " could not be opened.", "", "");
    return 1;
  }
  return 0;
}

}  // namespace korvane
