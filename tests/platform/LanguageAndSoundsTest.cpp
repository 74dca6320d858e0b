// The interface language from the user's locale and the settings folder's
// "language" file; the names the program's sounds are asked for under.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/InterfaceLanguage.h"
#include "platform/Sounds.h"

namespace korvane::platform {
namespace {

struct LanguageCase {
  std::map<std::string, std::string> environment;
  std::string languageFile;
  const char* expected;
};

TEST(InterfaceLanguage, TheLocaleDecidesUnlessTheLanguageFileNamesOne) {
  const LanguageCase cases[] = {
      {{}, "", "en"},
      {{{"LANG", "fr_FR.UTF-8"}}, "", "fr"},
      {{{"LANG", "fr_CA"}}, "", "fr"},
      {{{"LANG", "de_DE.UTF-8"}}, "", "en"},
      // LC_MESSAGES speaks for messages before LANG, LC_ALL before both.
      {{{"LANG", "en_GB.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, "", "fr"},
      {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "C"}}, "", "en"},
      {{{"LC_ALL", "fr_BE.UTF-8"}, {"LC_MESSAGES", "en_US"}}, "", "fr"},
      // A variable set to nothing is not set.
      {{{"LC_ALL", ""}, {"LANG", "fr_FR"}}, "", "fr"},
      // The settings folder's file wins, in any case and with a line end.
      {{{"LANG", "fr_FR.UTF-8"}}, "English\n", "en"},
      {{{"LANG", "en_US.UTF-8"}}, "  FRENCH\r\n", "fr"},
      {{{"LANG", "en_US.UTF-8"}}, "fr", "fr"},
      // A file naming no language of the program leaves it to the locale.
      {{{"LANG", "fr_FR.UTF-8"}}, "Deutsch", "fr"},
  };
  for (const LanguageCase& c : cases) {
    const auto environment = [&c](const char* name) -> const char* {
      const auto it = c.environment.find(name);
      return it == c.environment.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(InterfaceLanguageName(environment, c.languageFile), c.expected)
        << ::testing::PrintToString(c.environment) << " file '" << c.languageFile << "'";
  }
}

TEST(Sounds, NamesLoseTheirExtensionAndTheCameraSoundsAreTheThemesShutterAndScreenCapture) {
  const std::pair<const char*, const char*> names[] = {
      {"camera.aiff", "camera"}, {"camera picture.aiff", "camera picture"}, {"camera", "camera"},
      {".hidden", ".hidden"},    {"folder.d/bell", "folder.d/bell"},        {"a.b.wav", "a.b"},
  };
  for (const auto& [name, bare] : names) EXPECT_EQ(SoundNameWithoutExtension(name), bare) << name;
  EXPECT_EQ(SoundThemeEventId("camera.aiff"), "camera-shutter");
  EXPECT_EQ(SoundThemeEventId("camera picture.aiff"), "screen-capture");
  EXPECT_EQ(SoundThemeEventId("complete.oga"), "complete");
}

}  // namespace
}  // namespace korvane::platform
