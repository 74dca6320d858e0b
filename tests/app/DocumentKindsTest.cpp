// Documents given to the program, told apart by their kind: a settings
// document opens a session window, a function-key or QuickDial document acts
// on the session, anything else is refused with a note; from the command
// line, File > Open and a host alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

std::string FunctionKeyDocument() {
  std::string document;
  for (int k = 1; k <= 32; ++k) document += "<key " + std::to_string(k) + ">\n";
  for (int k = 1; k <= 32; ++k) document += "L" + std::to_string(k) + "\n";
  return document;
}

class DocumentKinds : public AppFixture {
 protected:
  int AlertsWith(const std::string& text) const {
    int n = 0;
    for (const auto& a : alerts.shown) n += a.text.find(text) != std::string::npos;
    return n;
  }
};

TEST_F(DocumentKinds, TheCommandLinesDocumentsOpenEachByItsKind) {
  files.ReplaceFile("/docs/keys.kvfkey", FunctionKeyDocument());
  files.ReplaceFile("/docs/notes.txt", "a letter\n");
  WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
  // The function keys come first: they are no window of their own.
  Start({"/docs/keys.kvfkey", "/docs/local", "/docs/notes.txt"});
  Turns(5);
  EXPECT_EQ(app->windows.Numbers(), std::vector<int>{platform::kSessionWindowBase});
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using local"});
  EXPECT_EQ(Window(platform::kSessionWindowBase).session.Opt.FkeyStrings[2], "<key 2>");
  // The letter is no settings document: refused by name, no window from it.
  EXPECT_EQ(AlertsWith("notes.txt cannot be opened"), 1);
  EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(DocumentKinds, AHostsDocumentOpensInTheProgramAndAMissingOneIsReported) {
  StartLocal();
  files.ReplaceFile("/docs/keys.kvfkey", FunctionKeyDocument());
  SessionWindow& w = Window(platform::kSessionWindowBase);
  EXPECT_TRUE(w.OpenOwnDocument("/docs/keys.kvfkey"));
  // A file of no kind of Korvane's is the desktop's.
  files.ReplaceFile("/docs/notes.txt", "a letter\n");
  EXPECT_FALSE(w.OpenOwnDocument("/docs/notes.txt"));
  Turns(3);
  EXPECT_EQ(w.session.Opt.FkeyStrings[2], "<key 2>");
  EXPECT_TRUE(alerts.shown.empty());
  // Gone by the time the idle pass opens it: told, not read.
  EXPECT_TRUE(w.OpenOwnDocument("/docs/gone.kvfkey"));
  Turns(3);
  EXPECT_EQ(AlertsWith("/docs/gone.kvfkey was not found."), 1);
}

TEST_F(DocumentKinds, FileOpenTakesAFunctionKeyDocumentIntoTheWindowAndRefusesOtherFiles) {
  StartLocal();
  files.ReplaceFile("/docs/keys.kvfkey", FunctionKeyDocument());
  files.ReplaceFile("/docs/notes.txt", "a letter\n");
  fileDialogs.answers = {std::string("/docs/keys.kvfkey"), std::string("/docs/notes.txt")};
  Menu(platform::kFileMenu, 7 /* Open Settings */);
  Turns(3);
  EXPECT_EQ(Window(platform::kSessionWindowBase).session.Opt.FkeyStrings[2], "<key 2>");
  EXPECT_EQ(app->windows.Count(), 1);
  Menu(platform::kFileMenu, 7 /* Open Settings */);
  Turns(3);
  EXPECT_EQ(AlertsWith("/docs/notes.txt is not a document Korvane can open."), 1);
  EXPECT_EQ(app->windows.Count(), 1);
}

}  // namespace
}  // namespace korvane::testing
