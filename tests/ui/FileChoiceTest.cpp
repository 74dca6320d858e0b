// The control helpers and the open-file dialog by file kind.

#include <gtest/gtest.h>

#include "fakes/FakeFileDialogs.h"
#include "fakes/FakeWindows.h"
#include "ui/dialogs/FileChoice.h"

namespace korvane::ui {
namespace {

using platform::FileKind;

TEST(FileChoiceTest, TheTypeListOffersItsKindsAndAChosenFileSetsTheResults) {
  fakes::FakeFileDialogs dialogs;
  FileChoice choice(dialogs);
  struct Case {
    const char* types;
    std::vector<FileKind> offered;
  };
  const Case cases[] = {
      {"APPL", {FileKind::Application}},
      {"TEXTKvst", {FileKind::Text, FileKind::Settings}},
      {"FkeyMACPxx", {FileKind::FunctionKeys, FileKind::QuickDial}},  // a short group is not a type
      {"", {}},
      {"????", {}},
  };
  for (const Case& c : cases) {
    choice.FileTypeList = c.types;
    dialogs.answers.push_back("/home/me/notes.txt");
    choice.AskForFile("Select a file");
    EXPECT_EQ(dialogs.asked.back().kinds, c.offered) << c.types;
  }
  EXPECT_EQ(choice.ChosenFileName, "notes.txt");
  EXPECT_EQ(choice.ChosenPath, "/home/me/notes.txt");
  EXPECT_EQ(choice.ChosenFileType, "TEXT");
}

TEST(FileChoiceTest, ACancelledDialogEmptiesTheNameAndKeepsTheEarlierChoice) {
  fakes::FakeFileDialogs dialogs;
  FileChoice choice(dialogs);
  dialogs.answers.push_back("/home/me/keys.kvfkey");
  choice.AskForFile();
  EXPECT_EQ(choice.ChosenFileType, "Fkey");
  dialogs.answers.push_back(std::nullopt);
  choice.AskForFile();
  EXPECT_EQ(choice.ChosenFileName, "");
  EXPECT_EQ(choice.ChosenPath, "/home/me/keys.kvfkey");
  EXPECT_EQ(choice.ChosenFileType, "Fkey");
}

TEST(FileChoiceTest, FileKindsByExtension) {
  const std::pair<const char*, FileKind> cases[] = {
      {"/a/b.txt", FileKind::Text},         {"/a/B.LOG", FileKind::Text},
      {"/a/s.kvst", FileKind::Settings},    {"/a/k.kvfkey", FileKind::FunctionKeys},
      {"/a/q.kvdial", FileKind::QuickDial}, {"/usr/share/applications/x.desktop", FileKind::Application},
      {"/a/Local Shell", FileKind::Any},    {"/a/.txt", FileKind::Any},
      {"/a.txt/b", FileKind::Any}};
  for (const auto& [path, kind] : cases) EXPECT_EQ(platform::FileKindOf(path), kind) << path;
}

TEST(ControlHelpersTest, FontsFocusAndTheScrollBackBarByWindowNumber) {
  fakes::FakeWindows windows;
  windows.MakeSessionWindow(48, "session", 640, 400);
  fakes::RecordingControls* c = windows.ControlsOf(48);
  c->MakeBevelButton(7005, {0, 0, 60, 15}, "F5");
  EXPECT_EQ(SetControlFontAndRedraw(windows, 48, 7005, platform::kLabelFont, 12), 0);
  EXPECT_EQ(c->Find(7005)->size, 12);
  c->Clear();
  SetControlFontAndRedraw(windows, 48, 7006, platform::kLabelFont, 12);  // no such control
  SetControlFontAndRedraw(windows, 60, 7005, platform::kLabelFont, 12);  // no such window
  EXPECT_TRUE(c->calls.empty());

  EXPECT_EQ(FocusedControlNumber(windows, 48), 0);
  EXPECT_EQ(FocusedControlNumber(windows, 30), 0);

  MakeRuntimeControl(windows, 48, 7);  // made along the right edge
  ASSERT_NE(c->Find(8001), nullptr);
  EXPECT_EQ(c->Find(8001)->bounds, (platform::Rect{625, 0, 641, 386}));
  c->SetScrollBarRange(8001, 24, 500, 24);
  MakeRuntimeControl(windows, 48, 300);
  EXPECT_EQ(c->ControlValue(8001), 300);
  EXPECT_EQ(c->Find(8001)->minimum, 24);
  EXPECT_EQ(c->Find(8001)->maximum, 500);
}

}  // namespace
}  // namespace korvane::ui
