// The help documents and web pages reach the desktop's own opener: a fake
// xdg-open first on PATH records the arguments it was started with. And the
// screen font is found and registered on the offscreen platform.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TemporaryFolders.h"
#include "fakes/FakeAlerts.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtFonts.h"
#include "settings/ProgramDocuments.h"
#include "settings/ScreenFont.h"

namespace korvane {
namespace {

using testing_support::TemporaryFolders;

// A fake xdg-open first on PATH: each start appends a line "argc N" and one
// line per argument to the record.
class FakeOpener : public ::testing::Test {
 protected:
  FakeOpener() {
    const std::string bin = t.root + "/bin";
    record = t.root + "/opened";
    TemporaryFolders::Write(
        bin + "/xdg-open",
        "#!/bin/sh\n{ echo \"argc $#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } >> '" + record + "'\n");
    chmod((bin + "/xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    setenv("PATH", (bin + ":" + savedPath).c_str(), 1);
  }
  ~FakeOpener() override { setenv("PATH", savedPath.c_str(), 1); }

  // The record once it holds `lines` lines (the opener runs on its own).
  std::vector<std::string> Opened(std::size_t lines) {
    QElapsedTimer waited;
    waited.start();
    std::vector<std::string> got;
    while (waited.elapsed() < 10000) {
      got.clear();
      std::string text = TemporaryFolders::Read(record), line;
      for (char c : text) {
        if (c == '\n') {
          got.push_back(line);
          line.clear();
        } else {
          line += c;
        }
      }
      if (got.size() >= lines) break;
      QThread::msleep(20);
    }
    return got;
  }

  TemporaryFolders t;
  std::string record, savedPath;
  platform::QtDesktop desktop;
  fakes::FakeAlerts alerts;
  ProgramDocuments documents{KORVANE_RESOURCES_DIR, desktop, alerts};
};

TEST_F(FakeOpener, TheHelpMenuOpensItsDocumentInTheInterfaceLanguage) {
  const std::string help = std::string(KORVANE_RESOURCES_DIR) + "/help/";
  EXPECT_EQ(documents.OpenHelpMenuItem(9, InterfaceLanguage::English), 0);
  EXPECT_EQ(Opened(2), (std::vector<std::string>{"argc 1", help + "Dialog Help Files/Telnet Help.html"}));
  EXPECT_EQ(documents.OpenHelpMenuItem(9, InterfaceLanguage::French), 0);
  EXPECT_EQ(Opened(4), (std::vector<std::string>{"argc 1", help + "Dialog Help Files/Telnet Help.html", "argc 1",
                                                 help + "Dialog Help Files - French/Aide Telnet.html"}));
  EXPECT_EQ(documents.OpenHelpMenuItem(8, InterfaceLanguage::French), 0);
  EXPECT_EQ(documents.OpenHelpMenuItem(1, InterfaceLanguage::French), 0);
  const std::vector<std::string> all = Opened(8);
  ASSERT_EQ(all.size(), 8u);
  EXPECT_EQ(all[5], help + "Dialog Help Files - French/Prise en main rapide de Telnet.html");
  EXPECT_EQ(all[7], help + "Korvane Manual.html");
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(FakeOpener, AnAddressIsOneArgumentAndNoShellReadsIt) {
  const std::string marker = t.root + "/touched";
  const std::string url = "https://example.org/a?q=$(touch%20" + marker + ")&x=1;y='z'";
  ASSERT_TRUE(desktop.OpenURL(url));
  EXPECT_EQ(Opened(2), (std::vector<std::string>{"argc 1", url}));
  EXPECT_FALSE(std::filesystem::exists(marker));
  // Other kinds of address never reach the opener.
  EXPECT_FALSE(desktop.OpenURL("file:///etc/passwd"));
  EXPECT_FALSE(desktop.OpenFile("-x"));
  EXPECT_EQ(Opened(2).size(), 2u);
}

TEST_F(FakeOpener, WithoutAnOpenerTheUserIsTold) {
  setenv("PATH", (t.root + "/nothing").c_str(), 1);
  EXPECT_EQ(documents.OpenHelpMenuItem(1, InterfaceLanguage::English), 1);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("could not be opened"), std::string::npos);
}

TEST(QtFonts, TheScreenFontIsFoundAndRegistered) {
  platform::QtFonts fonts;
  const std::string file = fonts.FindFontFile(kScreenFontFamily);
  ASSERT_FALSE(file.empty()) << "the package fonts-dejavu-core is needed";
  EXPECT_EQ(std::filesystem::path(file).filename(), "DejaVuSansMono.ttf");
  fakes::FakeAlerts alerts;
  EXPECT_EQ(ActivateScreenFont(fonts, alerts), 0);
  EXPECT_TRUE(alerts.shown.empty());

  EXPECT_EQ(fonts.FindFontFile("No Such Family Korvane"), "");
  TemporaryFolders t;
  TemporaryFolders::Write(t.home + "/not-a-font.ttf", "plain text");
  EXPECT_EQ(fonts.ActivateFontFile(t.home + "/not-a-font.ttf"), EINVAL);
  EXPECT_EQ(fonts.ActivateFontFile(t.home + "/missing.ttf"), ENOENT);
}

// Fonts whose answers the test sets.
class SetFonts final : public platform::Fonts {
 public:
  std::string file;
  int error = 0;
  std::string FindFontFile(const std::string&) override { return file; }
  int ActivateFontFile(const std::string&) override { return error; }
};

TEST(ScreenFont, AMissingOrUnusableFontIsReported) {
  SetFonts fonts;
  fakes::FakeAlerts alerts;
  EXPECT_EQ(ActivateScreenFont(fonts, alerts), ENOENT);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_NE(alerts.shown[0].text.find("The screen font DejaVu Sans Mono is not installed."), std::string::npos);

  fonts.file = "/fonts/DejaVuSansMono.ttf";
  fonts.error = EINVAL;
  EXPECT_EQ(ActivateScreenFont(fonts, alerts), EINVAL);
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_NE(alerts.shown[1].text.find("could not be loaded from /fonts/DejaVuSansMono.ttf"), std::string::npos);
}

}  // namespace
}  // namespace korvane
