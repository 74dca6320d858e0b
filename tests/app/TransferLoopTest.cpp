// Sends, downloads and the output keys of a session window in the main loop,
// on the fake platform and clock, with the host a memory link: the File
// menu's send, Ctrl+. in the middle of it, the output hold, the
// host-to-computer transfers scripts set up (the window that confirms them,
// the command, the data collected into the capture file, the host that never
// answers, the user's abort).

#include <string>

#include "AppFixture.h"
#include "output/SessionTransfers.h"
#include "platform/MacKeys.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuItems.h"

namespace korvane::testing {
namespace {

using platform::UiEvent;
using platform::UiEventKind;

const platform::InterfaceDescription& Description() {
  static const platform::InterfaceDescription d = [] {
    platform::InterfaceDescription out;
    std::string error;
    if (!platform::LoadInterfaceDescription(std::string(KORVANE_RESOURCES) + "/interface.json", out, error))
      ADD_FAILURE() << error;
    return out;
  }();
  return d;
}

class TransferLoop : public AppFixture {
 protected:
  TransferLoop() { windows.description = &Description(); }

  // A local session with the host a memory link; the desktop is /desk.
  void StartSession(const std::function<void(SessionOptions&)>& edit = {}) {
    WriteDocument(files, "/docs/local", [&](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      if (edit) edit(o);
    });
    app::StartupData data;
    data.preferencesFolder = "/prefs/";
    data.programs.VersionText = "Version 1.0";
    data.hostFolders.desktop = "/desk";
    data.hostFolders.home = "/home/me";
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({"/docs/local"});
    Turns(40);
    ASSERT_NE(app->windows.Find(48), nullptr);
    ASSERT_TRUE(Window(48).Connected());
    LinkOf(48).written.clear();
  }
  output::SessionTransfers& Transfers() { return *output::SessionTransfersOf(Window(48)); }
  void Key(int keyCode, uint16_t modifiers, const std::string& text = {}) {
    UiEvent e;
    e.kind = UiEventKind::Dialog;
    e.type = platform::kKeyTyped;
    e.window = 48;
    e.key.keyCode = static_cast<int16_t>(keyCode);
    e.key.modifiers = modifiers;
    e.key.text = text;
    Post(e);
  }
  void Hit(int window, int control) {
    UiEvent e;
    e.kind = UiEventKind::Dialog;
    e.type = platform::kControlHit;
    e.window = static_cast<int16_t>(window);
    e.number = static_cast<int16_t>(control);
    Post(e);
    Turns(2);
  }
  // Turns the loop for `ms` of the fake clock, a tick at a time.
  void RunMs(int64_t ms) {
    const int64_t end = clock.Milliseconds() + ms;
    while (clock.Milliseconds() < end && !app->Finished()) {
      clock.AdvanceMs(17);
      app->Turn();
    }
  }
  bool ScreenShows(const std::string& text) {
    for (int r = 1; r <= Window(48).session.screen.ScreenRows; ++r)
      if (Row(48, r).find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(TransferLoop, TheFileMenusSendGoesLineByLineAsTheHostEchoesEachLine) {
  StartSession([](SessionOptions& o) {
    o.NoEchoWait = 0;
    o.LineDelay = 0;
  });
  files.files["/docs/letter.txt"] = "Dear host,\r\nthree lines\r\nend\r\n";
  fileDialogs.answers = {std::string("/docs/letter.txt")};
  LinkOf(48).echo = true;
  Menu(platform::kFileMenu, ui::file_item::kSendTextFile);
  RunMs(500);
  ASSERT_EQ(fileDialogs.asked.size(), 1u);
  EXPECT_EQ(fileDialogs.asked[0].prompt, "Select a text file ( .txt ) to transfer to the host");
  EXPECT_EQ(LinkOf(48).written, "Dear host,\rthree lines\rend\r");
  EXPECT_FALSE(Transfers().Sending());
  EXPECT_EQ(Window(48).session.input.SendInProgress, 0);
}

TEST_F(TransferLoop, CtrlPeriodStopsTheSendAndNothingMoreGoes) {
  StartSession([](SessionOptions& o) {
    o.NoEchoWait = 0;
    o.LineDelay = 0;
  });
  files.files["/docs/many.txt"] = "line 1\nline 2\nline 3\nline 4\n";
  fileDialogs.answers = {std::string("/docs/many.txt")};
  // A host that never echoes: each line waits three seconds.
  Menu(platform::kFileMenu, ui::file_item::kSendTextFile);
  RunMs(1000);
  EXPECT_EQ(LinkOf(48).written, "line 1\r");
  EXPECT_TRUE(Transfers().Sending());
  Key(platform::kKeyPeriod, platform::kControlModifier, ".");
  RunMs(20000);
  EXPECT_EQ(LinkOf(48).written, "line 1\r") << "no byte after Ctrl+., not even the period";
  EXPECT_FALSE(Transfers().Sending());
}

TEST_F(TransferLoop, AFileThatCannotBeReadIsReportedAndNothingIsSent) {
  StartSession();
  fileDialogs.answers = {std::string("/docs/missing.txt")};
  Menu(platform::kFileMenu, ui::file_item::kSendTextFile);
  RunMs(300);
  EXPECT_EQ(AlertsWith("Error opening file."), 1);
  EXPECT_EQ(LinkOf(48).written, "");
}

TEST_F(TransferLoop, TheOutputHoldKeepsTheHostsTextWaitingUntilItIsLetGo) {
  StartSession([](SessionOptions& o) { o.XonXoffOn = 1; });
  Key(platform::kKey1, platform::kControlModifier | platform::kShiftModifier, "!");
  Turns(2);
  EXPECT_EQ(Window(48).session.input.OutputHeld, 1);
  EXPECT_EQ(LinkOf(48).written, "\x13") << "the host is held with XOFF";
  LinkOf(48).Feed("held text\r\n");
  RunMs(2000);
  EXPECT_FALSE(ScreenShows("held text"));
  Key(platform::kKey1, platform::kControlModifier | platform::kShiftModifier, "!");
  RunMs(200);
  EXPECT_EQ(Window(48).session.input.OutputHeld, 0);
  EXPECT_EQ(LinkOf(48).written, "\x13\x13\x11");
  EXPECT_TRUE(ScreenShows("held text"));
}

TEST_F(TransferLoop, AScriptsTransferChainCollectsTheHostsAnswerIntoItsFile) {
  StartSession();
  HostToMacXferRequest x;
  x.hostCommand = "LIST CUSTOMERS";
  x.fileName = "customers.txt";
  x.path = "/desk/customers.txt";
  x.timeOutTime = 2;
  Window(48).services.transfers.StartHostToMacXfer(x);
  Turns(3);
  // The command goes with " (N" (no paging) and a CR.
  EXPECT_EQ(LinkOf(48).written, "LIST CUSTOMERS (N\r");
  EXPECT_TRUE(Transfers().Downloading());
  EXPECT_TRUE(ScreenShows("SENDING COMMAND'LIST CUSTOMERS (N'"));
  // The host echoes the command, then sends its records.
  LinkOf(48).Feed("LIST CUSTOMERS (N\r\nSMITH\r\nJONES\r\n");
  RunMs(500);
  EXPECT_EQ(Window(48).session.input.CollectMode, 1);
  LinkOf(48).Feed("BROWN\r\n:");
  RunMs(500);
  EXPECT_EQ(AlertsWith("Download complete"), 0) << "the host has not been quiet long enough";
  RunMs(2500);
  EXPECT_EQ(AlertsWith("Download complete"), 1);
  EXPECT_EQ(Window(48).session.input.CollectMode, 0);
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_FALSE(Transfers().Downloading());
  const std::string& saved = files.files["/desk/customers.txt"];
  EXPECT_EQ(saved, "SMITH\nJONES\nBROWN\n") << "no echo of the command, no prompt";
  // A carriage return brings the host's prompt back.
  EXPECT_EQ(LinkOf(48).written, "LIST CUSTOMERS (N\r\r");
}

TEST_F(TransferLoop, AHostThatNeverAnswersEndsTheDownloadWithAMessage) {
  StartSession();
  HostToMacXferRequest x;
  x.hostCommand = "LIST";
  x.path = "/desk/nothing.txt";
  x.noPage = "No";
  x.timeOutTime = 1;
  Window(48).services.transfers.StartHostToMacXfer(x);
  Turns(3);
  EXPECT_EQ(LinkOf(48).written, "LIST\r");
  RunMs(900);
  EXPECT_EQ(AlertsWith("not communicating"), 0);
  RunMs(300);
  EXPECT_EQ(AlertsWith("This computer is not communicating with the host"), 1);
  EXPECT_TRUE(ScreenShows("Download aborted"));
  EXPECT_EQ(LinkOf(48).written, "LIST\r\r");
  EXPECT_EQ(Window(48).session.input.CollectMode, 0);
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 0);
}

TEST_F(TransferLoop, CtrlPeriodAbortsADownloadAndTellsTheHost) {
  StartSession();
  HostToMacXferRequest x;
  x.hostCommand = "DUMP";
  x.path = "/desk/dump.txt";
  x.timeOutTime = 5;
  Window(48).services.transfers.StartHostToMacXfer(x);
  Turns(3);
  LinkOf(48).Feed("DUMP (N\r\nrecord 1\r\n");
  RunMs(300);
  LinkOf(48).written.clear();
  Key(platform::kKeyPeriod, platform::kControlModifier, ".");
  Turns(1);
  EXPECT_EQ(LinkOf(48).written, "END\r");
  EXPECT_EQ(Window(48).session.input.CollectMode, 0);
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_FALSE(ScreenShows("Download aborted")) << "the host has half a second first";
  RunMs(600);
  EXPECT_TRUE(ScreenShows("Download aborted"));
  EXPECT_EQ(LinkOf(48).written, "END\r\r");
  EXPECT_EQ(files.files["/desk/dump.txt"], "record 1\n");
}

TEST_F(TransferLoop, AConnectionThatClosesEndsTheDownloadAndKeepsWhatCame) {
  StartSession();
  HostToMacXferRequest x;
  x.hostCommand = "DUMP";
  x.path = "/desk/dump.txt";
  x.timeOutTime = 30;
  Window(48).services.transfers.StartHostToMacXfer(x);
  Turns(3);
  LinkOf(48).Feed("DUMP (N\r\nrecord 1\r\n");
  RunMs(300);
  ASSERT_TRUE(Transfers().Downloading());
  // The host goes away.
  LinkOf(48).End();
  RunMs(500);
  EXPECT_FALSE(Window(48).Connected());
  EXPECT_FALSE(Transfers().Downloading());
  EXPECT_EQ(Window(48).session.input.CollectMode, 0);
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_EQ(Window(48).session.screen.DisplayOn, 1);
  EXPECT_TRUE(ScreenShows("Download aborted"));
  EXPECT_EQ(files.files["/desk/dump.txt"], "record 1\n");
}

TEST_F(TransferLoop, AnExistingFileIsNotReplacedUnlessTheChainSaysSo) {
  StartSession();
  files.files["/desk/kept.txt"] = "mine\n";
  HostToMacXferRequest x;
  x.hostCommand = "LIST";
  x.path = "/desk/kept.txt";
  Window(48).services.transfers.StartHostToMacXfer(x);
  Turns(3);
  EXPECT_EQ(AlertsWith("already exists"), 1);
  EXPECT_EQ(LinkOf(48).written, "");
  EXPECT_EQ(files.files["/desk/kept.txt"], "mine\n");
  EXPECT_TRUE(Window(48).services.transfers.HostToMacCancelled());
}

TEST_F(TransferLoop, HtmxOpensTheTransferWindowAndItsOkStartsTheDownload) {
  StartSession([](SessionOptions& o) { o.CaptureCreator = "ttxt"; });
  TransferService& t = Window(48).services.transfers;
  EXPECT_EQ(t.StartHostToMacTransfer("SELECT ORDERS"), "/desk/HostToMac Transfer.txt");
  EXPECT_TRUE(t.TransferInProgress());
  Turns(2);
  ASSERT_TRUE(windows.Exists(ui::kHostTransferWindow));
  EXPECT_EQ(windows.WindowControls(ui::kHostTransferWindow)->ControlText(3), "SELECT ORDERS");
  EXPECT_EQ(LinkOf(48).written, "") << "nothing goes before the user confirms";
  Hit(ui::kHostTransferWindow, 1);
  Turns(3);
  EXPECT_FALSE(t.TransferInProgress());
  EXPECT_EQ(LinkOf(48).written, "SELECT ORDERS\r");
  LinkOf(48).Feed("SELECT ORDERS\r\n42\r\n");
  RunMs(6000);
  EXPECT_EQ(files.files["/desk/HostToMac Transfer.txt"], "42\n");
}

TEST_F(TransferLoop, CancellingTheTransferWindowSendsNothingAndTheScriptIsTold) {
  StartSession();
  TransferService& t = Window(48).services.transfers;
  t.StartHostToMacTransfer("SELECT ORDERS");
  Turns(2);
  ASSERT_TRUE(windows.Exists(ui::kHostTransferWindow));
  Hit(ui::kHostTransferWindow, 2);
  Turns(3);
  EXPECT_FALSE(t.TransferInProgress());
  EXPECT_TRUE(t.HostToMacCancelled());
  EXPECT_EQ(LinkOf(48).written, "");
  EXPECT_FALSE(files.files.count("/desk/HostToMac Transfer"));
}

}  // namespace
}  // namespace korvane::testing
