// Host-requested actions of the Wyse family: addresses and files the host
// asks to open, transfers, identification, printer routing, messages, key
// programming and labels, and the sequences handed to the shared handlers.
// The host-attack tables check that no hostile request starts a program,
// opens or writes a file, and that each is refused with an alert.

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WyseFixture.h"
#include "emulation/SharedSequences.h"
#include "platform/AlertButtons.h"
#include "settings/ColonPaths.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing_support::WyseTest;
using K = EmulationKind;

// Records which shared handler the interpreter called, and with which byte.
class RecordingShared final : public SharedSequences {
 public:
  std::vector<std::string> calls;
  void PutCharAtAddress(HostInput&) override { calls.push_back("PutCharAtAddress"); }
  void PutCharAtAddress2(HostInput&) override { calls.push_back("PutCharAtAddress2"); }
  void DrawBoxFromHost(HostInput&) override { calls.push_back("DrawBoxFromHost"); }
  void DrawBoxFromHost2(HostInput&) override { calls.push_back("DrawBoxFromHost2"); }
  // Takes the sequence as private when its first byte is "=".
  bool AnsiPrivateSequences(HostInput& in) override {
    calls.push_back("AnsiPrivateSequences");
    in.GetNextHostByte();
    if (in.NextHostByte == '=') return true;
    in.PushBackHostByte(in.NextHostByte);
    return false;
  }
  void HostProgrammingCommand(HostInput& in) override {
    calls.push_back(std::string("HostProgrammingCommand ") + static_cast<char>(in.NextHostByte));
  }
  AnsiColourEnd ExtendedAnsiColour(int b) override {
    calls.push_back(std::string("ExtendedAnsiColour ") + static_cast<char>(b));
    return AnsiColourEnd::AttributeStep;
  }
  bool ScoLineGraphicsAttributes(std::string_view params) override {
    calls.push_back("ScoLineGraphicsAttributes " + std::string(params));
    return false;
  }
  bool ScoColourCommand(int final, const std::string& params) override {
    calls.push_back("ScoColourCommand " + std::string(1, static_cast<char>(final)) + params);
    return true;
  }
};

class WyseActions : public WyseTest {
 protected:
  // Every regular file under the temporary home, to show nothing was written.
  std::vector<std::string> FilesUnderHome() {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(home))
      if (e.is_regular_file()) out.push_back(e.path().string());
    return out;
  }
  void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
  }
};

// ---- Open-location: addresses ---------------------------------------------------------

struct AddressCase {
  const char* text;
  const char* opened;  // what the desktop receives; null: refused
};

TEST_F(WyseActions, AddressesAreOpenedOnlyWhenTheyArePlainHttpOrMail) {
  const AddressCase cases[] = {
      {"http://example.com/a", "http://example.com/a"},
      {"https://example.com/p?q=1   ", "https://example.com/p?q=1"},
      {"mailto:someone@example.com", "mailto:someone@example.com"},
      // Fields a mail program may take as a local file to attach are taken out.
      {"mailto:a@example.com?subject=hi&attach=/home/u/.ssh/id_rsa", "mailto:a@example.com?subject=hi"},
      {"mailto:a@example.com?ATTACH=x&body=y&file=z&att%61ch=w", "mailto:a@example.com?body=y"},
      {"http://x\" & (do shell script \"touch /tmp/pwned\") & \"", nullptr},
      {"http://x/$(touch pwned)", nullptr},
      {"http://x/`touch pwned`", nullptr},
      {"http://x/a b", nullptr},
      {"file:///etc/passwd?http", nullptr},
      {"javascript:alert(1)//http", nullptr},
      {"smb://host/share/mailto", nullptr},
  };
  for (const AddressCase& c : cases) {
    SCOPED_TRACE(c.text);
    desktop.urls.clear();
    alerts.shown.clear();
    Feed(std::string("\x1b\x02<") + c.text + "\r");
    if (c.opened) {
      // Opened after the user's yes, to the question that shows the address.
      EXPECT_EQ(desktop.urls, std::vector<std::string>{c.opened});
      ASSERT_EQ(alerts.shown.size(), 1u);
      EXPECT_EQ(alerts.shown[0].id, platform::kAskBeforeOpeningPageAlert);
      EXPECT_NE(AlertText(0).find(c.opened), std::string::npos);
    } else {
      EXPECT_TRUE(desktop.urls.empty());
      ASSERT_EQ(alerts.shown.size(), 1u);
      EXPECT_NE(AlertText(0).find("does not open"), std::string::npos);
    }
    EXPECT_TRUE(desktop.files.empty());
    EXPECT_TRUE(FilesUnderHome().empty());
  }
}

TEST_F(WyseActions, AnAddressIsOpenedOnlyOnAYesAndAFloodGetsOneQuestion) {
  struct {
    int button;
    bool opened;
  } answers[] = {{2, false}, {1, true}, {platform::kOkDontAskAgainItem, true}};
  for (const auto& a : answers) {
    SCOPED_TRACE(a.button);
    desktop.urls.clear();
    alerts.holdOpen = true;
    // 200 requests while the question is up: one question, nothing opened.
    for (int i = 0; i < 200; ++i) Feed("\x1b\x02<http://example.com/" + std::to_string(i) + "\r");
    ASSERT_EQ(alerts.OpenAlerts().size(), 1u);
    EXPECT_TRUE(desktop.urls.empty());
    ASSERT_TRUE(alerts.AnswerOpen(a.button));
    EXPECT_EQ(desktop.urls.size(), a.opened ? 1u : 0u);
    if (a.opened) {
      EXPECT_EQ(desktop.urls[0], "http://example.com/0");
    }
    // The user hears how many were dropped, in one notice.
    ASSERT_EQ(alerts.OpenAlerts().size(), 1u);
    EXPECT_NE(alerts.shown[alerts.OpenAlerts()[0]].text.find("199"), std::string::npos);
    ASSERT_TRUE(alerts.AnswerOpen(1));
    EXPECT_TRUE(alerts.OpenAlerts().empty());
  }
  // After "don't ask again" the session's later pages open without a question.
  alerts.shown.clear();
  desktop.urls.clear();
  Feed("\x1b\x02<http://example.com/later\r");
  EXPECT_EQ(desktop.urls, std::vector<std::string>{"http://example.com/later"});
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(WyseActions, AnAddressCutOffOrEndlessIsNotOpened) {
  Feed("\x1b\x02>http://example.com/");  // the host stops before the CR
  EXPECT_TRUE(desktop.urls.empty());
  Feed("\x1b\x02>http://" + std::string(5000, 'a') + "\rok");
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_EQ(alerts.shown.size(), 1u);
  // What follows the dropped address is shown as usual.
  EXPECT_EQ(Row(1), "ok");
}

// ---- Open-location: files -----------------------------------------------------------------

struct FileCase {
  const char* hostPath;
  const char* reason;  // a piece of the refusal alert
};

TEST_F(WyseActions, HostNamedFilesOutsideTheirFolderAreRefused) {
  fs::create_directory_symlink("/etc", home / "Desktop" / "link");
  const FileCase cases[] = {
      {"../../etc/passwd", "\"..\""},         {"/etc/passwd", "outside"},
      {"BootVolume/etc/passwd", "outside"},   {"C:\\Windows\\system.ini", "outside"},
      {"Macintosh HD:etc:passwd", "outside"}, {"UserDesktop/link/passwd", "outside"},
      {"UserDesktop/../../x", "\"..\""},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.hostPath);
    alerts.shown.clear();
    Feed(std::string("\x1b\x02>") + c.hostPath + "\r");
    EXPECT_TRUE(desktop.files.empty());
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
    EXPECT_NE(AlertText(0).find(c.reason), std::string::npos) << AlertText(0);
  }
}

TEST_F(WyseActions, AFileInsideTheFolderIsOpenedOnlyWhenTheUserAgrees) {
  Touch(home / "Desktop" / "note.txt");
  alerts.answers = {2};  // Cancel
  Feed("\x1b\x02>UserDesktop\\note.txt\r");
  EXPECT_TRUE(desktop.files.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);

  alerts.answers = {1};
  Feed("\x1b\x02>\"UserDesktop/note.txt\"\r");
  EXPECT_EQ(desktop.files, std::vector<std::string>{fs::canonical(home / "Desktop" / "note.txt").string()});
}

TEST_F(WyseActions, AMacPathNamesTheUsersFoldersHere) {
  Touch(home / "Desktop" / "note.txt");
  const std::string user = FolderMap::ForThisUser().user;
  alerts.answers = {1};
  Feed("\x1b\x02>Macintosh HD:Users:" + user + ":Desktop:note.txt\r");
  EXPECT_EQ(desktop.files, std::vector<std::string>{fs::canonical(home / "Desktop" / "note.txt").string()});
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].id, platform::kAskBeforeOpeningAlert);
  // The Mac's step up to a parent folder is no way out.
  alerts.shown.clear();
  Feed("\x1b\x02>Macintosh HD:Users:" + user + ":Desktop::::etc:passwd\r");
  EXPECT_EQ(desktop.files.size(), 1u);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(AlertText(0).find("names no file"), std::string::npos) << AlertText(0);
}

TEST_F(WyseActions, APlainNameIsOneOfTheProgramsOwnDocuments) {
  Touch(home / "resources" / "docs" / "a.txt");
  Feed("\x1b\x02>docs\\a.txt\r");
  EXPECT_EQ(desktop.files, std::vector<std::string>{fs::canonical(home / "resources" / "docs" / "a.txt").string()});
  Feed("\x1b\x02>docs/missing.txt\r");
  EXPECT_NE(alerts.shown.back().text.find(" was not found."), std::string::npos);
}

TEST_F(WyseActions, KorvanesOwnDocumentsTheHostOpensGoToTheProgramNotTheDesktop) {
  Touch(home / "Desktop" / "office.kvst");
  // The program takes it (it is one of its documents): the desktop gets nothing.
  actions.ownDocuments = true;
  alerts.answers = {1};
  Feed("\x1b\x02>UserDesktop/office.kvst\r");
  const std::string resolved = fs::canonical(home / "Desktop" / "office.kvst").string();
  EXPECT_NE(std::find(actions.calls.begin(), actions.calls.end(), "OpenOwnDocument " + resolved), actions.calls.end());
  EXPECT_TRUE(desktop.files.empty());
  // Not one of its documents: the desktop's program opens it.
  actions.ownDocuments = false;
  alerts.answers = {1};
  Feed("\x1b\x02>UserDesktop/office.kvst\r");
  EXPECT_EQ(desktop.files, std::vector<std::string>{resolved});
  // Refused before the user is asked: the program is never told.
  actions.calls.clear();
  Feed("\x1b\x02>UserDesktop/../../office.kvst\r");
  for (const std::string& call : actions.calls) EXPECT_EQ(call.find("OpenOwnDocument"), std::string::npos) << call;
}

// ---- Files the host checks, sends and writes ---------------------------------------------------

TEST_F(WyseActions, FileExistsLooksOnlyInsideTheTransferFolders) {
  Touch(home / "Desktop" / "x");
  Touch(home / ".ssh" / "id_rsa");
  Touch(home / "transfers" / "t.txt");
  Touch(home / "Documents" / "pick" / "p.txt");
  Touch(home / "Documents" / "kermit_transfers" / "k.bin");
  const std::string homeText = home.string();
  const std::string sshKey = homeText + "/.ssh/id_rsa";
  const std::string transferFile = homeText + "/transfers/t.txt";
  const std::string pickFile = homeText + "/Documents/pick/p.txt";
  const std::string kermitFile = homeText + "/Documents/kermit_transfers/k.bin";
  struct {
    const char* path;
    const char* answer;
  } cases[] = {
      {"t.txt", "1\r"},
      {"missing.txt", "0\r"},
      {transferFile.c_str(), "1\r"},
      {pickFile.c_str(), "1\r"},
      {kermitFile.c_str(), "1\r"},
      // Files of the user's that exist, outside the transfer folders.
      {"UserDesktop/x", "0\r"},
      {sshKey.c_str(), "0\r"},
      {"../.ssh/id_rsa", "0\r"},
      {"BootVolume/etc/passwd", "0\r"},
      {"../../../../etc/passwd", "0\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    pty->written.clear();
    Feed(std::string("\x1b\x02PFileExists(") + c.path + ")\r");
    EXPECT_EQ(Answer(), c.answer);
  }
  pty->written.clear();
  Feed("\x1b\x02POtherCommand(x)\r");
  EXPECT_EQ(Answer(), "");
}

TEST_F(WyseActions, TheHostsSendRequestNamesAFileInTheTransferFolder) {
  Feed("\x1b~Greport.txt\r");
  ASSERT_EQ(actions.calls.size(), 1u);
  EXPECT_EQ(actions.calls[0],
            "HostRequestedSend " + (fs::weakly_canonical(home / "Documents" / "pick" / "report.txt")).string());
  for (const char* bad : {"../../.ssh/id_rsa", "/etc/shadow", "BootVolume/etc/shadow"}) {
    SCOPED_TRACE(bad);
    actions.calls.clear();
    alerts.shown.clear();
    Feed(std::string("\x1b~G") + bad + "\r");
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_EQ(alerts.shown.size(), 1u);
  }
}

TEST_F(WyseActions, ATextTransferCapturesIntoTheTransferFileAndReportsItsCount) {
  Feed(
      "\x1b\x02"
      "DA\r");
  const std::string ft = fs::weakly_canonical(home / "Documents" / "pick" / "ft.txt").string();
  EXPECT_TRUE(fs::is_directory(home / "Documents" / "pick"));
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"CloseCaptureFile", "OpenTransferCapture " + ft}));
  EXPECT_EQ(in().CaptureFileOn, 1);
  EXPECT_EQ(session.wyse.TransferResult, 0);
  // The watcher counts the ESC that starts the status request too.
  in().TransferByteCount = 1233;
  pty->written.clear();
  Feed("\x1b\x02S");
  EXPECT_EQ(Answer(), "Status: 0 Files 1 bytes 1234\r");
  EXPECT_EQ(in().TransferByteCount, 0);
}

TEST_F(WyseActions, AnExistingTransferFileIsReplacedOnlyWhenTheHostAllowsIt) {
  Touch(home / "Documents" / "pick" / "ft.txt");
  Feed(
      "\x1b\x02"
      "DA\r");
  EXPECT_EQ(session.wyse.TransferResult, 3);
  EXPECT_NE(AlertText(0).find("ft.txt exists"), std::string::npos);
  EXPECT_TRUE(actions.calls.empty());
  Feed(
      "\x1b\x02"
      "DAO\r");
  EXPECT_EQ(session.wyse.TransferResult, 0);
  EXPECT_EQ(actions.calls.size(), 2u);
}

TEST_F(WyseActions, ATransferFolderThatLeadsOutsideIsRefused) {
  const fs::path outside = home / "elsewhere";
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, home / "Documents" / "pick");
  Feed(
      "\x1b\x02"
      "DA\r");
  EXPECT_EQ(session.wyse.TransferResult, 1);
  EXPECT_EQ(actions.calls, std::vector<std::string>{"ShowCaptureStatus"});
  EXPECT_EQ(in().CaptureFileOn, 0);
}

TEST_F(WyseActions, ACaptureThatCannotBeOpenedIsReportedAndTheOutputGoesOn) {
  actions.transferCaptureResult = false;
  Feed(
      "\x1b\x02"
      "DA\rafter");
  EXPECT_EQ(session.wyse.TransferResult, 1);
  EXPECT_NE(AlertText(0).find("Unable to open!"), std::string::npos);
  EXPECT_EQ(Row(1), "after");
}

TEST_F(WyseActions, KermitAndUnknownProtocolsAreRefused) {
  Feed(
      "\x1b\x02"
      "DK\r");
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_EQ(alerts.shown[0].id, 320);
  EXPECT_NE(AlertText(1).find("protocol not Supported"), std::string::npos);
  EXPECT_EQ(session.wyse.TransferResult, 6);
  opt().KermitMode = 1;
  alerts.shown.clear();
  Feed(
      "\x1b\x02"
      "DK\r");
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(in().TransferByteCount, 1);
}

TEST_F(WyseActions, TheTransferEndClosesTheCapture) {
  Feed(
      "\x1b\x02"
      "CX");
  EXPECT_EQ(actions.calls, std::vector<std::string>{"CloseCaptureFile"});
  EXPECT_EQ(AlertText(0), "File transfer done");
  Feed(
      "\x1b\x02"
      "CZmodem\rok");
  EXPECT_NE(AlertText(1).find("does not support"), std::string::npos);
  EXPECT_EQ(Row(1), "ok");
}

TEST_F(WyseActions, PicturesAreShownFromTheUsersFilesWithTheirNumbers) {
  Touch(home / "Desktop" / "p.png");
  Feed("\x1b\x02iL UserDesktop/p.png,2, 3,10,5,0,9\r");
  ASSERT_EQ(actions.calls.size(), 1u);
  EXPECT_EQ(actions.calls[0], "ShowInlinePicture " + fs::canonical(home / "Desktop" / "p.png").string());
  EXPECT_EQ(actions.pictureNumbers, (std::array<int16_t, 6>{2, 3, 10, 5, 0, 9}));
  EXPECT_FALSE(actions.pictureKeepsProportions);
  actions.calls.clear();
  Feed("\x1b\x02iL BootVolume/etc/passwd,1,1\r");
  EXPECT_TRUE(actions.calls.empty());
  EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(WyseActions, APictureIsTakenOffByItsNameOnlyInsideTheUsersFiles) {
  Touch(home / "Desktop" / "p.png");
  Feed("\x1b\x02iD UserDesktop/p.png\r");
  EXPECT_EQ(actions.calls,
            std::vector<std::string>{"RemovePicture " + fs::canonical(home / "Desktop" / "p.png").string()});
  // A name outside the home folder was never shown: nothing is asked of the
  // pictures, and no path of the host's choosing reaches them.
  for (const char* outside : {"\x1b\x02iD BootVolume/etc/passwd\r", "\x1b\x02iD ../../etc/passwd\r", "\x1b\x02iD \r"}) {
    actions.calls.clear();
    Feed(outside);
    EXPECT_TRUE(actions.calls.empty()) << outside;
  }
}

// ---- Printer routing ------------------------------------------------------------------------------

TEST_F(WyseActions, TeleVideoTransparentPrintHidesTheTextUntilPrinterOff) {
  Use(K::Tvi925);
  Feed(
      "\x1b`hidden\x1b"
      "ashown");
  EXPECT_EQ(actions.calls.front(), "StopClipboardCapture");
  EXPECT_NE(std::find(actions.calls.begin(), actions.calls.end(), "OpenPrinterCapture"), actions.calls.end());
  EXPECT_EQ(echo.printer, "hidden");
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
  EXPECT_EQ(Row(1), "shown");
  EXPECT_EQ(screen().DisplayOn, 1);
}

TEST_F(WyseActions, PrintingIsRefusedWhileTheClipboardRecords) {
  Use(K::Tvi925);
  opt().XonXoffOn = 1;
  actions.clipboardCaptureOn = true;
  Feed("\x1b`text");
  EXPECT_EQ(in().PrinterOn, 0);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);
  EXPECT_NE(AlertText(0).find("CLIPBOARD ON!"), std::string::npos);
  EXPECT_EQ(Answer(), "\x13\x13\x11");
  EXPECT_EQ(Row(1), "text");
}

TEST_F(WyseActions, DeviceControlTwoPrintsUnlessItFollowsEnquiryOrHostPrintIsIgnored) {
  Use(K::Viewpoint);
  Feed("\x05\x12");
  EXPECT_EQ(in().PrinterOn, 0);
  opt().IgnoreHostPrint = 1;
  Feed("\x12");
  EXPECT_EQ(in().PrinterOn, 0);
  opt().IgnoreHostPrint = 0;
  Feed(
      "\x12"
      "copy\x14");
  EXPECT_EQ(echo.printer, "copy");
  EXPECT_EQ(Row(1), "copy");  // copy print: the text is shown as well
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
}

// ---- Messages and key programming -------------------------------------------------------------

TEST_F(WyseActions, TheHostsMessageIsShownAndATooLongOneIsCancelled) {
  Feed("\x1b~M~Backup done\r");
  EXPECT_EQ(alerts.shown.back().kind, platform::AlertKind::Note);
  EXPECT_EQ(AlertText(0), "Backup done");
  Feed("\x1b~Mx");
  EXPECT_NE(AlertText(1).find("Tilde ~ expected"), std::string::npos);
  Feed("\x1b~M~" + std::string(300, 'm') + "\rafter");
  EXPECT_EQ(Answer(), "Canceled\r");
  EXPECT_EQ(alerts.shown.size(), 2u);
  EXPECT_EQ(Row(1), "after");
}

TEST_F(WyseActions, KeyStringsTakeTheirDefaultsWhenTheHostSendsNone) {
  Feed("\x1bZ1+\x7f");
  EXPECT_EQ(opt().UpArrowString, "{CTK");
  Feed("\x1bZ1qabc\x7f");
  EXPECT_EQ(session.wyse.EditKeyStrings[0], "abc");
  Feed("\x1bZ1\"\r\x7f");
  EXPECT_EQ(session.wyse.BackspaceKeyString, "{CTH");
  Feed("\x1bZ1@xy\r\x7f");
  EXPECT_EQ(opt().FkeyStrings[1], "xy{CR");
  Feed(
      "\x1b"
      "cU");
  EXPECT_EQ(opt().UpArrowString, "");
  EXPECT_EQ(session.wyse.EditKeyStrings[0], "");
  EXPECT_EQ(session.wyse.BackspaceKeyString, "{CTH");
}

TEST_F(WyseActions, KeyLabelsAreCentredInEightCharacters) {
  Feed("\x1bz3HELP\r");
  EXPECT_EQ(opt().FkeyTitles[4], "  HELP  ");
  Feed("\x1bzSAB\r");
  EXPECT_EQ(opt().ShiftFkeyTitles[4], "   AB   ");
  Feed("\x1bz0ABCDEFGHIJ");
  EXPECT_EQ(opt().FkeyTitles[1], "ABCDEFGH");
  EXPECT_EQ(Row(1), "J");  // the ninth letter is dropped, the tenth is text
  Feed("\x1bz(");
  EXPECT_EQ(opt().FkeyTitles[4], "   F4   ");
}

TEST_F(WyseActions, EscZWithDeleteEmptiesAKeyStringOnlyInTheWyse50Family) {
  opt().UpArrowString = "{CTK";
  Feed("\x1bz+\x7f");
  EXPECT_EQ(opt().UpArrowString, "");
  Use(K::Viewpoint);
  opt().UpArrowString = "{CTZ";
  Feed("\x1bz+\x7f");
  EXPECT_EQ(opt().UpArrowString, "{CTZ");
  // In the other families "+" names the shifted F11, whose definition the
  // DEL leaves empty.
  EXPECT_EQ(opt().FkeyStrings[27], "");
}

// ---- Shared handlers and the Wyse 370 personalities -------------------------------------------------

TEST_F(WyseActions, SharedSequencesAreHandedToTheSharedHandlers) {
  RecordingShared shared;
  in().SetSharedSequences(&shared);
  Feed(
      "\x1b"
      "cH\x1b"
      "cF\x1b"
      "cN\x1b"
      "cG\x1b~4");
  opt().ExtendedAnsiMode = 1;
  Feed("\x1b[=");
  EXPECT_EQ(shared.calls,
            (std::vector<std::string>{"PutCharAtAddress", "PutCharAtAddress2", "DrawBoxFromHost", "DrawBoxFromHost2",
                                      "HostProgrammingCommand 4", "AnsiPrivateSequences"}));
  // An ordinary sequence is given back and read as the Wyse family reads it:
  // none of its bytes shows as text, and what follows prints as usual.
  Feed("\x1b[0m");
  EXPECT_EQ(shared.calls.size(), 7u);
  opt().ExtendedAnsiMode = 0;
  Feed("\x1b=  ok");
  EXPECT_EQ(Row(1), "ok");
  in().SetSharedSequences(nullptr);
  Feed("\x1b=  \x1b~4ok");
  EXPECT_EQ(Row(1), "ok");
}

TEST_F(WyseActions, Wyse370PersonalitiesChangeTheFlags) {
  Use(K::Wyse370);
  Feed("\x1b~A");
  EXPECT_EQ(screen().WyseColourAttributes, 1);
  Feed("\x1b~(");
  EXPECT_EQ(screen().WyseColourAttributes, 0);
  EXPECT_EQ(opt().EmuTvi925, 1);
  Feed("\x1b~$");
  EXPECT_EQ(opt().EmuWyse50, 0);
  EXPECT_EQ(opt().EmuWyse60, 0);
  EXPECT_EQ(opt().EmuTvi925, 0);
  EXPECT_EQ(opt().EmuViewpoint, 1);
  Use(K::Wyse60);
  Feed("\x1b~A");
  EXPECT_EQ(screen().WyseColourAttributes, 0);
}

TEST_F(WyseActions, WideModeChangesTheColumnsAndTellsTheWindow) {
  Feed(
      "\x1b\x02"
      "E");
  EXPECT_EQ(opt().FontSizeMode, 1);
  EXPECT_EQ(screen().ColumnsSetting, 156);
  Feed("\x1b\x02N");
  EXPECT_EQ(screen().ColumnsSetting, 80);
  EXPECT_EQ(actions.calls, (std::vector<std::string>{"ColumnModeChanged wide", "ColumnModeChanged 80"}));
  screen().WindowWidth = 600;
  Feed("\x1b`;");
  EXPECT_EQ(screen().ColumnsSetting, 128);
  Feed("\x1b`:");
  EXPECT_EQ(screen().ColumnsSetting, 80);
}

}  // namespace
}  // namespace korvane
