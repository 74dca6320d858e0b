// Scripting in the program on the fake platform: script commands run on the
// active session window, their requests are served by the next pass in the
// fixed order with the text each was given, a message to the host holds the
// next event until the host answers, scripts read the values copied at the
// start of a pass, the documents a script or a second start hands over open
// by their kind, and the host's run-script command starts a script of the
// scripts folder as a program of its own.

#include <filesystem>
#include <fstream>

#include "app/AppFixture.h"
#include "app/AppScripting.h"
#include "fakes/FakePrograms.h"
#include "fakes/RecordingClipboard.h"
#include "fakes/RecordingSelection.h"
#include "platform/AlertButtons.h"
#include "scripting/ScriptEventQueue.h"

namespace korvane::testing {
namespace {

class Scripting : public AppFixture {
 protected:
  // Runs one event as the bus service does, and gives its reply ("" for none).
  std::string Event(const char* cls, const char* id, const std::string& text = {},
                    std::vector<std::string> documents = {}) {
    scripting::ScriptEvent e{cls, id, text, std::move(documents)};
    const scripting::ScriptOutcome o = app->scripting->Commands().ScriptCommandHandler(e);
    return o.replyPut ? o.replyText : std::string();
  }
  fakes::MemoryLink& Host() { return LinkOf(48); }
  Screen& Screen48() { return Window(48).session.screen; }
};

TEST_F(Scripting, RequestsAreServedOnTheNextPassInTheirOrderEachWithItsOwnText) {
  StartLocal();
  Host().written.clear();
  // Sent in another order than the pass serves them.
  Event("cmds", "tab ");
  Event("cmds", "escp");
  Event("cmds", "ctrl", "[");
  Event("cmds", "ctrl", "c");
  Event("cstm", "mssg", "Backup done");
  EXPECT_EQ(Event("cstm", "mssh", "y{nocr}"), "Message sent to host");
  EXPECT_EQ(Event("cstm", "mssh", "ls -l"), "Message sent to host");
  // A later command does not change what an earlier one sends.
  Event("xfer", "line", "3");
  EXPECT_EQ(Host().written, "") << "nothing is sent inside the command";
  app->RunPendingCommand();
  EXPECT_EQ(Host().written, std::string("yls -l\r\x1b\x03\x1b\t"));
  EXPECT_EQ(Row(48, Screen48().ScreenRows + 1), "Backup done") << "the message stands below the last row";
  app->RunPendingCommand();
  EXPECT_EQ(Host().written, std::string("yls -l\r\x1b\x03\x1b\t")) << "each request is served once";
}

TEST_F(Scripting, AMessageToTheHostHoldsTheNextEventUntilTheHostAnswers) {
  StartLocal();
  Event("cstm", "mssh", "ls");
  EXPECT_TRUE(app->scripting->HoldsEvents()) << "the message is not sent yet";
  app->RunPendingCommand();
  EXPECT_EQ(Host().written, "ls\r");
  EXPECT_TRUE(app->scripting->HoldsEvents()) << "the host has not answered";
  Host().Feed("notes.txt\r\n$ ");
  Turns(1);
  EXPECT_FALSE(app->scripting->HoldsEvents());
  EXPECT_EQ(Row(48, 1), "notes.txt") << "the answer is on the screen before the next event reads it";
}

TEST_F(Scripting, AHostThatDoesNotAnswerHoldsTheNextEventForFiveSecondsAtMost) {
  StartLocal();
  Event("cstm", "mssh", "sleep 60");
  app->RunPendingCommand();
  clock.AdvanceMs(app::AppScripting::kHostAnswerWaitMs - 1);
  app->RunPendingCommand();
  EXPECT_TRUE(app->scripting->HoldsEvents());
  clock.AdvanceMs(1);
  EXPECT_FALSE(app->scripting->HoldsEvents()) << "the hold ends on the clock, even before the next pass";
  app->RunPendingCommand();
  EXPECT_FALSE(app->scripting->HoldsEvents());
}

TEST_F(Scripting, AMessageForAClosedConnectionSendsNothingAndHoldsNothing) {
  StartLocal();
  Host().End();
  Turns(2);
  Host().written.clear();
  EXPECT_EQ(Event("cstm", "mssh", "ls"), "Error. Connection is not open to host.");
  EXPECT_EQ(Event("conx", "icno"), "No");
  app->RunPendingCommand();
  EXPECT_EQ(Host().written, "");
  EXPECT_FALSE(app->scripting->HoldsEvents());
}

TEST_F(Scripting, CaptureOffWaitsForAPassOnWhichTheHostIsSilent) {
  StartLocal();
  Session& s = Window(48).session;
  s.input.CaptureFileOn = 1;  // as a capture the host started leaves it
  Event("xfer", "capx");
  Host().Feed("last lines of the report\r\n");
  app->RunPendingCommand();
  EXPECT_EQ(s.input.CaptureFileOn, 1) << "the host's text still waits to be captured";
  s.input.ProcessHostInput();
  app->RunPendingCommand();
  EXPECT_EQ(s.input.CaptureFileOn, 0);
}

TEST_F(Scripting, ScriptsReadTheCursorAndTheRowsAsTheLastPassCopiedThem) {
  StartLocal();
  Host().Feed("hello");
  Turns(1);
  EXPECT_EQ(Event("curs", "curc"), "5");
  EXPECT_EQ(Event("curs", "curr"), " 0");
  // The host moves the cursor; scripts see it once a pass has copied it.
  Host().Feed("\r\nab");
  Window(48).session.input.ProcessHostInput();
  EXPECT_EQ(Event("curs", "curc"), "5");
  app->RunPendingCommand();
  EXPECT_EQ(Event("curs", "curc"), "2");
  EXPECT_EQ(Event("curs", "curr"), " 1");
  // GetScreenData and "line" read the live planes.
  Event("xfer", "getr");
  Event("xfer", "rowx", "0");
  Event("xfer", "cost", "1");
  EXPECT_EQ(Event("xfer", "coen", "3"), "ell");
  const std::string line = Event("xfer", "line", "2");
  EXPECT_EQ(line.substr(0, 3), "ab ");
  EXPECT_EQ(line.size(), static_cast<size_t>(std::min(Window(48).ColumnsForChild(), 206) - 1));
}

TEST_F(Scripting, DataReceivedSaysWhetherTheHostSentAnythingSinceTheLastQuestion) {
  StartLocal();
  Turns(1);
  Event("xfer", "drec");
  EXPECT_EQ(Event("xfer", "drec"), "No");
  Host().Feed("x");
  Turns(1);
  EXPECT_EQ(Event("xfer", "drec"), "Yes");
  EXPECT_EQ(Event("xfer", "drec"), "No");
}

TEST_F(Scripting, TheConnectionQueriesDescribeTheActiveSession) {
  StartLocal();
  EXPECT_EQ(Event("conx", "icno"), "Yes");
  EXPECT_EQ(Event("conx", "conm"), "local shell");
  Window(48).session.Opt.LocalShellSession = 0;
  Window(48).session.Opt.TelnetSession = 1;
  EXPECT_EQ(Event("conx", "conm"), "telnet");
  // A serial session names the port of its table entry, none outside it.
  Window(48).session.Opt.UsesPty = 0;
  Window(48).session.conn.ConnectionPort = -40;
  EXPECT_EQ(Event("conx", "conm"), "Serial using ");
}

TEST_F(Scripting, AScriptChoosesOpensClosesAndDeletesTheCaptureFile) {
  StartLocal();
  EXPECT_EQ(Event("xfer", "setf", "/tmp/capture.txt"), "Capture file set to /tmp/capture.txt");
  EXPECT_EQ(Event("xfer", "getc"), "/tmp/capture.txt");
  // A path that climbs out of a folder never reaches the capture code.
  EXPECT_EQ(Event("xfer", "setf", "/tmp/../etc/passwd"), "Error! Incorrect path name supplied by the script.");
  EXPECT_EQ(Event("xfer", "getc"), "/tmp/capture.txt");
  app->RunPendingCommand();
  EXPECT_EQ(Event("xfer", "capo"), "/tmp/capture.txt is the current capture file.")
      << "the name as the last pass copied it";
  app->RunPendingCommand();
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 1);
  EXPECT_EQ(Event("xfer", "xfrd"), "Yes") << "the copy is taken at the start of the next pass";
  app->RunPendingCommand();
  EXPECT_EQ(Event("xfer", "xfrd"), "No") << "a capture is running";
  Host().Feed("total 42\r\n");
  Turns(1);
  // A capture that is on is not deleted.
  Event("xfer", "delc");
  app->RunPendingCommand();
  EXPECT_EQ(app->scripting->Commands().LastReplyText(), "Cannot Delete file when capture is on");
  Event("xfer", "capx");
  Turns(1);
  EXPECT_EQ(Window(48).session.input.CaptureFileOn, 0);
  ASSERT_TRUE(files.files.count("/tmp/capture.txt"));
  EXPECT_NE(files.files["/tmp/capture.txt"].find("total 42"), std::string::npos) << files.files["/tmp/capture.txt"];
  // The deletion answers on the pass, into the last reply.
  Event("xfer", "delc");
  app->RunPendingCommand();
  EXPECT_EQ(app->scripting->Commands().LastReplyText(), "/tmp/capture.txt Deleted");
  EXPECT_FALSE(files.files.count("/tmp/capture.txt"));
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(Scripting, TransfersAnswerWhatTheySetUpAndTheSendGoesOnTheNextPass) {
  StartLocal();
  Host().written.clear();
  // htmx names the file the host's data will go to; the transfer waits for
  // the user's answer meanwhile.
  const std::string target = Event("xfer", "htmx", "cat report");
  EXPECT_EQ(target.substr(target.rfind('/') + 1), "HostToMac Transfer.txt");
  EXPECT_EQ(Event("xfer", "xfrd"), "No") << "the transfer is not done while the user has not answered";
  // mthx answers with the file's name and sends it on a later pass; a name
  // that reads no file is refused in the reply, and nothing goes.
  files.files["/tmp/notes.txt"] = "first\nsecond\n";
  EXPECT_EQ(Event("xfer", "mthx", "/tmp/missing.txt"), "Invalid file name supplied by AppleScript");
  EXPECT_EQ(Event("xfer", "mthx", "/tmp/notes.txt"), "/tmp/notes.txt");
  EXPECT_EQ(Host().written, "") << "nothing is sent inside the command";
  app->RunPendingCommand();
  Turns(400);
  EXPECT_EQ(Host().written, "first\rsecond\r");
  EXPECT_TRUE(alerts.shown.empty()) << "a script learns it from its reply, not from an alert";
  app->strings.Add("Invalid file name supplied by AppleScript", "Nom de fichier non valable");
  EXPECT_EQ(Event("xfer", "mthx", "/tmp/missing.txt"), "Nom de fichier non valable");
}

TEST_F(Scripting, TheTransferChainStartsTheTransferOnThePassAfterItsLastStep) {
  StartLocal();
  Host().written.clear();
  for (const auto& [id, text] : std::vector<std::pair<const char*, const char*>>{{"htm2", ""},
                                                                                 {"hcmd", "cat report"},
                                                                                 {"fnam", "report.txt"},
                                                                                 {"conv", "No"},
                                                                                 {"fpr ", "3"},
                                                                                 {"ovrw", "No"},
                                                                                 {"lins", "1"},
                                                                                 {"timo", "0"}})
    Event("xfer", id, text);
  app->RunPendingCommand();
  Turns(3);
  EXPECT_EQ(Host().written, "") << "the chain is not complete";
  EXPECT_EQ(Event("xfer", "nopg", "Yes"), "Got the NoPage command");
  app->RunPendingCommand();
  Turns(3);
  // The host is given the command (without paging) and its data is
  // collected.
  EXPECT_EQ(Host().written, "cat report (N\r");
  EXPECT_EQ(Window(48).session.input.CollectMode, 1);
  app->RunPendingCommand();
  Turns(3);
  EXPECT_EQ(Host().written, "cat report (N\r") << "started once";
}

TEST_F(Scripting, TheChainsValuesReachTheTransferWithATimeOutOfAtLeastOneSecond) {
  scripting::HostToMacXferValues x;
  x.XferHostCommand = "cat report";
  x.XferFileName = "report.txt";
  x.XferConvert = "Yes";
  x.XferFieldsPerRecord = 3;
  x.XferOverWrite = "Yes";
  x.XferLinesToSkip = 2;
  x.XferTimeOutTime = 0;
  x.XferNoPage = "No";
  HostToMacXferRequest r = app::MakeXferRequest(x, "/home/u/Desktop/report.txt");
  EXPECT_EQ(r.hostCommand, "cat report");
  EXPECT_EQ(r.fileName, "report.txt");
  EXPECT_EQ(r.path, "/home/u/Desktop/report.txt");
  EXPECT_EQ(r.convert, "Yes");
  EXPECT_EQ(r.fieldsPerRecord, 3);
  EXPECT_EQ(r.overWrite, "Yes");
  EXPECT_EQ(r.linesToSkip, 2);
  EXPECT_EQ(r.timeOutTime, 5) << "no time-out at all would end the receipt before it began";
  EXPECT_EQ(r.noPage, "No");
  x.XferTimeOutTime = 30;
  EXPECT_EQ(app::MakeXferRequest(x, "").timeOutTime, 30);
}

TEST_F(Scripting, StartingUpLastsUntilTheFirstIdlePass) {
  app::StartupData data;
  data.preferencesFolder = "/prefs/";
  app = std::make_unique<app::App>(platform, queue, data);
  EXPECT_TRUE(app->scripting->StartingUp()) << "events are not paced while the program starts";
  Turns(2);
  EXPECT_FALSE(app->scripting->StartingUp());
}

TEST_F(Scripting, DocumentsHandedOverOpenByTheirKindAndOthersAreReported) {
  StartLocal();
  WriteDocument(files, "/docs/second.kvst", LocalProgram("/usr/local/bin/host"));
  files.files["/docs/notes.txt"] = "just some notes\nand more\n";
  Event("aevt", "odoc", "", {"/docs/second.kvst", "/docs/notes.txt", "/docs/International"});
  EXPECT_EQ(app->windows.Count(), 1) << "nothing opens inside the event";
  Turns(3);
  EXPECT_EQ(app->windows.Count(), 2);
  EXPECT_EQ(AlertsWith("/docs/notes.txt is not a document Korvane can open."), 1);
  EXPECT_EQ(AlertsWith("International"), 0) << "the program's own file is passed over";
}

class ScriptsAndTheClipboard : public Scripting {
 protected:
  fakes::RecordingClipboard& board = clipboard;
  fakes::TextPictureWriter pictures;
  void SetUp() override {
    platform.cellPictures = &pictures;
    platform.selectionFrame = [](int) -> std::unique_ptr<platform::SelectionFrame> {
      return std::make_unique<fakes::RecordingSelectionFrame>();
    };
  }
};

TEST_F(ScriptsAndTheClipboard, TheClipboardCommandsWorkOnTheDesktopsClipboardAtOnce) {
  StartLocal();
  board.OtherProgramSets("someone else's text");
  Event("xfer", "cpyr", "caf\x8E au lait");
  EXPECT_EQ(board.text, std::string("caf\xC3\xA9 au lait\n")) << "program text becomes the desktop's UTF-8";
  // Without a text the last reply is appended: here the screen text read.
  Host().Feed("total 42");
  Turns(1);
  Event("xfer", "getr");
  Event("xfer", "rowx", "0");
  Event("xfer", "cost", "0");
  EXPECT_EQ(Event("xfer", "coen", "7"), "total 42");
  Event("xfer", "apnd");
  EXPECT_EQ(board.text, std::string("caf\xC3\xA9 au lait\ntotal 42\n"));
  Event("xfer", "cclp");
  EXPECT_FALSE(board.text.has_value() && !board.text->empty());
  // While the printer capture is on, it takes the line, not the clipboard.
  Event("xfer", "cpyr", "start");
  Window(48).session.input.PrinterOn = 1;
  Event("xfer", "apnd", "for the printer");
  EXPECT_EQ(board.text, std::string("start\n"));
}

// ---- The host's run-script command --------------------------------------------------------------

class HostRunsScripts : public Scripting {
 protected:
  std::filesystem::path scripts =
      std::filesystem::temp_directory_path() / ("korvane-scripts-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override {
    std::filesystem::create_directories(scripts);
    std::ofstream(scripts / "backup.sh") << "#!/bin/sh\n";
  }
  void TearDown() override { std::filesystem::remove_all(scripts); }
  void StartWithScriptsFolder() {
    WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
    app::StartupData data;
    data.preferencesFolder = "/prefs/";
    data.hostFolders.scripts = scripts.string();
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({"/docs/local"});
    Turns(3);
    Host().written.clear();
    alerts.shown.clear();
  }
};

TEST_F(HostRunsScripts, AScriptOfTheFolderRunsAloneAsItsOwnProgramOnceTheUserSaysSo) {
  StartWithScriptsFolder();
  alerts.answers = {1};
  Host().Feed("\x1b~a~backup.sh\r");
  Turns(2);
  ASSERT_EQ(programs.starts.size(), 1u);
  EXPECT_EQ(programs.starts[0], std::vector<std::string>{(scripts / "backup.sh").string()})
      << "the file alone: nothing the host sent is an argument";
  ASSERT_EQ(AlertsWith("The host asks to run the script \"backup.sh\""), 1);
  EXPECT_EQ(alerts.shown[0].id, platform::kAskBeforeOpeningAlert) << "the user may say no, and no is the default";
  EXPECT_EQ(platform::AlertCancelItem(alerts.shown[0].id), 2);
  EXPECT_EQ(Host().written, "");
  // It ends well: nothing more is said.
  programs.ended[1] = platform::ProgramExit{true, 0, ""};
  Turns(1);
  EXPECT_EQ(app->scripting->Runner().Running(), 0u);
  EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(HostRunsScripts, AScriptThatFailsIsReportedWithWhatItWrote) {
  StartWithScriptsFolder();
  Host().Feed("\x1b~a~backup.sh\r");
  Turns(2);
  ASSERT_EQ(programs.starts.size(), 1u);
  programs.ended[1] = platform::ProgramExit{true, 3, "backup: no medium\n"};
  Turns(1);
  EXPECT_EQ(AlertsWith("A script ended with an error: " + (scripts / "backup.sh").string() + " (3)\rbackup: no medium"),
            1);
}

TEST_F(HostRunsScripts, TheUserSaysNoOrTheScriptCannotStartAndTheHostHearsCanceled) {
  StartWithScriptsFolder();
  alerts.answers = {2};
  Host().Feed("\x1b~a~backup.sh\r");
  Turns(2);
  EXPECT_TRUE(programs.starts.empty());
  EXPECT_EQ(Host().written, "Canceled\r");

  Host().written.clear();
  programs.failStartWith = EACCES;
  Host().Feed("\x1b~a~backup.sh\r");
  Turns(2);
  EXPECT_EQ(programs.starts.size(), 1u);
  EXPECT_EQ(Host().written, "Canceled\r");
  EXPECT_EQ(AlertsWith("The script could not be started: " + (scripts / "backup.sh").string()), 1);
}

TEST_F(HostRunsScripts, AScriptOutsideTheFolderIsRefusedAndNothingRuns) {
  StartWithScriptsFolder();
  std::ofstream(scripts.parent_path() / "korvane-outside.sh") << "#!/bin/sh\n";
  std::filesystem::create_symlink(scripts.parent_path() / "korvane-outside.sh", scripts / "link.sh");
  for (const char* name : {"../korvane-outside.sh", "link.sh", "missing.sh"}) {
    Host().written.clear();
    Host().Feed(std::string("\x1b~a~") + name + "\r");
    Turns(2);
    EXPECT_EQ(Host().written, "Canceled\r") << name;
  }
  EXPECT_TRUE(programs.starts.empty());
  EXPECT_EQ(AlertsWith("Path not found!"), 3);
  std::filesystem::remove(scripts.parent_path() / "korvane-outside.sh");
}

TEST_F(HostRunsScripts, TheRunnerChecksTheFolderAgainAndRunsNothingElse) {
  StartWithScriptsFolder();
  ScriptService& service = app->scripting->Scripts();
  EXPECT_FALSE(service.RunScript("/etc/passwd"));
  EXPECT_FALSE(service.RunScript((scripts / "a\"b.sh").string()));
  EXPECT_TRUE(programs.starts.empty());
  EXPECT_EQ(AlertsWith("Only the scripts of " + scripts.string() + " are run: /etc/passwd"), 1);
  EXPECT_TRUE(service.RunScript((scripts / "backup.sh").string()));
  EXPECT_EQ(programs.starts.size(), 1u);
}

}  // namespace
}  // namespace korvane::testing
