// The program started where fontconfig finds no fonts at all (the test's
// registration points FONTCONFIG_FILE at a configuration without font
// folders): the screen font is reported missing, with what to install, and
// the session window opens all the same.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "ProgramOnDisk.h"

namespace korvane {
namespace {

TEST(QtFontMissing, TheScreenFontIsReportedMissingAndTheWindowOpens) {
  QTemporaryDir home;
  setenv("HOME", home.path().toStdString().c_str(), 1);
  for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) unsetenv(v);
  Program program;
  ASSERT_EQ(program.alerts.shown.size(), 1u) << program.AlertTexts();
  EXPECT_EQ(program.alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(program.alerts.shown[0].text,
            "The screen font DejaVu Sans Mono is not installed.\rInstall the package fonts-dejavu-core, then start "
            "Korvane again.");
  EXPECT_NE(program.app->windows.Find(platform::kSessionWindowBase), nullptr);
}

}  // namespace
}  // namespace korvane
