// The function keys: names, labels, the built-in sets, a definition the
// host sends, scripted text, function-key documents, and the windows that
// edit them (9, 27, 31).

#include <deque>

#include "DialogFixture.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/KeyEditing.h"

namespace korvane::ui {
namespace {

// ---- Names, labels and the built-in sets ---------------------------------------------------

TEST(FunctionKeysTest, KeyNamesAndRowNumbers) {
  SessionOptions Opt;
  Opt.FkeyTitles[4] = "  Save  ";
  Opt.ShiftFkeyTitles[4] = " Print  ";
  struct Case {
    int key;
    const char* name;
    int row;
    const char* label;
  };
  const Case cases[] = {{4, "F4", 4, "  Save  "}, {20, "SF 4", 4, " Print  "}, {16, "F16", 16, ""},
                        {32, "SF 16", 16, ""},    {40, "SF 16", 16, ""},       {0, "F1", 1, ""}};
  for (const Case& c : cases) {
    const FunctionKeyName n = FunctionKeyLabel(Opt, c.key);
    EXPECT_EQ(n.name, c.name) << c.key;
    EXPECT_EQ(n.rowNumber, c.row) << c.key;
    EXPECT_EQ(n.label, c.label) << c.key;
  }
}

TEST(FunctionKeysTest, LabelsAreEightCharactersCentredWithTheOddBlankBehind) {
  const std::pair<const char*, const char*> cases[] = {{"abc", "  abc   "},       {"", "        "},
                                                       {"F1", "   F1   "},        {"12345678", "12345678"},
                                                       {"123456789", "12345678"}, {"SF16", "  SF16  "}};
  for (const auto& [label, padded] : cases) EXPECT_EQ(PadLabel(label), padded) << label;
}

TEST(FunctionKeysTest, TheBuiltInSetsOfBothTypes) {
  SessionOptions Opt;
  Opt.FkeySetType = 1;
  LoadBuiltInKeyLabels(Opt);
  EXPECT_EQ(Opt.FkeyStrings[1], "\x01@{CR");
  EXPECT_EQ(Opt.FkeyStrings[16], "\x01O{CR");
  EXPECT_EQ(Opt.FkeyStrings[17], "\x01`{CR");
  EXPECT_EQ(Opt.FkeyStrings[32], "\x01o{CR");
  EXPECT_EQ(Opt.FkeyTitles[1], "   F1   ");
  EXPECT_EQ(Opt.ShiftFkeyTitles[16], "  SF16  ");
  Opt.FkeySetType = 0;
  LoadBuiltInKeyLabels(Opt);
  EXPECT_EQ(Opt.FkeyStrings[1],
            "\x02"
            "1{CR");
  EXPECT_EQ(Opt.FkeyStrings[15], "\x02?{CR");
  EXPECT_EQ(Opt.FkeyStrings[16],
            "\x02"
            "0{CR");
  EXPECT_EQ(Opt.FkeyStrings[17], "\x02!{CR");
  EXPECT_EQ(Opt.FkeyStrings[31], "\x02/{CR");
  EXPECT_EQ(Opt.FkeyStrings[32], "\x02 {CR");
}

// ---- A definition the host sends -----------------------------------------------------------

struct HostBytes {
  std::deque<int> bytes;
  int read = 0;
  std::optional<int> operator()() {
    if (bytes.empty()) return std::nullopt;
    ++read;
    const int b = bytes.front();
    bytes.pop_front();
    return b;
  }
};

TEST(FunctionKeysTest, TheHostsKeyCodesNameTheKeys) {
  struct Case {
    int code;
    int key;
  };
  const Case cases[] = {{'1', 1},  {'?', 15}, {'0', 16}, {'!', 17}, {'/', 31}, {' ', 32}, {'@', 1}, {'O', 16},
                        {'`', 17}, {'o', 32}, {'P', 0},  {'_', 0},  {'(', -1}, {')', -1}, {31, 0},  {112, 0}};
  for (const Case& c : cases) EXPECT_EQ(HostKeyOfCode(c.code), c.key) << c.code;
}

TEST(FunctionKeysTest, AHostDefinitionReplacesItsKeyUpToTheCarriageReturn) {
  struct Case {
    int code, first;
    std::vector<int> rest;
    HostKeyResult result;
    int key;
    std::string stored;
    int left;  // bytes the reader did not take
  };
  const Case cases[] = {
      {'0', 'l', {'s', 13, 'x'}, HostKeyResult::Stored, 16, "ls{CR", 1},
      {' ', 'a', {127, 'x'}, HostKeyResult::Stored, 32, "a", 1},
      {'`', 'q', {27, 13}, HostKeyResult::Stored, 17, "q\x1b{CR", 0},
      {'@', 13, {}, HostKeyResult::Stored, 1, "{CR", 0},
      {'1', 13, {'x'}, HostKeyResult::Dropped, 1, "old", 1},
      {'1', 127, {'x'}, HostKeyResult::Dropped, 1, "old", 1},
      {'P', 'x', {'y', 13}, HostKeyResult::NotAKey, 0, "", 2},
      {'(', 'x', {'y', 13, 'z'}, HostKeyResult::Dropped, 0, "", 1},
      {'1', 'a', {'b'}, HostKeyResult::Stored, 1, "ab", 0},  // the host stopped sending
  };
  for (const Case& c : cases) {
    SessionOptions Opt;
    for (auto& s : Opt.FkeyStrings) s = "old";
    HostBytes host{{c.rest.begin(), c.rest.end()}};
    EXPECT_EQ(StoreHostKeyDefinition(Opt, c.code, c.first, std::ref(host)), c.result) << c.code;
    if (c.key > 0) {
      EXPECT_EQ(Opt.FkeyStrings[static_cast<std::size_t>(c.key)], c.stored) << c.code;
    }
    EXPECT_EQ(static_cast<int>(host.bytes.size()), c.left) << c.code;
    if (c.result != HostKeyResult::Stored) {
      for (int k = 1; k <= 32; ++k) EXPECT_EQ(Opt.FkeyStrings[static_cast<std::size_t>(k)], "old") << c.code;
    }
  }
}

TEST(FunctionKeysTest, AHostDefinitionKeepsAtMost253BytesAndReadsTheRestAway) {
  SessionOptions Opt;
  HostBytes host;
  for (int i = 0; i < 300; ++i) host.bytes.push_back('a' + i % 26);
  host.bytes.push_back(13);
  host.bytes.push_back('n');
  StoreHostKeyDefinition(Opt, '2', 'a', std::ref(host));
  EXPECT_EQ(Opt.FkeyStrings[2].size(), 253u);
  EXPECT_EQ(host.bytes.size(), 1u);
}

TEST(FunctionKeysTest, ScriptedTextEndsWithACarriageReturnUnlessMarked) {
  const std::pair<const char*, const char*> cases[] = {{"x{nocr}", "x"},           {"y{NOCR}", "y"},
                                                       {"hello", "hello\r"},       {"{NOCR}", "{NOCR}\r"},
                                                       {"ab{NOCR}", "ab{NOCR}\r"}, {"", "\r"}};
  for (const auto& [text, sent] : cases) EXPECT_EQ(ScriptedTextBytes(text), sent) << text;
}

TEST(FunctionKeysTest, EditingKeyStrings) {
  const EditKeyStrings built = BuildControlStrings();
  EXPECT_EQ(built[0], "\x1bQ");
  EXPECT_EQ(built[4],
            "\x1b"
            "E");
  EXPECT_EQ(built[7], "\x1bq");
  for (const auto& s : ClearHostStrings()) EXPECT_TRUE(s.empty());
}

// ---- Documents and the editors' text ----------------------------------------------------------

TEST(FunctionKeysTest, AFunctionKeyDocumentReadsBackExactlyEvenWithLineEndsInsideAKey) {
  SessionOptions Opt;
  Opt.FkeySetType = 0;
  LoadBuiltInKeyLabels(Opt);
  Opt.FkeyStrings[5] = "cd /tmp\rls\n";
  Opt.FkeyTitles[3] = "Caf\x8E";
  const std::string bytes = FunctionKeyFileBytes(Opt);
  SessionOptions back;
  ASSERT_TRUE(ReadFunctionKeyFile(bytes, back));
  EXPECT_EQ(back.FkeyStrings[5], "cd /tmp{CRls{LF");
  EXPECT_EQ(back.FkeyStrings[16], Opt.FkeyStrings[16]);
  EXPECT_EQ(back.FkeyTitles[3], "Caf\x8E");
  EXPECT_EQ(back.ShiftFkeyTitles[16], Opt.ShiftFkeyTitles[16]);
  // A file cut short changes nothing.
  SessionOptions untouched;
  untouched.FkeyStrings[1] = "keep";
  EXPECT_FALSE(ReadFunctionKeyFile(bytes.substr(0, bytes.size() / 2), untouched));
  EXPECT_EQ(untouched.FkeyStrings[1], "keep");
}

TEST(FunctionKeysTest, TheProgramsOwnDefaultsCannotBeOverwrittenUnderAnyCase) {
  const std::pair<const char*, bool> cases[] = {
      {"/home/me/Korvane Fkeydefaults", true}, {"/home/me/korvane fkeydefaults.fkeys", true},
      {"/x/My KORVANE FKEYDEFAULTS", true},    {"/home/me/Fkeydefaults", false},
      {"/home/me/Korvane Fkeys.fkeys", false}, {"/home/me/korvane fkeydefaults/other", false}};
  for (const auto& [path, protectedName] : cases) EXPECT_EQ(IsProtectedFkeyFileName(path), protectedName) << path;
}

TEST(FunctionKeysTest, TokenFormTrimmedLabelsAndTokensAtTheSelection) {
  EXPECT_EQ(TokenForm("\x1b\x01"
                      "a\r\x1c\x1d\x1e"),
            "{ES{CTAa{CTM{ \\{ ]{ ^");
  EXPECT_EQ(TrimLabel(std::string(10, ' ') + "ab" + std::string(9, ' ')), "  ab ");
  EXPECT_EQ(TrimLabel("  x  "), "x");
  platform::TextSelection sel{2, 4};
  EXPECT_EQ(ReplaceSelection("abcdef", sel, "{CR"), "ab{CRef");
  EXPECT_EQ(sel, (platform::TextSelection{5, 5}));
  sel = {10, 12};
  EXPECT_EQ(ReplaceSelection("ab", sel, "{ES"), "ab{ES");
}

// ---- The windows -------------------------------------------------------------------------------

class FkeyDialogsTest : public DialogTest {
 protected:
  FkeyDialogsTest() {
    Opt.FkeySetType = 0;
    LoadBuiltInKeyLabels(Opt);
  }
};

TEST_F(FkeyDialogsTest, TheEditorShowsTheKeyInTokenFormAndChangesNothingUntilConfirmed) {
  Opt.FkeyStrings[20] =
      "\x1b\x01"
      "x";
  Opt.ShiftFkeyTitles[4] = std::string(10, ' ') + "Go";
  const SessionOptions before = Opt;
  dialogs.OpenFkeySelection(Opt);
  Choose(9, 10, 20);
  Click(9, 4);
  ASSERT_TRUE(IsOpen(27));
  EXPECT_FALSE(IsOpen(9));
  EXPECT_EQ(Field(27, 4), "SF 4");
  EXPECT_EQ(Field(27, 6), "{ES{CTAx");
  EXPECT_EQ(Field(27, 5), "  Go");
  EXPECT_EQ(C(27)->FocusedControlNumber(), 6);
  EXPECT_EQ(Opt, before);
  C(27)->SetTextSelection(6, {3, 3});
  Click(27, 13);
  EXPECT_EQ(Field(27, 6), "{ES{CR{CTAx");
  Click(27, 3);
  EXPECT_EQ(Opt, before);
}

TEST_F(FkeyDialogsTest, ConfirmingTheEditorStoresTheKeyAndPadsItsLabel) {
  dialogs.ConnectionDialogA(Opt, 3);
  Type(27, 6, "ls -l{CR");
  Type(27, 5, "List");
  Click(27, 2);
  EXPECT_FALSE(IsOpen(27));
  EXPECT_EQ(Opt.FkeyStrings[3], "ls -l{CR");
  EXPECT_EQ(Opt.FkeyTitles[3], "  List  ");
  EXPECT_TRUE(host.Called("RedrawFunctionKeyBar"));
  EXPECT_TRUE(host.Called("MarkSettingsChanged"));
  dialogs.ConnectionDialogA(Opt, 40);  // key 32
  EXPECT_EQ(dialogs.EditedKey(), 32);
  Type(27, 5, "Shifted");
  Click(27, 2);
  EXPECT_EQ(Opt.ShiftFkeyTitles[16], "Shifted ");
}

TEST_F(FkeyDialogsTest, CopyAndPasteCarryAKeyToAnother) {
  dialogs.ConnectionDialogA(Opt, 1);
  Click(27, 36);  // nothing copied yet
  EXPECT_TRUE(host.Called("Beep"));
  Type(27, 6, "date{CR");
  Type(27, 5, "Date");
  Click(27, 35);
  Click(27, 3);
  dialogs.ConnectionDialogA(Opt, 2);
  Click(27, 36);
  EXPECT_EQ(Field(27, 6), "date{CR");
  EXPECT_EQ(Field(27, 5), "Date");
  Click(27, 2);
  EXPECT_EQ(Opt.FkeyStrings[2], "date{CR");
  EXPECT_EQ(Opt.FkeyStrings[1],
            "\x02"
            "1{CR");
}

TEST_F(FkeyDialogsTest, AKeyStringLongerThanAKeyMayHoldIsRefused) {
  const SessionOptions before = Opt;
  dialogs.ConnectionDialogA(Opt, 5);
  Type(27, 6, std::string(70, 'x') + std::string(62 * 3, 'y'));
  Click(27, 2);
  EXPECT_TRUE(IsOpen(27));
  EXPECT_EQ(Opt, before);
  EXPECT_EQ(LastAlert().rfind("A key string may hold at most 255 characters.", 0), 0u);
}

TEST_F(FkeyDialogsTest, FkeyOptionsConfirmationStoresTheOptionsAndResetsOrLoadsTheKeys) {
  Opt.ColumnOption27 = 1;
  Opt.BreakOption32 = 1;
  Opt.EmuWyse50 = 1;
  Opt.FkeyStrings[1] = "mine";
  dialogs.OpenFkeyOptions(Opt);
  EXPECT_EQ(Value(31, 14), 1);
  Click(31, 13);
  Click(31, 17);
  Click(31, 8);
  Click(31, 1);
  EXPECT_EQ(Opt.ColumnOption31, 1);
  EXPECT_EQ(Opt.BreakOption32, 0);
  EXPECT_EQ(Opt.ColumnOption27, 0);
  EXPECT_EQ(Opt.HostFeatureOption, 1);
  EXPECT_EQ(Opt.FkeyBarShown, 1);
  EXPECT_EQ(Opt.FkeySetType, 1);  // a Wyse session takes the Wyse set
  EXPECT_EQ(Opt.FkeyStrings[1], "\x01@{CR");

  SessionOptions shell;
  for (int k = 1; k <= 32; ++k) shell.FkeyStrings[static_cast<std::size_t>(k)] = "{ES[" + std::to_string(k) + "~";
  for (int k = 1; k <= 16; ++k) shell.FkeyTitles[static_cast<std::size_t>(k)] = PadLabel("L" + std::to_string(k));
  files.files["/resources/Fkeys/Local Shell fkeys"] = FunctionKeyFileBytes(shell);
  menus.MarkItem(platform::kEmulateMenu, 22, true);
  dialogs.OpenFkeyOptions(Opt);
  Click(31, 9);
  Click(31, 1);
  EXPECT_EQ(Opt.FkeyStrings[7], "{ES[7~");
  EXPECT_EQ(Opt.FkeyTitles[2], "   L2   ");
  EXPECT_FALSE(menus.ItemMarked(platform::kEmulateMenu, 22));
  EXPECT_TRUE(host.Called("RequestRepaint"));
}

TEST_F(FkeyDialogsTest, ASecondClickOnTheChosenWayLeavesTheKeysAsTheyAre) {
  Opt.FkeyStrings[1] = "mine";
  dialogs.OpenFkeyOptions(Opt);
  Click(31, 8);
  Click(31, 8);
  EXPECT_EQ(Value(31, 8) + Value(31, 9) + Value(31, 19) + Value(31, 20), 0);
  Click(31, 1);
  EXPECT_EQ(Opt.FkeyStrings[1], "mine");
}

TEST_F(FkeyDialogsTest, AMissingLocalShellKeysFileIsReportedAndTheKeysStay) {
  Opt.FkeyStrings[1] = "mine";
  dialogs.OpenFkeyOptions(Opt);
  Click(31, 20);
  Click(31, 1);
  EXPECT_NE(LastAlert().find("/resources/Fkeys/Local Shell fkeys could not be read:"), std::string::npos);
  EXPECT_EQ(Opt.FkeyStrings[1], "mine");
}

TEST_F(FkeyDialogsTest, SavingTheKeysWritesADocumentAndRefusesTheProgramsOwnDefaults) {
  Opt.FkeyStrings[9] = "vi{CR";
  dialogs.OpenFkeyOptions(Opt);
  fileDialogs.answers.push_back("/home/me/korvane fkeydefaults.fkeys");
  Click(31, 16);
  EXPECT_EQ(LastAlert(), "Delete Error! You cannot overwrite this file. It is an original Korvane Fkey Defaults file");
  EXPECT_TRUE(files.writes.empty());
  EXPECT_EQ(fileDialogs.asked.back().prompt, "Please name your Fkey file");
  EXPECT_TRUE(fileDialogs.asked.back().save);
  fileDialogs.answers.push_back("/home/me/work.fkeys");
  Click(31, 16);
  ASSERT_EQ(files.writes, std::vector<std::string>{"/home/me/work.fkeys"});
  SessionOptions back;
  ASSERT_TRUE(ReadFunctionKeyFile(files.files["/home/me/work.fkeys"], back));
  EXPECT_EQ(back.FkeyStrings[9], "vi{CR");
  EXPECT_TRUE(IsOpen(31));  // saving leaves the window open

  // Loading a document chosen in the open dialog confirms the window.
  back.FkeyStrings[9] = "emacs{CR";
  files.files["/home/me/other.fkeys"] = FunctionKeyFileBytes(back);
  fileDialogs.answers.push_back(std::nullopt);
  Click(31, 15);
  EXPECT_TRUE(IsOpen(31));
  fileDialogs.answers.push_back("/home/me/other.fkeys");
  Click(31, 15);
  EXPECT_FALSE(IsOpen(31));
  EXPECT_EQ(Opt.FkeyStrings[9], "emacs{CR");
  EXPECT_EQ(fileDialogs.asked.back().kinds, std::vector<platform::FileKind>{platform::FileKind::FunctionKeys});
}

}  // namespace
}  // namespace korvane::ui

namespace korvane::ui {
namespace {

TEST(FunctionKeysTest, TheLocalShellKeysTheProgramCarriesAreAFunctionKeyDocument) {
  QFile file(QString(KORVANE_RESOURCES) + "/Fkeys/Local Shell fkeys");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  SessionOptions Opt;
  ASSERT_TRUE(ReadFunctionKeyFile(file.readAll().toStdString(), Opt));
  EXPECT_EQ(Opt.FkeyStrings[1], "{ESOP");
  EXPECT_EQ(Opt.FkeyStrings[5], "{ES[15~");
  EXPECT_EQ(Opt.ShiftFkeyTitles[16], "  SF16  ");
}

}  // namespace
}  // namespace korvane::ui
