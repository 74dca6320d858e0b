// Transfers of the real program on the Qt platform, offscreen, with a
// session whose child runs on a real pseudo-terminal and plays the host: it
// shows a script of host output (the host's requests), then records every
// byte the program sends it.
//
// - Ten megabytes sent from the File menu arrive whole while the main loop
//   keeps turning.
// - The host's upload request sends a file of the Documents folder after the
//   user agrees; names that lead anywhere else are refused with nothing read.
// - The host's own download lands in the transfer file and is answered with
//   its status.
// - A picture named by a web address is fetched by the curl found first on
//   the PATH, which gets the address as one argument whatever it holds.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/EmulationFlags.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "output/SessionPictures.h"
#include "output/SessionTransfers.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"
#include "ui/menus/MenuItems.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;

using testing_support::WriteFile;

class QtTransferProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description = testing_support::ProgramInterface();
  platform::QtPlatform qt{queue, description, [](const std::string& s) { return s; }};
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, sounds,     qt.printing, qt.programs, qt.fileDialogs, qt.clipboard};
  std::unique_ptr<app::App> app;
  std::string record = Path("record");
  std::string documents = Path("Documents");

  QtTransferProgram() {
    queue.onPost = [this] { qt.pump.Wake(); };
    platform.pictureFiles = &qt.pictureFiles;
    setenv("KORVANE_PASTE_RECORD", record.c_str(), 1);
  }
  ~QtTransferProgram() override {
    app.reset();
    unsetenv("KORVANE_PASTE_RECORD");
  }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  // Starts the program on a Wyse 60 session whose child shows `hostOutput`
  // and then records what it is sent; waits until the child is ready.
  void Start(const std::string& hostOutput, const std::function<void(SessionOptions&)>& edit = {},
             bool waitForReady = true) {
    app.reset();
    fs::remove(record);
    WriteFile(Path("shown"), hostOutput);
    const std::string document = Path("host");
    {
      SessionOptions opt;
      SettingsState state;
      Preferences prefs(Path("prefs"));
      fakes::RecordingSettingsHost host;
      Settings settings(opt, state, prefs, qt.files, alerts, host);
      settings.SetDefaultSettings();
      SetEmulationFlags(EmulationKind::Wyse60, opt);
      opt.UsesPty = 1;
      opt.LocalShellSession = 1;
      opt.TelnetSession = 0;
      opt.ShellRunsProgram = 1;
      opt.ShellProgram = std::string(KORVANE_PASTE_CHILD) + " " + Path("shown");
      opt.AutoConnect = 1;
      if (edit) edit(opt);
      ASSERT_TRUE(settings.WriteSettingsFile(document));
    }
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.programs.DocumentsFolder = documents;
    data.programs.KermitAppFolder = Path("no-kermit-here");
    data.resourcesFolder = KORVANE_RESOURCES;
    data.hostFolders.home = folder.path().toStdString();
    data.hostFolders.desktop = Path("Desktop");
    data.hostFolders.documents = documents;
    data.hostFolders.resources = KORVANE_RESOURCES;
    data.hostFolders.transfers = Path("data");
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({document});
    app->Turn();
    ASSERT_TRUE(RunUntil([&] { return app->windows.Find(48) && app->windows.Find(48)->Connected(); }));
    if (waitForReady) {
      ASSERT_TRUE(RunUntil([&] { return RowShows("ready"); }));
    }
  }
  // Types text into the session window as keys.
  void Type(const std::string& text) {
    for (char c : text) {
      platform::UiEvent e;
      e.kind = platform::UiEventKind::Dialog;
      e.type = platform::kKeyTyped;
      e.window = 48;
      e.number = static_cast<uint8_t>(c);
      e.key.text = std::string(1, c);
      queue.Post(e);
    }
  }
  std::string ScreenText() {
    std::string out;
    korvane::Screen& s = Window().session.screen;
    for (int r = 1; r <= s.ScreenRows; ++r) {
      std::string row;
      for (int c = 1; c <= s.ScreenCols; ++c) {
        const int ch = s.ScreenChars(r, c);
        row += ch < 32 ? ' ' : static_cast<char>(ch);
      }
      row.erase(row.find_last_not_of(' ') + 1);
      out += row + "\n";
    }
    return out;
  }
  SessionWindow& Window() { return *app->windows.Find(48); }
  bool RowShows(const std::string& text) {
    SessionWindow* w = app->windows.Find(48);
    if (!w) return false;
    Screen& s = w->session.screen;
    for (int r = 1; r <= s.ScreenRows; ++r) {
      std::string row;
      for (int c = 1; c <= s.ScreenCols; ++c) {
        const int ch = s.ScreenChars(r, c);
        row += ch == 0 ? ' ' : static_cast<char>(ch);
      }
      if (row.find(text) != std::string::npos) return true;
    }
    return false;
  }
  bool RunUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < ms) app->Turn();
    return done();
  }
  // Turns the loop for `ms` of real time.
  void RunFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms && !app->Finished()) app->Turn();
  }
  int AlertsWith(const std::string& text) const {
    return static_cast<int>(std::count_if(alerts.shown.begin(), alerts.shown.end(),
                                          [&](const auto& a) { return a.text.find(text) != std::string::npos; }));
  }
  std::string AllAlerts() const {
    std::string out;
    for (const auto& a : alerts.shown) out += "[" + a.text + "] ";
    return out;
  }
};

TEST_F(QtTransferProgram, TenMegabytesFromTheFileMenuReachTheHostWholeWhileTheLoopTurns) {
  // A file as editors write them: LF, CR LF and CR line ends, TABs, empty
  // lines, long and short lines. Each line goes as its text and CR; a TAB
  // goes as RS.
  std::string text, expected;
  for (int i = 0; text.size() < 10u * 1024 * 1024; ++i) {
    std::string line =
        "record " + std::to_string(i) + "\t" + std::string(static_cast<size_t>((i * 53) % 300), 'a' + i % 26);
    if (i % 17 == 0) line.clear();
    static const char* const kEnds[] = {"\n", "\r\n", "\r"};
    // (An empty line after a CR ends in CR LF: an LF alone would join the CR
    // as one line end.)
    text += line + (line.empty() ? "\r\n" : kEnds[i % 3]);
    std::replace(line.begin(), line.end(), '\t', '\x1e');
    expected += line + "\r";
  }
  WriteFile(Path("big.txt"), text);
  Start({}, [](SessionOptions& o) {
    // As fast as the session allows: no wait for an echo, no line delay.
    o.EchoPacedSend = 1;
    o.NoEchoWait = 1;
    o.LineDelay = 0;
    o.TabAsRecordSeparator = 1;
  });
  // The user picks the file in the file dialog.
  std::string prompt;
  qt.fileDialogs.onShow = [&](QFileDialog& d) {
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setDirectory(folder.path());
    prompt = d.windowTitle().toStdString();
    QTimer::singleShot(0, &d, [&d] {
      d.selectFile("big.txt");
      static_cast<QDialog&>(d).accept();
    });
  };
  output::SessionTransfers* t = output::SessionTransfersOf(Window());
  ASSERT_NE(t, nullptr);
  qt.menus.Action(platform::kFileMenu, ui::file_item::kSendTextFile)->trigger();

  int turns = 0, sendingTurns = 0;
  int64_t longestTurnMs = 0;
  QElapsedTimer all;
  all.start();
  auto size = [&] { return static_cast<size_t>(QFileInfo(QString::fromStdString(record)).size()); };
  while (!(size() >= expected.size() && !t->Sending()) && all.elapsed() < 120000) {
    // (The turn that shows the file dialog and reads the file is the
    // user's own wait: the turns of the send are the ones measured.)
    const bool wasSending = t->Sending();
    QElapsedTimer turn;
    turn.start();
    app->Turn();
    if (wasSending) {
      longestTurnMs = std::max<int64_t>(longestTurnMs, turn.elapsed());
      ++sendingTurns;
    }
    ++turns;
  }
  EXPECT_EQ(prompt, "Select a text file ( .txt ) to transfer to the host");
  ASSERT_GE(size(), expected.size()) << AllAlerts() << " after " << all.elapsed() << " ms, " << turns << " turns, "
                                     << sendingTurns << " sending, still sending: " << t->Sending()
                                     << ", left: " << t->Sender().BytesLeft();
  RunFor(200);
  const std::string got = ReadFile(record);
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected) << "first difference at byte "
                               << std::mismatch(got.begin(), got.end(), expected.begin()).first - got.begin();
  std::printf("[ figures  ] %zu bytes in %lld ms, %d turns (%d while sending), longest turn %lld ms\n", expected.size(),
              static_cast<long long>(all.elapsed()), turns, sendingTurns, static_cast<long long>(longestTurnMs));
  // The send was shared among many turns and none held the window long.
  EXPECT_GT(sendingTurns, 10);
  EXPECT_LT(longestTurnMs, 250);
  EXPECT_TRUE(alerts.shown.empty()) << AllAlerts();
}

struct UploadCase {
  const char* name;
  std::string hostName;  // the name in the host's request
  int answer;            // the user's answer to "Send it to the host?"
  bool sent;             // the file reaches the host
  const char* alert;     // a text of the alert shown when it does not
};

TEST_F(QtTransferProgram, TheHostsUploadRequestSendsOnlyPlainFilesOfTheDocumentsFolder) {
  const std::string content = "first line\nsecond line\n";
  WriteFile(documents + "/pick/report.txt", content);
  WriteFile(documents + "/reports/q1.txt", content);
  // Files outside the Documents folder that a host must never get.
  const std::string secret = "SECRET\n";
  WriteFile(Path("secret.txt"), secret);
  WriteFile(Path("other/secret.txt"), secret);
  fs::create_symlink(Path("secret.txt"), documents + "/pick/link.txt");
  fs::create_directories(documents + "/pick/folder.txt");

  const UploadCase cases[] = {
      {"BareNameFromPick", "report.txt", 1, true, ""},
      {"DriveAndBackslashes", "C:\\reports\\q1.txt", 1, true, ""},
      {"TheUserCancels", "report.txt", 2, false, "Send it to the host?"},
      {"UpAFolder", "..\\secret.txt", 1, false, "does not send"},
      {"UpTwice", "reports/../../secret.txt", 1, false, "does not send"},
      {"AbsolutePath", Path("secret.txt"), 1, false, "does not send"},
      {"ALinkOutOfTheFolder", "link.txt", 1, false, "does not send"},
      {"AFolder", "folder.txt", 1, false, "does not send"},
      {"AControlByte", "rep\x01ort.txt", 1, false, "does not send"},
      {"NoTxt", "report", 1, false, "does not have a .txt extension"},
      {"Missing", "absent.txt", 1, false, "Error opening file."},
  };
  for (const UploadCase& c : cases) {
    SCOPED_TRACE(c.name);
    alerts.shown.clear();
    alerts.answers = {c.answer};
    Start("\x1b\x02UAT;" + c.hostName + "\r", [](SessionOptions& o) {
      o.EchoPacedSend = 1;
      o.NoEchoWait = 1;
      o.LineDelay = 0;
    });
    const std::string expected = c.sent ? "first line\rsecond line\r" : "";
    if (c.sent) {
      EXPECT_TRUE(RunUntil([&] { return ReadFile(record).size() >= expected.size(); })) << AllAlerts();
      EXPECT_EQ(AlertsWith("Send it to the host?"), 1) << AllAlerts();
    } else {
      RunFor(700);
      EXPECT_EQ(AlertsWith(c.alert), 1) << AllAlerts();
    }
    RunFor(200);
    EXPECT_EQ(ReadFile(record), expected);
    EXPECT_EQ(ReadFile(Path("secret.txt")), secret);
  }
}

TEST_F(QtTransferProgram, TheHostsDownloadLandsInTheTransferFileAndItsStatusIsAnswered) {
  // The host starts a text transfer that may replace the transfer file
  // (which the program keeps, empty at first), sends two lines, asks how it
  // went and ends it.
  Start(
      "\x1b\x02"
      "DAO\r"
      "alpha\r\nbeta\r\n"
      "\x1b\x02S"
      "\x1b\x02"
      "CX");
  const std::string file = documents + "/pick/ft.txt";
  ASSERT_TRUE(RunUntil([&] { return AlertsWith("File transfer done") == 1; })) << AllAlerts();
  EXPECT_EQ(ReadFile(file), "alpha\nbeta\n") << AllAlerts();
  EXPECT_TRUE(RunUntil([&] { return ReadFile(record).find('\r') != std::string::npos; }));
  EXPECT_EQ(ReadFile(record).substr(0, 17), "Status: 0 Files 1");

  // A second transfer that may not replace the file is refused, and the
  // file stays as it was.
  alerts.shown.clear();
  Start(
      "\x1b\x02"
      "DA\r"
      "gamma\r\n"
      "\x1b\x02S");
  EXPECT_TRUE(RunUntil([&] { return AlertsWith("not be overwritten") == 1; })) << AllAlerts();
  RunFor(300);
  EXPECT_EQ(ReadFile(file), "alpha\nbeta\n");
}

TEST_F(QtTransferProgram, AKermitUploadTheHostAsksForReachesTheHostsKermit) {
  if (access("/usr/bin/kermit", X_OK) != 0 || access("/bin/tcsh", X_OK) != 0)
    GTEST_SKIP() << "kermit (ckermit) or tcsh is not installed (scripts/setup.sh installs them)";
  const std::string content = "a file for the host\nsent by kermit\n";
  WriteFile(documents + "/pick/report.txt", content);
  // The host: kermit reaches it on a pseudo-terminal of its own; it asks for
  // the file and waits for it with its own kermit.
  const std::string remote = Path("remote");
  fs::create_directories(remote);
  WriteFile(Path("host.sh"),
            "#!/bin/sh\ncd " + remote + " || exit 1\nprintf '\\033\\002UKT;report.txt\\r'\nexec kermit -r\n");
  fs::permissions(Path("host.sh"), fs::perms::owner_all);

  // A local session through kermit: the program starts tcsh, then kermit,
  // and takes kermit to the transfer folder.
  Start(
      {},
      [](SessionOptions& o) {
        o.ShellRunsProgram = 0;
        o.ShellRunsTcsh = 1;
        o.KermitMode = 1;
      },
      false);
  ASSERT_EQ(Window().session.Opt.KermitMode, 1) << AllAlerts();
  ASSERT_TRUE(RunUntil([&] { return fs::exists(documents + "/kermit_transfers"); }, 20000))
      << ScreenText() << AllAlerts();
  ASSERT_TRUE(RunUntil([&] { return RowShows("C-Kermit>"); })) << ScreenText();
  RunFor(1500);
  // The user connects kermit to the host.
  Type("set host /pty " + Path("host.sh") + "\r");
  RunFor(1000);
  Type("connect\r");
  ASSERT_TRUE(RunUntil(
      [&] { return fs::exists(remote + "/report.txt") && ReadFile(remote + "/report.txt") == content; }, 30000))
      << ScreenText() << AllAlerts();
  EXPECT_EQ(AlertsWith("Send it to the host?"), 1) << AllAlerts();
  // Kermit's report ends the upload; the session goes back to the host.
  EXPECT_TRUE(RunUntil([&] { return Window().session.input.TransferWatchOn == 0; })) << ScreenText();
}

TEST_F(QtTransferProgram, PicturesTheHostShowsAreRemovedByNameOrAllAtOnce) {
  for (const char* name : {"a.png", "b.png"}) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(Path(name)), "PNG"));
  }
  struct Case {
    const char* name;
    std::string script;
    bool aShown, bShown;
  };
  const Case cases[] = {
      {"BothShown", "\x1b\x02iL a.png,1,1,4,2,0\r\x1b\x02iL b.png,10,1,4,2,0\r", true, true},
      {"OneRemovedByName", "\x1b\x02iL a.png,1,1,4,2,0\r\x1b\x02iL b.png,10,1,4,2,0\r\x1b\x02iD a.png\r", false, true},
      {"AllRemoved", "\x1b\x02iL a.png,1,1,4,2,0\r\x1b\x02iL b.png,10,1,4,2,0\r\x1b\x02iC", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    alerts.shown.clear();
    Start(c.script + "done\r\n");
    ASSERT_TRUE(RunUntil([&] { return RowShows("done"); }));
    RunFor(200);
    output::SessionPictures* pictures = output::SessionPicturesOf(Window());
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(Window().controls.HasControl(output::SessionPictures::kFirstControl + 1), c.aShown);
    EXPECT_EQ(Window().controls.HasControl(output::SessionPictures::kFirstControl + 2), c.bShown);
    EXPECT_TRUE(alerts.shown.empty()) << AllAlerts();
  }
  // A picture outside the home folder is not opened.
  alerts.shown.clear();
  Start("\x1b\x02iL /etc/passwd,1,1,4,2,0\rdone\r\n");
  ASSERT_TRUE(RunUntil([&] { return RowShows("done"); }));
  EXPECT_EQ(AlertsWith("does not open"), 1) << AllAlerts();
  EXPECT_FALSE(Window().controls.HasControl(output::SessionPictures::kFirstControl + 1));
}

// A fake curl first on the PATH: it writes each of its arguments on a line
// of its own, then "--end--", into the file KORVANE_CURL_RECORD names, then copies the picture
// KORVANE_CURL_PICTURE names (when set) to the --output file.
void WriteFakeCurl(const std::string& folder) {
  const std::string path = folder + "/curl";
  WriteFile(path,
            "#!/bin/sh\n"
            "out=\n"
            // The fetches run at once: each call's record goes out in one
            // write, so records of calls never interleave.
            "record=$(printf '%s\\n' \"$@\" '--end--')\n"
            "printf '%s\\n' \"$record\" >> \"$KORVANE_CURL_RECORD\"\n"
            "while [ $# -gt 0 ]; do\n"
            "  if [ \"$1\" = --output ]; then out=$2; fi\n"
            "  shift\n"
            "done\n"
            "[ -n \"$KORVANE_CURL_PICTURE\" ] || exit 22\n"
            "cp \"$KORVANE_CURL_PICTURE\" \"$out\"\n");
  fs::permissions(path, fs::perms::owner_all);
}

// The fake curl first on PATH for one test, recording into `record` and
// delivering a small picture of `colour` (none: every fetch fails, as curl
// does on a 404); PATH and the fake's settings are put back at the end.
struct FakeCurl {
  FakeCurl(const std::string& folder, const std::string& recordPath, const std::string& picture, Qt::GlobalColor colour,
           bool delivers)
      : savedPath(std::getenv("PATH") ? std::getenv("PATH") : "") {
    WriteFakeCurl(folder);
    setenv("PATH", (folder + ":" + savedPath).c_str(), 1);
    setenv("KORVANE_CURL_RECORD", recordPath.c_str(), 1);
    unsetenv("KORVANE_CURL_PICTURE");
    if (!delivers) return;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(picture), "PNG"));
    setenv("KORVANE_CURL_PICTURE", picture.c_str(), 1);
  }
  ~FakeCurl() {
    setenv("PATH", savedPath.c_str(), 1);
    unsetenv("KORVANE_CURL_RECORD");
    unsetenv("KORVANE_CURL_PICTURE");
  }
  std::string savedPath;
};

TEST_F(QtTransferProgram, APictureAddressReachesCurlAsOneArgumentUnchanged) {
  const std::string curlRecord = Path("curl-args");
  // A small picture for each fetch to deliver.
  FakeCurl curl(Path("bin"), curlRecord, Path("dot.png"), Qt::red, true);

  const std::string addresses[] = {
      "http://pictures.example/a b.png",
      "https://pictures.example/$(touch " + Path("pwned") + ").png",
      "http://pictures.example/it's \"quoted\";echo x`id`.png",
  };
  std::string script;
  for (const auto& a : addresses) script += "\x1b\x02iL " + a + ",1,1,8,4\r";
  Start(script);
  auto calls = [&] {
    const std::string r = ReadFile(curlRecord);
    int n = 0;
    for (size_t at = r.find("--end--"); at != std::string::npos; at = r.find("--end--", at + 1)) ++n;
    return n;
  };
  ASSERT_TRUE(RunUntil([&] { return calls() == 3; })) << ReadFile(curlRecord) << AllAlerts();
  output::SessionPictures* pictures = output::SessionPicturesOf(Window());
  ASSERT_NE(pictures, nullptr);
  ASSERT_TRUE(RunUntil([&] { return pictures->DownloadsRunning() == 0; }));
  RunFor(200);

  // Each call: the arguments, the address last and whole.
  std::vector<std::vector<std::string>> argv(1);
  std::istringstream lines(ReadFile(curlRecord));
  for (std::string line; std::getline(lines, line);) {
    if (line == "--end--")
      argv.emplace_back();
    else
      argv.back().push_back(line);
  }
  argv.pop_back();
  ASSERT_EQ(argv.size(), 3u) << ReadFile(curlRecord);
  // The fetches run at once, so they record in whatever order they ran.
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    const auto call = std::find_if(
        argv.begin(), argv.end(), [&](const std::vector<std::string>& a) { return !a.empty() && a.back() == address; });
    ASSERT_NE(call, argv.end()) << "no call ends with the whole address: " << ReadFile(curlRecord);
    const auto& args = *call;
    auto after = [&](const std::string& flag) {
      const auto it = std::find(args.begin(), args.end(), flag);
      return it == args.end() || it + 1 == args.end() ? std::string() : *(it + 1);
    };
    EXPECT_EQ(after("--proto"), "=http,https");
    EXPECT_FALSE(after("--max-filesize").empty());
    EXPECT_FALSE(after("--max-time").empty());
    EXPECT_EQ(fs::path(after("--output")).parent_path().string(), Path("data") + "/Downloaded Images");
  }
  EXPECT_FALSE(fs::exists(Path("pwned"))) << "no shell saw the address";
  // The fetched pictures are shown, each in a slot of its own.
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(pictures->SlotName(k).empty(), false) << k;
}

TEST_F(QtTransferProgram, TwoAddressesOfOneFileNameAreFetchedIntoFilesOfTheirOwn) {
  const std::string curlRecord = Path("curl-args");
  // A small picture for each fetch to deliver.
  FakeCurl curl(Path("bin"), curlRecord, Path("dot.png"), Qt::green, true);
  Start("\x1b\x02iL http://one.example/logo.png,1,1,4,2,0\r\x1b\x02iL http://two.example/logo.png,10,1,4,2,0\r");
  output::SessionPictures* pictures = output::SessionPicturesOf(Window());
  ASSERT_NE(pictures, nullptr);
  ASSERT_TRUE(RunUntil([&] { return !pictures->SlotName(1).empty() && !pictures->SlotName(2).empty(); }))
      << ReadFile(curlRecord) << AllAlerts() << sounds.beeps;
  EXPECT_NE(pictures->SlotName(1), pictures->SlotName(2));
  EXPECT_TRUE(fs::exists(pictures->SlotName(1)));
  EXPECT_TRUE(fs::exists(pictures->SlotName(2)));
}

TEST_F(QtTransferProgram, AFailedPictureFetchLeavesTheSessionAsItWas) {
  const std::string curlRecord = Path("curl-args");
  // The fake fails as curl does on a 404.
  FakeCurl curl(Path("bin"), curlRecord, {}, Qt::black, false);
  Start("before\r\n\x1b\x02iL http://pictures.example/missing.png,1,1,8,4\r");
  output::SessionPictures* pictures = output::SessionPicturesOf(Window());
  ASSERT_NE(pictures, nullptr);
  ASSERT_TRUE(RunUntil([&] { return ReadFile(curlRecord).find("--end--") != std::string::npos; }));
  ASSERT_TRUE(RunUntil([&] { return pictures->DownloadsRunning() == 0; }));
  RunFor(200);
  EXPECT_TRUE(pictures->SlotName(1).empty());
  EXPECT_TRUE(RowShows("before"));
  EXPECT_FALSE(fs::exists(Path("data/Downloaded Images/missing.png")));
  EXPECT_FALSE(fs::exists(Path("data/Downloaded Images/missing.png.part")));
}

}  // namespace
}  // namespace korvane
