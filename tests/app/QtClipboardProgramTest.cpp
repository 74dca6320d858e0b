// The clipboard of the real program on the Qt platform, offscreen, with a
// session whose child runs on a real pseudo-terminal: a megabyte pasted from
// the clipboard reaches the child byte for byte while the main loop keeps
// turning, and the Screen menu's snapshot puts a PDF of the screen's text on
// the clipboard.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/QtProgramParts.h"
#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/EmulationFlags.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/RecordingSounds.h"
#include "output/SessionClipboard.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtCellPictureWriter.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSelectionFrame.h"
#include "settings/Settings.h"

namespace korvane {
namespace {

using testing_support::ReadFile;

class QtClipboardProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description = testing_support::ProgramInterface();
  platform::QtPlatform qt{queue, description, [](const std::string& s) { return s; }};
  platform::QtCellPictureWriter cellPictures;
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, sounds,     qt.printing, qt.programs, qt.fileDialogs, qt.clipboard};
  std::unique_ptr<app::App> app;
  std::string record = Path("record");

  QtClipboardProgram() {
    queue.onPost = [this] { qt.pump.Wake(); };
    platform.cellPictures = &cellPictures;
    platform.selectionFrame = [this](int window) -> std::unique_ptr<platform::SelectionFrame> {
      return std::make_unique<platform::QtSelectionFrame>(qt.windows.View(window));
    };
    setenv("KORVANE_PASTE_RECORD", record.c_str(), 1);
  }
  ~QtClipboardProgram() override {
    app.reset();
    unsetenv("KORVANE_PASTE_RECORD");
  }

  std::string Path(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  // Starts the program on a local session whose child is the recording child
  // (showing `shown` first, when given), and waits until it is ready; a
  // document that names another program waits for its connection only.
  void Start(const std::function<void(SessionOptions&)>& edit, const std::string& shown = {}) {
    std::string program = KORVANE_PASTE_CHILD;
    if (!shown.empty()) {
      std::ofstream(Path("shown"), std::ios::binary) << shown;
      program += " " + Path("shown");
    }
    const std::string document = Path("paste");
    {
      SessionOptions opt;
      SettingsState state;
      Preferences prefs(Path("prefs"));
      fakes::RecordingSettingsHost host;
      Settings settings(opt, state, prefs, qt.files, alerts, host);
      settings.SetDefaultSettings();
      opt.UsesPty = 1;
      opt.LocalShellSession = 1;
      opt.TelnetSession = 0;
      opt.ShellRunsProgram = 1;
      opt.ShellProgram = program;
      opt.AutoConnect = 1;
      edit(opt);
      ASSERT_TRUE(settings.WriteSettingsFile(document));
    }
    app::StartupData data;
    data.preferencesFolder = Path("prefs") + "/";
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    app = std::make_unique<app::App>(platform, queue, data);
    app->OpenDocuments({document});
    app->Turn();
    ASSERT_TRUE(RunUntil([&] { return app->windows.Find(48) && app->windows.Find(48)->Connected(); }));
    if (app->windows.Find(48)->session.Opt.ShellProgram == program) {
      ASSERT_TRUE(RunUntil([&] { return RowShows("ready"); }));
    }
  }
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
};

int64_t ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

TEST_F(QtClipboardProgram, AMegabyteFromTheClipboardReachesTheChildByteForByteWhileTheLoopTurns) {
  Start([](SessionOptions& o) {
    o.FkeyStrings[1] = "{PA";
    // As fast as the session allows: no pause after a character or a line,
    // no wait for the echo.
    o.ClipboardCharDelay = 0;
    o.ClipboardLineDelay = 0;
    o.NoEchoWait = 1;
  });
  // About a megabyte written by another program: LF and CR LF line ends,
  // lines longer than the 255 bytes a line is sent in, and characters
  // outside ASCII.
  std::string text, expected;
  for (int i = 0; text.size() < (1u << 20); ++i) {
    std::string line =
        "line " + std::to_string(i) + " " + std::string(static_cast<size_t>((i * 37) % 600), 'a' + i % 26);
    std::string hostLine = line;
    if (i % 13 == 0) {
      line += " caf\xC3\xA9";  // é: 0x8E for the host
      hostLine += " caf\x8E";
    }
    text += line + (i % 3 == 0 ? "\r\n" : "\n");
    expected += hostLine + "\r";
  }
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));

  SessionWindow& w = *app->windows.Find(48);
  output::SessionClipboard* c = output::SessionClipboardOf(w);
  ASSERT_NE(c, nullptr);
  QTest::keyClick(qt.windows.View(48), Qt::Key_F1);

  int turns = 0, pastingTurns = 0;
  int64_t longestTurnMs = 0;
  QElapsedTimer all;
  all.start();
  auto arrived = [&] {
    return static_cast<size_t>(QFileInfo(QString::fromStdString(record)).size()) >= expected.size();
  };
  while (!(arrived() && !c->Pasting()) && all.elapsed() < 60000) {
    // The turn's own processor time: on a loaded machine the wall clock also
    // counts the time other programs had the processor.
    const int64_t before = ThreadCpuMs();
    app->Turn();
    longestTurnMs = std::max<int64_t>(longestTurnMs, ThreadCpuMs() - before);
    ++turns;
    if (c->Pasting()) ++pastingTurns;
  }
  ASSERT_TRUE(arrived()) << QFileInfo(QString::fromStdString(record)).size() << " of " << expected.size();
  ASSERT_TRUE(RunUntil([&] { return !c->Pasting(); }));
  const std::string got = ReadFile(record);
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected) << "first difference at byte "
                               << std::mismatch(got.begin(), got.end(), expected.begin()).first - got.begin();
  // The loop went on turning: the paste was shared among turns and none
  // held the window for long (a frame is 16 ms; the bound leaves room for a
  // busy machine).
  std::printf(
      "[ figures  ] %zu bytes in %lld ms, %d turns (%d while pasting), longest turn %lld ms of processor time\n",
      expected.size(), static_cast<long long>(all.elapsed()), turns, pastingTurns,
      static_cast<long long>(longestTurnMs));
  EXPECT_LT(longestTurnMs, 250);
  // A paste sent whole in one turn leaves no turn after which it is still
  // going. How many turns a megabyte takes beyond that is the machine's
  // speed: a turn's share is 8 ms, and a fast machine sends half of it in one.
  EXPECT_GE(pastingTurns, 1);
  EXPECT_EQ(w.session.input.SendInProgress, 0);
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(QtClipboardProgram, AChildThatReadsNothingHoldsThePasteButNotTheWindowAndCtrlPeriodEndsIt) {
  Start([](SessionOptions& o) {
    o.ShellProgram = "/bin/sleep 60";
    o.FkeyStrings[1] = "{PA";
    o.ClipboardCharDelay = 0;
    o.ClipboardLineDelay = 0;
    o.NoEchoWait = 1;
  });
  std::string text;
  for (int i = 0; text.size() < 256 * 1024; ++i) text += "line " + std::to_string(i) + "\n";
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  output::SessionClipboard* c = output::SessionClipboardOf(*app->windows.Find(48));
  ASSERT_NE(c, nullptr);
  QTest::keyClick(qt.windows.View(48), Qt::Key_F1);
  // A second and a half of turns: the terminal fills, the paste waits for
  // it, and every turn is short.
  int64_t longestTurnMs = 0;
  int turns = 0;
  QElapsedTimer all;
  all.start();
  while (all.elapsed() < 1500) {
    // The turn's own processor time: on a loaded machine the wall clock also
    // counts the time other programs had the processor.
    const int64_t before = ThreadCpuMs();
    app->Turn();
    longestTurnMs = std::max<int64_t>(longestTurnMs, ThreadCpuMs() - before);
    ++turns;
  }
  EXPECT_TRUE(c->Pasting());
  EXPECT_GT(c->Paste().BytesLeft(), 0u);
  EXPECT_LT(longestTurnMs, 250);
  EXPECT_GT(turns, 30);
  QTest::keyClick(qt.windows.View(48), Qt::Key_Period, Qt::ControlModifier);
  EXPECT_TRUE(RunUntil([&] { return !c->Pasting(); }, 2000));
  EXPECT_EQ(app->windows.Find(48)->session.input.SendInProgress, 0);
}

TEST_F(QtClipboardProgram, ClipboardCaptureTheHostStartsFillsTheDesktopsClipboardAndChecksItsItem) {
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  // A Wyse 60 whose captured lines end in CR; the host turns capture on.
  Start(
      [](SessionOptions& o) {
        SetEmulationFlags(EmulationKind::Wyse60, o);
        o.LineEnd = SessionOptions::kLineEndCr;
      },
      "\x1b~8captured one\r\ncaptured two\r\n");
  auto checked = [&] {
    QAction* item = qt.menus.Action(platform::kRecorderMenu, 7);
    return item && item->isChecked();
  };
  EXPECT_TRUE(checked());
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "captured one\ncaptured two\nready\n");
  app->windows.Find(48)->services.clipboard.StopClipboardCapture();
  EXPECT_FALSE(checked());
}

TEST_F(QtClipboardProgram, TheScreensSnapshotPutsAPdfOfTheScreensTextOnTheClipboard) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "no pdftotext";
  Start([](SessionOptions&) {}, "\x1b[H\x1b[2JFirst line of the screen\r\nSecond line, with more\r\n");
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  app->windows.Find(48)->services.clipboard.SnapshotScreenAsPdf();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_FALSE(mime->hasText());
  ASSERT_TRUE(mime->hasFormat(QStringLiteral("image/png")));
  const QByteArray pdf = mime->data(QStringLiteral("application/pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF"));
  { std::ofstream(Path("snapshot.pdf"), std::ios::binary) << pdf.toStdString(); }
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(Path("snapshot.pdf")), QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(10000));
  const std::string words = pdftotext.readAllStandardOutput().toStdString();
  EXPECT_NE(words.find("First line of the screen"), std::string::npos) << words;
  EXPECT_NE(words.find("Second line, with more"), std::string::npos) << words;
  EXPECT_NE(words.find("ready"), std::string::npos) << words;
}

// Escape and "KvHa" typed into a Wyse 370 session whose host set colour
// attributes (which take no cell) put the listing of those attributes on the clipboard; the keys
// still reach the host.
TEST_F(QtClipboardProgram, TheHiddenAttributeKeysPutTheListingOnTheClipboardAndStillReachTheHost) {
  Start(
      [](SessionOptions& o) {
        SetEmulationFlags(EmulationKind::Wyse370, o);
        o.HiddenAttributes = 1;
      },
      // Colour attributes: one placed at row 1, column 3, another at row 2,
      // column 1; no text is written over them.
      "\x1b~A\x1b*\x1b= \"\x1bG4\x1b=! \x1bG0\x1b=$ ");
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  QWidget* view = qt.windows.View(48);
  ASSERT_NE(view, nullptr);
  QTest::keyClick(view, Qt::Key_Escape);
  QTest::keyClicks(view, QStringLiteral("KvH"));
  // Not yet: the sequence is one letter short.
  app->Turn();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "before");
  QTest::keyClicks(view, QStringLiteral("a"));
  EXPECT_TRUE(RunUntil([&] { return ReadFile(record) == "\x1bKvHa"; })) << ReadFile(record);
  EXPECT_EQ(
      QGuiApplication::clipboard()->text().toStdString(),
      // ESC G 4 is code 14 and ESC G 0 code 10; the first spreads to
      // the end of its row, before the second's cell.
      "Hidden Attribute at Row  1, Column  3\t HiddenColor is  0\t ScreenColor is  14\t NextScreenColor is  14\n"
      "Hidden Attribute at Row  2, Column  1\t HiddenColor is  14\t ScreenColor is  10\t NextScreenColor is  10\n");
}

}  // namespace
}  // namespace korvane
