// Colon paths: the cuts, the folders derived from the Preferences folder, and
// the translation between colon paths and POSIX paths both ways.

#include "settings/ColonPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TemporaryFolders.h"
#include "fakes/FakeAlerts.h"

namespace korvane {
namespace {

using testing_support::TemporaryFolders;

TEST(ColonPathCuts, TheThreeCutsOfEachPath) {
  struct Case {
    const char* path;
    const char* folderPart;
    const char* parent;
    const char* last;
  };
  const Case cases[] = {
      {"Disk:Users:ann:notes", "Disk:Users:ann:", "Disk:Users:ann", "notes"},
      {"Disk:Users:ann:", "Disk:Users:ann:", "Disk:Users:ann", ""},
      {"Disk:", "Disk:", "Disk", ""},
      // A name alone, or a relative path, has no folder part.
      {"notes", "", "", "notes"},
      {":notes", "", "", ":notes"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderPartOfPath(c.path), c.folderPart);
    EXPECT_EQ(ParentFolderPath(c.path), c.parent);
    EXPECT_EQ(LastPathComponent(c.path), c.last);
  }
}

TEST(ColonPathCuts, FoldersDerivedFromThePreferencesFolder) {
  EXPECT_EQ(PreferencesVolume("Disk:Users:ann:Library:Preferences"), "Disk:Users:ann:Library:");
  // With its final colon the path comes back whole.
  EXPECT_EQ(PreferencesVolume("Disk:Users:ann:Library:Preferences:"), "Disk:Users:ann:Library:Preferences:");
  EXPECT_EQ(PreferencesVolume(""), "");
  EXPECT_EQ(UserNameFromPrefs("Disk:Users:ann:Library:"), "ann");
  EXPECT_EQ(UserNameFromPrefs("Disk:Users:"), "");
  EXPECT_EQ(UserNameFromPrefs("Disk"), "Disk");
  EXPECT_EQ(HomeFolderPath("Disk:Users:ann:Library:Preferences"), "Disk:Users:ann:");
  EXPECT_EQ(HomeFolderPath("Disk:Library:Preferences"), "Disk:");
  EXPECT_EQ(HomeFolderPath("Preferences"), "");
  EXPECT_EQ(UserFontsFolder("Disk:Users:ann:Library:Preferences"), "Disk:Users:ann:Library:Fonts:");
}

TEST(ColonPathText, LengthsCountCharactersAndJoinsKeepTheFirst255) {
  EXPECT_EQ(TextLength("Aide Préférences"), 16u);
  EXPECT_EQ(TextLength("a\xff"
                       "b"),
            3u);  // a byte that is not UTF-8 is one character
  const std::string accents(200, 'x');
  std::string e;
  for (int i = 0; i < 100; ++i) e += "é";
  const std::string joined = JoinText(accents, e);
  EXPECT_EQ(TextLength(joined), 255u);
  EXPECT_EQ(joined.size(), 200u + 55u * 2u);  // no character is cut in half
  EXPECT_EQ(JoinText("Disk:", "notes"), "Disk:notes");
}

// The user ann, whose desktop folder has a French name.
FolderMap Ann() {
  FolderMap f;
  f.user = "ann";
  f.home = "/home/ann";
  f.configHome = "/home/ann/.config";
  f.dataHome = "/home/ann/.local/share";
  f.desktop = "/home/ann/Bureau";
  f.documents = "/home/ann/Documents";
  return f;
}

struct Mapping {
  const char* colon;
  const char* posix;
};

// Colon paths as the program builds them, and where they lie here.
const Mapping kMappings[] = {
    {"Disk:Users:ann:Library:Application Support:Korvane:Korvane Prefs:defaults", "/home/ann/.config/korvane/defaults"},
    {"Disk:Users:ann:Library:Application Support:Korvane:kermit:kermit",
     "/home/ann/.local/share/korvane/kermit/kermit"},
    {"Disk:Users:ann:Library:Application Support:Korvane:Downloaded Images",
     "/home/ann/.local/share/korvane/Downloaded Images"},
    {"Disk:Users:ann:Library:Application Support:Other", "/home/ann/.local/share/Other"},
    {"Disk:Users:ann:Library:Preferences:Lock KV Prefs", "/home/ann/.config/Lock KV Prefs"},
    {"Disk:Users:ann:Library:Preferences:Tessamine Software Prefs:Korvane Prefs",
     "/home/ann/.config/Tessamine Software Prefs/Korvane Prefs"},
    {"Disk:Users:ann:Library:Fonts:KorvaneFont.ttf", "/home/ann/.local/share/fonts/KorvaneFont.ttf"},
    {"Disk:Users:ann:Library:Caches:x", "/home/ann/Library/Caches/x"},
    {"Disk:Users:ann:Desktop:notes.txt", "/home/ann/Bureau/notes.txt"},
    {"Disk:Users:ann:Documents:pick:ft.txt", "/home/ann/Documents/pick/ft.txt"},
    {"Disk:Users:ann:Documents", "/home/ann/Documents"},
    {"Disk:Users:ann:notes", "/home/ann/notes"},
    {"Disk:Users:ann", "/home/ann"},
    // Another user's folders are not ann's.
    {"Disk:Users:bob:Desktop:x", "/Users/bob/Desktop/x"},
    {"Disk:etc:passwd", "/etc/passwd"},
    {"Disk:", "/"},
    // Names holding the other side's separator.
    {"Disk:Users:ann:a/b", "/home/ann/a:b"},
    {"Disk:Users:ann:Desktop:2024/05/01 log:x/y.txt", "/home/ann/Bureau/2024:05:01 log/x:y.txt"},
};

TEST(ColonToPosix, TheMacsFoldersAreTheUsersFolders) {
  const FolderMap ann = Ann();
  for (const Mapping& m : kMappings) {
    SCOPED_TRACE(m.colon);
    const PathResult r = ColonToPosix(m.colon, ann);
    ASSERT_TRUE(r.ok()) << ColonPathErrorText(r.error);
    EXPECT_EQ(r.path, m.posix);
  }
}

TEST(ColonToPosix, AnyVolumeIsTheRootAndTheMacsNamesMatchInAnyCase) {
  const FolderMap ann = Ann();
  EXPECT_EQ(ColonToPosix("Macintosh HD:Users:ann:desktop:x", ann).path, "/home/ann/Bureau/x");
  EXPECT_EQ(ColonToPosix("Disk:users:ann:LIBRARY:preferences", ann).path, "/home/ann/.config");
  // A folder's path may end with its colon.
  EXPECT_EQ(ColonToPosix("Disk:Users:ann:Documents:pick:", ann).path, "/home/ann/Documents/pick");
}

TEST(ColonToPosix, RelativePathsLieInTheFolderTheCallerNames) {
  const FolderMap ann = Ann();
  EXPECT_EQ(ColonToPosix(":pick:ft.txt", ann, "/home/ann/Documents").path, "/home/ann/Documents/pick/ft.txt");
  EXPECT_EQ(ColonToPosix("notes", ann, "/base/").path, "/base/notes");
  EXPECT_EQ(ColonToPosix(":notes", ann).error, ColonPathError::Relative);
}

TEST(ColonToPosix, PathsThatNameNoPlainFileAreRefused) {
  const FolderMap ann = Ann();
  struct Refusal {
    std::string colon;
    ColonPathError error;
  };
  const Refusal cases[] = {
      {"", ColonPathError::Empty},
      {"Disk::x", ColonPathError::EmptyName},  // the Mac's step up
      {"Disk:Users:ann::", ColonPathError::EmptyName},
      {"::x", ColonPathError::EmptyName},
      {"Disk:..:etc:passwd", ColonPathError::DotName},
      {"Disk:Users:ann:.", ColonPathError::DotName},
      {std::string("Disk:x\0y", 8), ColonPathError::BadCharacter},
      {"Disk:x\ny", ColonPathError::BadCharacter},
      {"Disk:x\x7f", ColonPathError::BadCharacter},
      {"Disk:" + std::string(251, 'x'), ColonPathError::TooLong},  // 256 characters
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.colon);
    const PathResult r = ColonToPosix(c.colon, ann, "/base");
    EXPECT_EQ(r.error, c.error);
    EXPECT_TRUE(r.path.empty());
  }
  EXPECT_TRUE(ColonToPosix("Disk:" + std::string(250, 'x'), ann).ok());  // 255 characters
}

TEST(PosixToColon, EveryPathComesBackTheSameWay) {
  const FolderMap ann = Ann();
  for (const Mapping& m : kMappings) {
    SCOPED_TRACE(m.posix);
    const PathResult colon = PosixToColon(m.posix, ann);
    ASSERT_TRUE(colon.ok()) << ColonPathErrorText(colon.error);
    EXPECT_EQ(ColonToPosix(colon.path, ann).path, m.posix);
  }
  // The colon paths the program builds come back as they were.
  for (const Mapping& m : kMappings) {
    SCOPED_TRACE(m.colon);
    EXPECT_EQ(PosixToColon(ColonToPosix(m.colon, ann).path, ann).path, m.colon);
  }
}

TEST(PosixToColon, TheDeepestFolderNamesThePath) {
  FolderMap ann = Ann();
  EXPECT_EQ(PosixToColon("/home/ann/.config/korvane/Quickdial", ann).path,
            "Disk:Users:ann:Library:Application Support:Korvane:Korvane Prefs:Quickdial");
  EXPECT_EQ(PosixToColon("/home/ann//Bureau/", ann).path, "Disk:Users:ann:Desktop");
  // A desktop that is the home folder itself: the plainer name.
  ann.desktop = ann.home;
  EXPECT_EQ(PosixToColon("/home/ann/x", ann).path, "Disk:Users:ann:x");
  // XDG folders outside the home folder.
  ann.configHome = "/srv/config/ann";
  EXPECT_EQ(PosixToColon("/srv/config/ann/korvane", ann).path,
            "Disk:Users:ann:Library:Application Support:Korvane:Korvane Prefs");
  EXPECT_EQ(ColonToPosix("Disk:Users:ann:Library:Preferences:x", ann).path, "/srv/config/ann/x");
}

TEST(PosixToColon, OverLongAndUnnamablePathsAreRefused) {
  const FolderMap ann = Ann();
  // "Disk:Users:ann:" is 15 characters.
  const std::string fits = "/home/ann/" + std::string(240, 'n');
  const PathResult r = PosixToColon(fits, ann);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(TextLength(r.path), 255u);
  EXPECT_EQ(ColonToPosix(r.path, ann).path, fits);
  EXPECT_EQ(PosixToColon(fits + "n", ann).error, ColonPathError::TooLong);
  // Characters, not bytes: 120 two-byte characters fit where 240 bytes are.
  std::string accents;
  for (int i = 0; i < 240; ++i) accents += "é";
  EXPECT_TRUE(PosixToColon("/home/ann/" + accents, ann).ok());
  EXPECT_EQ(PosixToColon("/home/ann/" + accents + "é", ann).error, ColonPathError::TooLong);

  EXPECT_EQ(PosixToColon("notes", ann).error, ColonPathError::NotAbsolute);
  EXPECT_EQ(PosixToColon("/home/ann/../bob", ann).error, ColonPathError::DotName);
  EXPECT_EQ(PosixToColon("/home/ann/a\tb", ann).error, ColonPathError::BadCharacter);
}

TEST(LocalPathOf, AScriptsPathIsTakenInEitherNotation) {
  const FolderMap ann = Ann();
  struct Case {
    std::string given;
    std::string local;  // empty: refused
  };
  const Case cases[] = {
      {"Disk:Users:ann:Desktop:log", "/home/ann/Bureau/log"},
      {"Macintosh HD:Users:ann:Documents:pick:ft.txt", "/home/ann/Documents/pick/ft.txt"},
      // A POSIX path stays as it is, a ":" in one of its names included.
      {"/home/ann/Bureau/log", "/home/ann/Bureau/log"},
      {"/home/ann/10:30 log", "/home/ann/10:30 log"},
      // A relative colon path lies in no folder a script names.
      {":log", ""},
      // The Mac's steps up, dots, control characters and over-long paths.
      {"Disk:Users:ann::::etc:passwd", ""},
      {"Disk:..:etc:passwd", ""},
      {std::string("Disk:Users:ann:x\0y", 18), ""},
      {"Disk:" + std::string(251, 'x'), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    const PathResult r = LocalPathOf(c.given, ann);
    EXPECT_EQ(r.ok(), !c.local.empty()) << ColonPathErrorText(r.error);
    EXPECT_EQ(r.path, c.local);
  }
}

TEST(FolderMapOfThisUser, ComesFromHomeAndTheXdgFolders) {
  TemporaryFolders t;
  TemporaryFolders::Write(t.home + "/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  FolderMap f = FolderMap::ForThisUser();
  EXPECT_EQ(f.home, t.home);
  EXPECT_EQ(f.configHome, t.home + "/.config");
  EXPECT_EQ(f.dataHome, t.home + "/.local/share");
  EXPECT_EQ(f.desktop, t.home + "/Bureau");
  EXPECT_EQ(f.documents, t.home + "/Documents");
  EXPECT_FALSE(f.user.empty());
  EXPECT_EQ(f.SettingsFolder(), t.home + "/.config/korvane");
  EXPECT_EQ(f.KermitFolder(), t.home + "/.local/share/korvane/kermit");

  // The derivations from the Preferences folder's colon path lead back to
  // the same folders.
  const std::string prefs = f.PreferencesFolderPath();
  EXPECT_EQ(ColonToPosix(HomeFolderPath(prefs), f).path, t.home);
  EXPECT_EQ(UserNameFromPrefs(PreferencesVolume(prefs)), f.user);
  EXPECT_EQ(ColonToPosix(JoinText(PreferencesVolume(prefs), "Application Support:Korvane:Korvane Prefs:"), f).path,
            f.SettingsFolder());
  EXPECT_EQ(ColonToPosix(JoinText(HomeFolderPath(prefs), "Desktop:"), f).path, f.desktop);

  setenv("XDG_CONFIG_HOME", (t.root + "/cfg").c_str(), 1);
  setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
  f = FolderMap::ForThisUser();
  EXPECT_EQ(f.SettingsFolder(), t.root + "/cfg/korvane");
  EXPECT_EQ(f.dataHome, t.home + "/.local/share");
}

TEST(ColonPathOf, AFolderAndANameMakeAColonPathOfAtMost254Characters) {
  TemporaryFolders t;
  FolderMap f = Ann();
  f.home = t.home;
  fakes::FakeAlerts alerts;
  std::filesystem::create_directory(t.home + "/Documents");
  EXPECT_EQ(ColonPathOf({t.home + "/Documents", "notes"}, f, alerts), "Disk:Users:ann:Documents:notes");
  // An empty name is the folder itself, with its final colon.
  EXPECT_EQ(ColonPathOf({t.home, ""}, f, alerts), "Disk:Users:ann:");
  EXPECT_EQ(ColonPathOf({"/", "notes"}, f, alerts), "Disk:notes");
  EXPECT_EQ(ColonPathOf({t.home, "a:b"}, f, alerts), "Disk:Users:ann:a/b");
  // A folder that is not there has no path, and no alert says so.
  EXPECT_EQ(ColonPathOf({t.home + "/none", "notes"}, f, alerts), "");
  EXPECT_TRUE(alerts.shown.empty());

  // "Disk:Users:ann:" and 239 characters make 254; one more is refused.
  const std::string longest = ColonPathOf({t.home, std::string(239, 'n')}, f, alerts);
  EXPECT_EQ(TextLength(longest), 254u);
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(ColonPathOf({t.home, std::string(240, 'n')}, f, alerts), "");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(alerts.shown[0].text, "Path exceeds 255 characters.");
}

TEST(IsFileVisible, HiddenFilesAndFoldersExistAndLongPathsWork) {
  TemporaryFolders t;
  FolderMap f = Ann();
  f.home = t.home;
  TemporaryFolders::Write(t.home + "/.hidden", "");
  EXPECT_TRUE(IsFileVisible("Disk:Users:ann:.hidden", f));
  EXPECT_TRUE(IsFileVisible("Disk:Users:ann:", f));
  EXPECT_FALSE(IsFileVisible("Disk:Users:ann:missing", f));
  EXPECT_FALSE(IsFileVisible("Disk:Users:ann::", f));
  // A path of 240 characters is looked at like any other.
  const std::string name(225, 'n');
  TemporaryFolders::Write(t.home + "/" + name, "");
  EXPECT_EQ(TextLength("Disk:Users:ann:" + name), 240u);
  EXPECT_TRUE(IsFileVisible("Disk:Users:ann:" + name, f));
}

}  // namespace
}  // namespace korvane
