// The program's documents and the files it opens for the user: which document
// each language gets, what is refused, and the question before a file opens.

#include "settings/ProgramDocuments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TemporaryFolders.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeDesktop.h"

namespace korvane {
namespace {

using testing_support::TemporaryFolders;
namespace fs = std::filesystem;

const HelpDocument kAllDocuments[] = {
    HelpDocument::Manual,
    HelpDocument::SupportLink,
    HelpDocument::EmailLink,
    HelpDocument::HomePageLink,
    HelpDocument::TelnetQuickStart,
    HelpDocument::TelnetHelp,
    HelpDocument::ArrowKeysHelp,
    HelpDocument::PickDataTransfers,
    HelpDocument::InternationalHelp,
    HelpDocument::TelnetLoginOptions,
    HelpDocument::LocalShellHelp,
    HelpDocument::PreferencesHelp,
    HelpDocument::SecureShellLoginOptions,
    HelpDocument::SecureShellHelp,
    HelpDocument::FtpFileTransfers,
    HelpDocument::KermitInstallation,
};

TEST(HelpDocumentName, EachLanguageGetsItsOwnDocumentWhereThereIsOne) {
  const struct {
    HelpDocument document;
    const char* english;
    const char* french;
  } cases[] = {
      {HelpDocument::TelnetHelp, "help/Dialog Help Files/Telnet Help.html",
       "help/Dialog Help Files - French/Aide Telnet.html"},
      {HelpDocument::TelnetQuickStart, "help/Dialog Help Files/Telnet QuickStart.html",
       "help/Dialog Help Files - French/Prise en main rapide de Telnet.html"},
      {HelpDocument::PreferencesHelp, "help/Dialog Help Files/Preferences Help.html",
       "help/Dialog Help Files - French/Aide Préférences.html"},
      // English only: the French interface gets the English document.
      {HelpDocument::PickDataTransfers, "help/Dialog Help Files/PICK Data Transfers.html",
       "help/Dialog Help Files/PICK Data Transfers.html"},
      {HelpDocument::Manual, "help/Korvane Manual.html", "help/Korvane Manual.html"},
      // The program's own pages about support, mail and its home.
      {HelpDocument::SupportLink, "help/Korvane Support.html", "help/Assistance Korvane.html"},
      {HelpDocument::EmailLink, "help/Korvane Email.html", "help/Courrier Korvane.html"},
      {HelpDocument::HomePageLink, "help/Korvane Home.html", "help/Accueil Korvane.html"},
      {HelpDocument::KermitInstallation, "help/Kermit Help/Kermit Installation Instructions.html",
       "help/Kermit Help/Kermit Installation Instructions.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HelpDocumentName(c.document, InterfaceLanguage::English), c.english);
    EXPECT_EQ(HelpDocumentName(c.document, InterfaceLanguage::French), c.french);
  }
  EXPECT_EQ(LanguageOfMenus("French"), InterfaceLanguage::French);
  EXPECT_EQ(LanguageOfMenus("English"), InterfaceLanguage::English);
  EXPECT_EQ(LanguageOfMenus(""), InterfaceLanguage::English);
}

TEST(HelpDocumentName, EveryDocumentShipsWithTheProgramInItsLanguage) {
  for (HelpDocument d : kAllDocuments) {
    for (InterfaceLanguage language : {InterfaceLanguage::English, InterfaceLanguage::French}) {
      const std::string name = HelpDocumentName(d, language);
      const std::string path = std::string(KORVANE_RESOURCES_DIR) + "/" + name;
      SCOPED_TRACE(path);
      ASSERT_TRUE(fs::is_regular_file(path));
      const std::string html = TemporaryFolders::Read(path);
      const bool french = name != HelpDocumentName(d, InterfaceLanguage::English);
      EXPECT_NE(html.find(french ? "<html lang=\"fr\">" : "<html lang=\"en\">"), std::string::npos);
      EXPECT_NE(html.find("</html>"), std::string::npos);
      // Written for this system: Linux key names, no Mac ones.
      for (const char* mac : {"Option-", "Command-", "Finder", "Mac OS", "\xE2\x8C\x98"})
        EXPECT_EQ(html.find(mac), std::string::npos) << mac;
      // Its links lead to documents that ship with it too.
      for (std::size_t at = html.find("href=\""); at != std::string::npos; at = html.find("href=\"", at + 1)) {
        const std::size_t end = html.find('"', at + 6);
        std::string target = html.substr(at + 6, end - at - 6);
        for (std::size_t blank = target.find("%20"); blank != std::string::npos; blank = target.find("%20"))
          target.replace(blank, 3, " ");
        const std::string folder = fs::path(path).parent_path().string();
        EXPECT_TRUE(fs::is_regular_file(folder + "/" + target)) << target;
      }
    }
  }
}

TEST(HelpMenuDocument, TheItemsOfTheHelpMenu) {
  EXPECT_EQ(HelpMenuDocument(1), HelpDocument::Manual);
  EXPECT_EQ(HelpMenuDocument(2), HelpDocument::SupportLink);
  EXPECT_EQ(HelpMenuDocument(4), HelpDocument::EmailLink);
  EXPECT_EQ(HelpMenuDocument(5), HelpDocument::HomePageLink);
  EXPECT_EQ(HelpMenuDocument(8), HelpDocument::TelnetQuickStart);
  EXPECT_EQ(HelpMenuDocument(9), HelpDocument::TelnetHelp);
  for (int item : {0, 3, 6, 7, 10}) EXPECT_FALSE(HelpMenuDocument(item)) << item;
}

class ProgramDocumentsTest : public ::testing::Test {
 protected:
  ProgramDocumentsTest() { fs::create_directories(resources); }
  TemporaryFolders t;
  std::string resources = t.root + "/share/korvane";
  fakes::FakeDesktop desktop;
  fakes::FakeAlerts alerts;
  ProgramDocuments documents{resources, desktop, alerts};
};

TEST_F(ProgramDocumentsTest, ADocumentOfTheDataFolderIsOpenedAndAMissingOneReported) {
  TemporaryFolders::Write(resources + "/help/Dialog Help Files - French/Aide Telnet.html", "<html>");
  EXPECT_EQ(documents.OpenHelpMenuItem(9, InterfaceLanguage::French), 0);
  EXPECT_EQ(desktop.files, std::vector<std::string>{resources + "/help/Dialog Help Files - French/Aide Telnet.html"});
  EXPECT_TRUE(alerts.shown.empty());

  desktop.files.clear();
  EXPECT_EQ(documents.OpenHelpMenuItem(9, InterfaceLanguage::English), 1);
  EXPECT_TRUE(desktop.files.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(alerts.shown[0].text, resources + "/help/Dialog Help Files/Telnet Help.html was not found.");

  // A folder is opened like a document.
  fs::create_directories(resources + "/Fkeys");
  EXPECT_EQ(documents.OpenResourceDocument2("Fkeys"), 0);
  EXPECT_EQ(desktop.files.back(), resources + "/Fkeys");

  alerts.shown.clear();
  EXPECT_EQ(documents.OpenHelpMenuItem(7, InterfaceLanguage::English), 1);
  EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(ProgramDocumentsTest, NothingOutsideTheDataFolderIsOpened) {
  TemporaryFolders::Write(t.root + "/secret.txt", "secret");
  fs::create_directory_symlink(t.root, resources + "/out");
  for (const std::string& name :
       std::vector<std::string>{"../secret.txt", "help/../../secret.txt", "out/secret.txt", t.root + "/secret.txt"}) {
    SCOPED_TRACE(name);
    alerts.shown.clear();
    EXPECT_EQ(documents.OpenResourceDocument2(name), 1);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_NE(alerts.shown[0].text.find("is not one of Korvane's documents"), std::string::npos);
  }
  EXPECT_TRUE(desktop.files.empty());
}

TEST_F(ProgramDocumentsTest, AWebLinkOpensItsAddressWhenItIsAWebOrMailAddress) {
  const std::string links = resources + "/help/Links/";
  TemporaryFolders::Write(links + "Support.url", "[InternetShortcut]\r\nURL=https://example.org/support\r\n");
  EXPECT_EQ(documents.OpenResourceDocument2("help/Links/Support.url"), 0);
  EXPECT_EQ(desktop.urls, std::vector<std::string>{"https://example.org/support"});

  TemporaryFolders::Write(links + "Email.url", "[InternetShortcut]\nURL=file:///etc/passwd\n");
  TemporaryFolders::Write(links + "Home.url", "no address here");
  for (const char* link : {"help/Links/Email.url", "help/Links/Home.url"}) {
    alerts.shown.clear();
    EXPECT_EQ(documents.OpenResourceDocument2(link), 1);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_NE(alerts.shown[0].text.find("holds no address Korvane opens"), std::string::npos);
  }
  EXPECT_EQ(desktop.urls.size(), 1u);
  EXPECT_TRUE(desktop.files.empty());
}

TEST_F(ProgramDocumentsTest, AFileIsOpenedOnlyAfterTheUserSaysOk) {
  const std::string file = t.home + "/Lock KV Prefs";
  TemporaryFolders::Write(file, "Settings are locked; ask Jo.");
  alerts.answers = {2};  // Cancel
  EXPECT_EQ(documents.CheckPathExists(file), 1);
  EXPECT_TRUE(desktop.files.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].id, platform::kAskBeforeOpeningAlert);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);
  EXPECT_EQ(alerts.shown[0].text, "Korvane is about to open " + file + "\rOpen it with its program?");

  alerts.answers = {1};
  EXPECT_EQ(documents.CheckPathExists(file), 0);
  EXPECT_EQ(desktop.files, std::vector<std::string>{file});

  alerts.shown.clear();
  EXPECT_EQ(documents.CheckPathExists(t.home + "/gone"), 1);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, t.home + "/gone Path not found!");
  EXPECT_EQ(desktop.files.size(), 1u);
}

// A desktop whose opener is missing.
class BrokenDesktop final : public platform::Desktop {
 public:
  bool OpenURL(const std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
};

TEST_F(ProgramDocumentsTest, AnOpenThatFailsIsReported) {
  BrokenDesktop broken;
  ProgramDocuments withBroken(resources, broken, alerts);
  TemporaryFolders::Write(resources + "/help/Korvane Manual.html", "<html>");
  EXPECT_EQ(withBroken.OpenHelpDocument(HelpDocument::Manual, InterfaceLanguage::English), 1);
  alerts.answers = {1};
  EXPECT_EQ(withBroken.CheckPathExists(resources + "/help/Korvane Manual.html"), 1);
  ASSERT_EQ(alerts.shown.size(), 3u);
  EXPECT_NE(alerts.shown[0].text.find("could not be opened"), std::string::npos);
  EXPECT_NE(alerts.shown[2].text.find("could not be opened"), std::string::npos);
}

}  // namespace
}  // namespace korvane
