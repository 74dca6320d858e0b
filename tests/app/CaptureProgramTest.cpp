// Capture and printing in the real program, offscreen: hosts are children on
// real pseudo-terminals that write escape sequences, the capture files land
// on the disk, raw printer jobs go through lp (a fake one first on PATH, or
// CUPS itself with a queue of the test's own), and the menus' marks follow
// the active window.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/EmulationFlags.h"
#include "output/CaptureIndicators.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtCellPictureWriter.h"
#include "platform/qt/QtSelectionFrame.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

namespace korvane {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  chmod(path.c_str(), mode);
}

// The printing of the platform, with the default printer a CUPS set-up would
// name (a raw job goes to the printer the user chose as the default). When
// `answerDialog` is set, it stands for the user at the print dialog (the
// dialog itself would wait for a click): it sees the program as it is while
// the dialog is up, and the job is cancelled.
class NamedDefaultPrinter final : public platform::Printing {
 public:
  NamedDefaultPrinter(platform::Printing& inner, std::string name) : inner_(inner), name_(std::move(name)) {}
  std::function<void()> answerDialog;
  platform::PageFormat DefaultPageFormat() override { return inner_.DefaultPageFormat(); }
  int ValidatePageFormat(const platform::PageFormat& f) override { return inner_.ValidatePageFormat(f); }
  platform::PrintResult PageSetupDialog(platform::PageFormat& f) override { return inner_.PageSetupDialog(f); }
  platform::PrintResult PrintDialog(const platform::PageFormat& f, platform::PrintSettings& s) override {
    if (answerDialog) {
      answerDialog();
      platform::PrintResult cancelled;
      cancelled.cancelled = true;
      return cancelled;
    }
    return inner_.PrintDialog(f, s);
  }
  platform::PrintResult PrintText(const platform::PrintSettings& s, const platform::PageFormat& f,
                                  const platform::TextPages& t) override {
    return inner_.PrintText(s, f, t);
  }
  platform::PrintResult PrintPicture(const platform::PrintSettings& s, const platform::PageFormat& f,
                                     const platform::PixelImage& i) override {
    return inner_.PrintPicture(s, f, i);
  }
  std::string DefaultPrinterName() override { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

 private:
  platform::Printing& inner_;
  std::string name_;
};

class CaptureProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description = testing_support::ProgramInterface();
  platform::QtPlatform qt{queue, description, [](const std::string& s) { return s; }};
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  NamedDefaultPrinter printing{qt.printing, "laser"};
  platform::QtCellPictureWriter cellPictures;
  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus, alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, sounds,     printing, qt.programs, qt.fileDialogs, qt.clipboard};
  std::unique_ptr<app::App> app;
  HostFolders hostFolders;
  std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";

  CaptureProgram() {
    queue.onPost = [this] { qt.pump.Wake(); };
    // The clipboard service, as the program is put together.
    platform.cellPictures = &cellPictures;
    platform.selectionFrame = [this](int window) -> std::unique_ptr<platform::SelectionFrame> {
      return std::make_unique<platform::QtSelectionFrame>(qt.windows.View(window));
    };
    std::filesystem::create_directories(Path("Desktop"));
    hostFolders.home = folder.path().toStdString();
    hostFolders.desktop = Path("Desktop");
  }
  ~CaptureProgram() override {
    app.reset();
    setenv("PATH", savedPath.c_str(), 1);
  }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  // A settings document whose session runs `script` with sh on a pseudo-terminal.
  void WriteHostDocument(const std::string& path, const std::string& script, EmulationKind kind,
                         const std::function<void(SessionOptions&)>& edit = {}) {
    WriteFile(path + ".sh", script);
    SessionOptions opt;
    SettingsState state;
    Preferences prefs(Path("prefs"));
    fakes::RecordingSettingsHost host;
    Settings settings(opt, state, prefs, qt.files, alerts, host);
    settings.SetDefaultSettings();
    SetEmulationFlags(kind, opt);
    opt.UsesPty = 1;
    opt.LocalShellSession = 1;
    opt.TelnetSession = 0;
    opt.ShellRunsProgram = 1;
    opt.ShellProgram = "/bin/sh " + path + ".sh";
    opt.AutoConnect = 1;
    if (edit) edit(opt);
    ASSERT_TRUE(settings.WriteSettingsFile(path));
  }
  void Start(const std::vector<std::string>& documents) {
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    data.hostFolders = hostFolders;
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments(documents);
    app->Turn();
  }
  bool RunUntil(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < ms) app->Turn();
    return done();
  }
  void RunFor(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) app->Turn();
  }
  std::string Row(int window, int r) {
    Screen& s = app->windows.Find(window)->session.screen;
    std::string out;
    for (int c = 1; c <= s.ScreenCols; ++c) {
      const int ch = s.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
  }
  bool ScreenHolds(int window, const std::string& text) {
    Screen& s = app->windows.Find(window)->session.screen;
    for (int r = 1; r <= s.ScreenRows; ++r)
      if (Row(window, r).find(text) != std::string::npos) return true;
    return false;
  }
  bool Marked(int menu, int item) { return qt.menus.Action(menu, item)->isChecked(); }
  // Numbered window n is on the screen.
  bool Visible(int n) {
    QWidget* top = qt.windows.TopLevel(n);
    return top && top->isVisible();
  }
  // Pixels of the status line's indicator colour at an indicator's place
  // (the cells of "Clipboard On", the longest of the three).
  int IndicatorPixels(output::StatusIndicator indicator) {
    if (!Visible(platform::kStatusWindow)) return 0;
    const int16_t size = app->windows.Active()->session.Opt.TextSizeValue;
    const output::IndicatorPlace place = output::StatusIndicatorPlace(indicator, size);
    const platform::PixelImage strip =
        qt.windows.ContentPixels(platform::kStatusWindow, {place.x, 0, place.x + 7 * 12, 40});
    int n = 0;
    for (const uint32_t pixel : strip.pixels) n += (pixel & 0xFFFFFF) == 0x9900FF;
    return n;
  }
  // The indicator stands at its place: most of its cells are a block of
  // the indicators' colour.
  bool IndicatorShown(output::StatusIndicator indicator) { return IndicatorPixels(indicator) > 300; }
  // Runs turns until `done`, keeping the longest turn (in ms) in `longest`.
  bool RunTimingTurns(const std::function<bool()>& done, int64_t& longest, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done() && !app->Finished() && t.elapsed() < ms) {
      QElapsedTimer turn;
      turn.start();
      app->Turn();
      longest = std::max<int64_t>(longest, turn.elapsed());
    }
    return done();
  }
  std::string AlertTexts() const {
    std::string out;
    for (const auto& a : alerts.shown) out += a.text + "\n";
    return out;
  }
  // A fake lp first on PATH: it keeps its arguments and a copy of the job's
  // file before it ends, as lp hands the file to the spooler.
  void InstallFakeLp() {
    std::filesystem::create_directories(Path("bin"));
    WriteFile(Path("bin/lp"),
              "#!/bin/sh\n"
              "printf '%s\\n' \"$@\" > '" +
                  Path("lp-args") +
                  "'\n"
                  "for last; do :; done\n"
                  "cp \"$last\" '" +
                  Path("lp-job") + "'\n",
              0755);
    setenv("PATH", (Path("bin") + ":" + savedPath).c_str(), 1);
  }
};

TEST_F(CaptureProgram, TheHostsCaptureFileFollowsItsOwnWindowAcrossAWindowSwitch) {
  const std::string go = Path("go");
  WriteHostDocument(Path("capturing"),
                    "stty raw -echo\n"
                    "printf '\\033~5~F~switch.txt\\r\\nfirst\\r\\n'\n"
                    "while [ ! -e '" +
                        go +
                        "' ]; do sleep 0.05; done\n"
                        "printf 'second\\r\\n\\033~4'\n"
                        "exec sleep 100\n",
                    EmulationKind::Vt220);
  WriteHostDocument(Path("other"), "stty raw -echo\nprintf 'other window\\r\\n'\nexec sleep 100\n",
                    EmulationKind::Vt220);
  const std::string file = Path("Desktop/switch.txt");
  Start({Path("capturing")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "first" && Contents(file) == "first\n"; }))
      << Row(48, 1) << "|" << Contents(file) << "|" << AlertTexts();
  EXPECT_TRUE(Marked(platform::kRecorderMenu, 1));

  // A second window comes to the front: it reads its own host, and its text
  // is not captured; the first window's host waits.
  app->OpenDocuments({Path("other")});
  ASSERT_TRUE(RunUntil([&] {
    return app->windows.Count() == 2 && app->windows.Find(49) && Row(49, 1) == "other window";
  })) << AlertTexts();
  EXPECT_EQ(app->flags.ActiveWindowNumber, 49);
  EXPECT_FALSE(Marked(platform::kRecorderMenu, 1));
  WriteFile(go, "");
  RunFor(500);
  EXPECT_EQ(Contents(file), "first\n");
  EXPECT_EQ(Row(48, 2), "");

  // Back to the first window: what its host sent meanwhile follows in order,
  // and the host's capture-off closes the file.
  qt.windows.Activated(48);
  ASSERT_TRUE(RunUntil([&] { return app->flags.ActiveWindowNumber == 48 && Row(48, 2) == "second"; }));
  ASSERT_TRUE(RunUntil([&] { return app->windows.Find(48)->session.input.CaptureFileOn == 0; }));
  EXPECT_EQ(Contents(file), "first\nsecond\n");
  EXPECT_FALSE(Marked(platform::kRecorderMenu, 1));
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
}

TEST_F(CaptureProgram, AFiftyMegabyteFloodIsCapturedCompleteAndInOrder) {
  // Numbered lines of 79 characters, 50 MB in all, between the host's
  // capture-on and capture-off.
  constexpr int kLines = 50'000'000 / 81 + 1;
  std::string flood = "\033~5~F~flood.txt\r\n", expected;
  flood.reserve(static_cast<size_t>(kLines) * 81 + 64);
  expected.reserve(static_cast<size_t>(kLines) * 80);
  const std::string tail = " the quick brown fox jumps over the lazy dog 0123456789 <&> abcdefghijklm";
  char number[16];
  for (int i = 0; i < kLines; ++i) {
    std::snprintf(number, sizeof number, "%07d", i);
    const std::string line = number + tail.substr(0, 72);
    flood += line + "\r\n";
    expected += line + "\n";
  }
  flood += "\033~4";
  ASSERT_GE(flood.size(), 50'000'000u);
  WriteFile(Path("flood.bin"), flood);
  WriteHostDocument(Path("flood"), "stty raw -echo\ncat '" + Path("flood.bin") + "'\nexec sleep 100\n",
                    EmulationKind::Vt220);
  const std::string file = Path("Desktop/flood.txt");
  Start({Path("flood")});
  ASSERT_TRUE(RunUntil([&] { return app->windows.Find(48)->session.input.CaptureFileOn == 1; }));
  ASSERT_TRUE(RunUntil([&] { return app->windows.Find(48)->session.input.CaptureFileOn == 0; }, 240000))
      << std::filesystem::file_size(file);
  const std::string captured = Contents(file);
  ASSERT_EQ(captured.size(), expected.size());
  EXPECT_TRUE(captured == expected) << "first difference at byte "
                                    << std::mismatch(captured.begin(), captured.end(), expected.begin()).first -
                                           captured.begin();
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
}

// ---- The status line and the printing windows -----------------------------------------

TEST_F(CaptureProgram, TheStatusLineShowsTheModesOfTheSessionInFrontAsTheyChange) {
  using output::StatusIndicator;
  printing.answerDialog = [] {};
  const std::string go = Path("go"), done = Path("done");
  WriteHostDocument(Path("modes"),
                    "stty raw -echo\n"
                    "printf '\\033~H\\033~3captured\\r\\n'\n"
                    "while [ ! -e '" +
                        go +
                        "' ]; do sleep 0.05; done\n"
                        "printf '\\033[5iprinted\\r\\n'\n"
                        "while [ ! -e '" +
                        done +
                        "' ]; do sleep 0.05; done\n"
                        "printf '\\033[4i\\033~4back\\r\\n'\n"
                        "exec sleep 100\n",
                    EmulationKind::Vt220, [](SessionOptions& o) { o.StatusWindowShown = 0; });
  WriteHostDocument(Path("quiet"), "stty raw -echo\nprintf 'quiet\\r\\n'\nexec sleep 100\n", EmulationKind::Vt220,
                    [](SessionOptions& o) { o.StatusWindowShown = 0; });
  Start({Path("modes")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "captured" && IndicatorShown(StatusIndicator::Capture); }))
      << Row(48, 1) << " " << IndicatorPixels(StatusIndicator::Capture) << AlertTexts();
  EXPECT_FALSE(IndicatorShown(StatusIndicator::Printer));
  EXPECT_FALSE(IndicatorShown(StatusIndicator::Clipboard));

  WriteFile(go, "");
  ASSERT_TRUE(RunUntil([&] { return IndicatorShown(StatusIndicator::Printer); })) << AlertTexts();
  EXPECT_TRUE(IndicatorShown(StatusIndicator::Capture));

  // Another session in front: its line has neither.
  app->OpenDocuments({Path("quiet")});
  ASSERT_TRUE(RunUntil([&] { return app->flags.ActiveWindowNumber == 49 && Row(49, 1) == "quiet"; }));
  ASSERT_TRUE(RunUntil([&] { return !IndicatorShown(StatusIndicator::Capture); }));
  EXPECT_FALSE(IndicatorShown(StatusIndicator::Printer));
  // Clipboard capture from the Recorder menu, in that session.
  qt.menus.Action(platform::kRecorderMenu, 7)->trigger();
  ASSERT_TRUE(RunUntil([&] { return IndicatorShown(StatusIndicator::Clipboard); })) << AlertTexts();

  // Back to the first: its capture and printer again.
  qt.windows.Activated(48);
  ASSERT_TRUE(RunUntil([&] {
    return app->flags.ActiveWindowNumber == 48 && IndicatorShown(StatusIndicator::Capture) &&
           IndicatorShown(StatusIndicator::Printer);
  }));
  EXPECT_FALSE(IndicatorShown(StatusIndicator::Clipboard));

  // The host turns the printer and the capture off: the line is empty of
  // indicators again, and what stands beside them is still there.
  WriteFile(done, "");
  ASSERT_TRUE(RunUntil([&] { return Row(48, 2) == "back" || ScreenHolds(48, "back"); })) << Row(48, 1);
  ASSERT_TRUE(
      RunUntil([&] { return !IndicatorShown(StatusIndicator::Capture) && !IndicatorShown(StatusIndicator::Printer); }));
  EXPECT_EQ(IndicatorPixels(StatusIndicator::Capture), 0);
  EXPECT_EQ(IndicatorPixels(StatusIndicator::Printer), 0);
  EXPECT_EQ(app->windows.Find(48)->session.input.CaptureFileOn, 0);
}

TEST_F(CaptureProgram, ARawJobsWindowGoesAwayASecondLaterWhileTheHostGoesOn) {
  InstallFakeLp();
  const std::string after = Path("after");
  WriteFile(Path("host.bin"), "\033[5i" + std::string("\033E job \033E") + "\033[4i");
  WriteHostDocument(Path("printing"),
                    "stty raw -echo\ncat '" + Path("host.bin") +
                        "'\n"
                        "while [ ! -e '" +
                        after +
                        "' ]; do sleep 0.02; done\n"
                        "printf 'after\\r\\n'\n"
                        "exec sleep 100\n",
                    EmulationKind::Vt220, [](SessionOptions& o) { o.PclPassThrough = 1; });
  Start({Path("printing")});
  int64_t longest = 0;
  ASSERT_TRUE(RunTimingTurns([&] { return Visible(platform::kPrintingPclWindow); }, longest)) << AlertTexts();
  QElapsedTimer shown;
  shown.start();
  EXPECT_EQ(qt.windows.Title(platform::kPrintingPclWindow), "Printing PCL Document");
  // While it is up, the host's output is read and shown.
  WriteFile(after, "");
  ASSERT_TRUE(RunTimingTurns([&] { return ScreenHolds(48, "after"); }, longest));
  EXPECT_TRUE(Visible(platform::kPrintingPclWindow)) << "gone after " << shown.elapsed() << " ms";
  ASSERT_TRUE(RunTimingTurns([&] { return !qt.windows.Exists(platform::kPrintingPclWindow); }, longest));
  EXPECT_GE(shown.elapsed(), 900);
  EXPECT_LT(longest, 900) << "a turn waited for the window";
  EXPECT_EQ(qt.windows.FrontWindow(), 48);
  EXPECT_TRUE(RunUntil([&] { return std::filesystem::exists(Path("lp-job")); }));
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
}

TEST_F(CaptureProgram, ALongTextShowsThePrintingWindowAroundThePrintDialog) {
  std::string lines;
  for (int i = 1; i <= 5001; ++i) lines += "report line " + std::to_string(i) + "\r\n";
  WriteFile(Path("host.bin"), "\033[5i" + lines + "\033[4iprinted\r\n");
  WriteHostDocument(Path("printing"), "stty raw -echo\ncat '" + Path("host.bin") + "'\nexec sleep 100\n",
                    EmulationKind::Vt220);
  bool shownAtDialog = false;
  int dialogs = 0;
  printing.answerDialog = [&] {
    ++dialogs;
    shownAtDialog = Visible(platform::kPrintingWindow) && qt.windows.Title(platform::kPrintingWindow) == "Printing";
  };
  Start({Path("printing")});
  int64_t longest = 0;
  ASSERT_TRUE(RunTimingTurns([&] { return dialogs == 1; }, longest, 20000)) << AlertTexts();
  QElapsedTimer after;
  after.start();
  EXPECT_TRUE(shownAtDialog);
  ASSERT_TRUE(RunTimingTurns([&] { return ScreenHolds(48, "printed"); }, longest));
  ASSERT_TRUE(RunTimingTurns([&] { return !qt.windows.Exists(platform::kPrintingWindow); }, longest));
  EXPECT_GE(after.elapsed(), 900);
  EXPECT_LT(longest, 900) << "a turn waited for the window";

  // A short text shows no such window.
  shownAtDialog = true;
  WriteFile(Path("short.bin"), "\033[5ishort\r\n\033[4i");
  WriteHostDocument(Path("short"), "stty raw -echo\ncat '" + Path("short.bin") + "'\nexec sleep 100\n",
                    EmulationKind::Vt220);
  app->OpenDocuments({Path("short")});
  ASSERT_TRUE(RunUntil([&] { return dialogs == 2; })) << AlertTexts();
  EXPECT_FALSE(shownAtDialog);
  EXPECT_FALSE(qt.windows.Exists(platform::kPrintingWindow));
}

// A PCL job: binary bytes, NUL, LF, CR, ESC and bytes above 127 among them.
std::string PclJob() {
  std::string job("\033E\033&l0O\033(s0p16.67h8.5v0s0b0T", 28);
  job += std::string("Korvane\0page\r\n", 14);
  job += "\033*r1A\033*b4W";
  for (int b = 0x80; b <= 0xFF; ++b) job += static_cast<char>(b);
  job += std::string("\0\n\r\f\033E", 6);
  return job;
}

struct PrinterSequences {
  const char* name;
  EmulationKind kind;
  const char* on;
  const char* off;
};

class PassThrough : public CaptureProgram, public ::testing::WithParamInterface<PrinterSequences> {};

TEST_P(PassThrough, ThePrinterSequencesAroundAPclJobHandItToLpByteForByte) {
  const PrinterSequences& p = GetParam();
  InstallFakeLp();
  const std::string job = PclJob();
  WriteFile(Path("host.bin"), "before\r\n" + std::string(p.on) + job + p.off + "after\r\n");
  WriteHostDocument(Path("printing"), "stty raw -echo\ncat '" + Path("host.bin") + "'\nexec sleep 100\n", p.kind,
                    [](SessionOptions& o) { o.PclPassThrough = 1; });
  Start({Path("printing")});
  ASSERT_TRUE(RunUntil([&] { return Contents(Path("lp-job")).size() == job.size(); }))
      << Contents(Path("lp-job")).size() << " bytes to lp; screen: " << Row(48, 1) << "|" << Row(48, 2) << "; "
      << AlertTexts();
  EXPECT_TRUE(Contents(Path("lp-job")) == job);
  EXPECT_EQ(Contents(Path("lp-args")), "-d\nlaser\n-o\nraw\n" + Path("prefs/PrinterTemp") + "\n");
  // The host's text around the job is shown; the job itself is not.
  ASSERT_TRUE(RunUntil([&] { return Row(48, 2) == "after"; })) << Row(48, 1) << "|" << Row(48, 2);
  EXPECT_EQ(Row(48, 1), "before");
  EXPECT_FALSE(ScreenHolds(48, "Korvane"));
  // Once lp has the job, the printer file goes.
  EXPECT_TRUE(RunUntil([&] { return !std::filesystem::exists(Path("prefs/PrinterTemp")); }));
  EXPECT_EQ(app->windows.Find(48)->session.input.PrinterOn, 0);
  EXPECT_FALSE(Marked(platform::kFileMenu, 16));
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, PassThrough,
    ::testing::Values(PrinterSequences{"Vt220PrinterController", EmulationKind::Vt220, "\033[5i", "\033[4i"},
                      PrinterSequences{"Wyse60TransparentPrint", EmulationKind::Wyse60, "\033d#", "\0334"}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(CaptureProgram, AFailingLpKeepsTheJobAndSaysWhere) {
  std::filesystem::create_directories(Path("bin"));
  WriteFile(Path("bin/lp"), "#!/bin/sh\necho 'lp: The printer or class does not exist.' >&2\nexit 1\n", 0755);
  setenv("PATH", (Path("bin") + ":" + savedPath).c_str(), 1);
  WriteFile(Path("host.bin"), "\033[5i" + PclJob() + "\033[4idone\r\n");
  WriteHostDocument(Path("printing"), "stty raw -echo\ncat '" + Path("host.bin") + "'\nexec sleep 100\n",
                    EmulationKind::Vt220, [](SessionOptions& o) { o.PclPassThrough = 1; });
  Start({Path("printing")});
  ASSERT_TRUE(RunUntil([&] { return !alerts.shown.empty(); })) << Row(48, 1);
  EXPECT_NE(alerts.shown[0].text.find("The printer did not take the job."), std::string::npos) << AlertTexts();
  EXPECT_NE(alerts.shown[0].text.find("does not exist"), std::string::npos) << AlertTexts();
  EXPECT_NE(alerts.shown[0].text.find(Path("prefs/PrinterTemp")), std::string::npos) << AlertTexts();
  EXPECT_TRUE(Contents(Path("prefs/PrinterTemp")) == PclJob());
  // The host's text goes on to the screen.
  EXPECT_TRUE(RunUntil([&] { return Row(48, 1) == "done"; })) << Row(48, 1);
}

// ---- A real print server ----------------------------------------------------------------

std::string Program(const std::string& name) {
  for (const char* dir : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"})
    if (access((dir + name).c_str(), X_OK) == 0) return dir + name;
  return {};
}

class CupsProgram : public CaptureProgram {
 protected:
  void SetUp() override {
    for (const char* name : {"cupsd", "lpadmin", "cupsdisable", "lp", "lpstat"})
      if (Program(name).empty()) GTEST_SKIP() << name << " is not installed (cups, cups-client)";
    root = Path("cups");
    std::filesystem::create_directories(root);
    chmod(root.c_str(), 0755);
    chmod(folder.path().toStdString().c_str(), 0755);
    WriteFile(root + "/cups-files.conf", "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nCacheDir " + root +
                                             "/cache\nStateDir " + root + "/state\nTempDir " + root +
                                             "/tmp\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nErrorLog " +
                                             root + "/error_log\nAccessLog " + root + "/access_log\nPageLog " + root +
                                             "/page_log\nFileDevice Yes\nSandboxing Relaxed\n");
    WriteFile(root + "/cupsd.conf", "Listen " + Socket() +
                                        "\nLogLevel warn\nWebInterface No\n<Location />\n  Order allow,deny\n  "
                                        "Allow all\n</Location>\n<Policy default>\n  <Limit All>\n    Order "
                                        "deny,allow\n  </Limit>\n</Policy>\n");
    for (const char* dir : {"/spool", "/cache", "/state", "/tmp", "/ppd"})
      std::filesystem::create_directories(root + dir);
    if (programs.StartProgram({Program("cupsd"), "-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"},
                              cupsd) != 0)
      GTEST_SKIP() << "cupsd could not be started";
    for (int i = 0; i < 250 && !std::filesystem::exists(Socket()); ++i) {
      platform::ProgramExit exit;
      if (programs.ProgramEnded(cupsd, exit)) {
        cupsd = 0;
        GTEST_SKIP() << "cupsd cannot run here: " << exit.output << Contents(root + "/error_log");
      }
      Pause();
    }
    if (!std::filesystem::exists(Socket())) GTEST_SKIP() << "cupsd did not open its socket";
    setenv("CUPS_SERVER", Socket().c_str(), 1);
    // A raw queue, stopped, so that the job stays in it to be looked at.
    ASSERT_EQ(Run({"lpadmin", "-p", "korvaneq", "-E", "-v", "file:///dev/null", "-m", "raw"}).status, 0);
    ASSERT_EQ(Run({"cupsdisable", "korvaneq"}).status, 0);
    printing.SetName("korvaneq");
  }
  void TearDown() override {
    app.reset();
    unsetenv("CUPS_SERVER");
    if (cupsd != 0) programs.StopProgram(cupsd);
  }
  static void Pause() {
    timespec ts{0, 20 * 1000 * 1000};
    nanosleep(&ts, nullptr);
  }
  std::string Socket() const { return root + "/cups.sock"; }
  platform::ProgramExit Run(const std::vector<std::string>& argv) {
    platform::ProgramExit exit;
    exit.status = -1;
    int id = 0;
    if (programs.StartProgram(argv, id) != 0) return exit;
    for (int i = 0; i < 500; ++i) {
      if (programs.ProgramEnded(id, exit)) return exit;
      Pause();
    }
    programs.StopProgram(id);
    return exit;
  }

  std::string root;
  platform::posix::PosixPrograms programs;
  int cupsd = 0;
};

TEST_F(CupsProgram, AJobTheHostPrintsReachesTheQueue) {
  const std::string job = PclJob();
  WriteFile(Path("host.bin"), "\033[5i" + job + "\033[4iprinted\r\n");
  WriteHostDocument(Path("printing"), "stty raw -echo\ncat '" + Path("host.bin") + "'\nexec sleep 100\n",
                    EmulationKind::Vt220, [](SessionOptions& o) { o.PclPassThrough = 1; });
  Start({Path("printing")});
  ASSERT_TRUE(RunUntil([&] { return Row(48, 1) == "printed"; })) << AlertTexts();
  // lp takes the job; the printer file goes.
  ASSERT_TRUE(RunUntil([&] { return !std::filesystem::exists(Path("prefs/PrinterTemp")); }, 20000)) << AlertTexts();
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  const platform::ProgramExit queued = Run({"lpstat", "-o", "korvaneq"});
  EXPECT_NE(queued.output.find("korvaneq-1"), std::string::npos) << queued.output;
  const std::string spooled = root + "/spool/d00001-001";
  if (access(spooled.c_str(), R_OK) == 0) {
    EXPECT_TRUE(Contents(spooled) == job);
  }
}

}  // namespace
}  // namespace korvane
