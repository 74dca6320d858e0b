// The watchers that see every received byte: texts that close the link or
// answer a transfer, the refused administrator password, the connect string,
// send pacing and printer controller mode.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

class Watchers : public HostInputTest {
 protected:
  // Feeds each piece in a pass of its own, so that every piece is a chunk.
  void FeedPieces(fakes::MemoryLink* link, std::initializer_list<std::string> pieces) {
    for (const auto& p : pieces) {
      link->Feed(p);
      in().ProcessHostInput();
    }
  }
};

struct ClosedCase {
  const char* name;
  bool pty;
  int8_t telnet, ssh, localShell;
  int closes;
};

class ClosedByHost : public Watchers, public ::testing::WithParamInterface<ClosedCase> {};

TEST_P(ClosedByHost, TheClientsMessageSplitOverTwoChunksClosesTelnetAndSshOnly) {
  const ClosedCase& c = GetParam();
  UseScript();
  auto* link = c.pty ? OpenPty() : OpenSerial();
  opt().TelnetSession = c.telnet;
  opt().SshSession = c.ssh;
  opt().LocalShellSession = c.localShell;
  FeedPieces(link, {"\r\nConnection closed by fo", "reign host.\r\n"});
  EXPECT_EQ(record.Count("CloseConnection"), c.closes);
}

INSTANTIATE_TEST_SUITE_P(Watchers, ClosedByHost,
                         ::testing::Values(ClosedCase{"Telnet", true, 1, 0, 0, 1}, ClosedCase{"Ssh", true, 0, 1, 0, 1},
                                           ClosedCase{"LocalShell", true, 0, 0, 1, 0},
                                           ClosedCase{"Serial", false, 1, 0, 0, 0}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(Watchers, KermitsDisconnectMessageClosesTheConnection) {
  UseScript();
  auto* pty = OpenPty();
  opt().KermitMode = 1;
  FeedPieces(pty, {"Communications disc", "onnect\r\n"});
  EXPECT_EQ(record.Count("CloseConnection"), 1);
}

struct TransferCase {
  const char* name;
  std::string text;
  int8_t seen;
  int16_t aborted;
};

class TransferAnswer : public Watchers, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferAnswer, IsSeenAnywhereInTheOutput) {
  UseScript();
  auto* pty = OpenPty();
  in().TransferWatchOn = 1;
  pty->Feed(GetParam().text);
  in().ProcessHostInput();
  EXPECT_EQ(in().TransferAnswerSeen, GetParam().seen);
  EXPECT_EQ(in().TransferAborted, GetParam().aborted);
  EXPECT_EQ(in().TransferWatchOn, GetParam().seen ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Watchers, TransferAnswer,
                         ::testing::Values(TransferCase{"Success", "transfer SUCCESS\r\n", 1, 0},
                                           TransferCase{"Abort", "Abort: no space\r\n", 1, 1},
                                           TransferCase{"AfterAPartialMatch", "SUSUCCESS", 1, 0},
                                           TransferCase{"Incomplete", "SUCCES\r\n", 0, 0}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(Watchers, ARefusedAdminPasswordIsReportedOnceAndAnsweredWithCr) {
  UseScript();
  auto* pty = OpenPty();
  pty->Feed("Sorry, try again.\r\nSorry, try again.\r\n");
  in().ProcessHostInput();
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(pty->written, "");

  in().AdminPasswordWatch = 1;
  pty->Feed("Sorry, try again.\r\nSorry, try again.\r\n");
  in().ProcessHostInput();
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(alerts.shown[0].text, "Incorrect Admin Password.");
  EXPECT_EQ(pty->written, "\r");
  EXPECT_EQ(in().AdminPasswordWatch, 0);
  EXPECT_EQ(in().KeepAliveNoticeOff, 1);
}

TEST_F(Watchers, TheConnectStringIsFoundAcrossChunks) {
  UseScript();
  auto* pty = OpenPty();
  opt().ConnectionString86 = "CONNECT 9600";
  in().ConnectStringWatch = 1;
  FeedPieces(pty, {"ATDT555\r\nCONN", "ECT 9600\r\n"});
  EXPECT_EQ(in().ConnectStringSeen, 1);
  EXPECT_EQ(in().ConnectStringWatch, 0);
  EXPECT_TRUE(in().ConnectStringContainer.empty());
}

TEST_F(Watchers, AConnectStringThatNeverComesStopsBeingWatched) {
  UseScript();
  auto* pty = OpenPty();
  opt().ConnectionString86 = "CONNECT";
  in().ConnectStringWatch = 1;
  pty->Feed(std::string(10000, 'n'));
  in().ProcessHostInput();
  EXPECT_EQ(in().ConnectStringWatch, 1);
  pty->Feed("n");
  in().ProcessHostInput();
  EXPECT_EQ(in().ConnectStringWatch, 0);
  EXPECT_EQ(in().ConnectStringSeen, 0);
  EXPECT_TRUE(in().ConnectStringContainer.empty());
}

TEST_F(Watchers, SendPacingSeesTheReturnKeyOrEveryCharacter) {
  UseScript();
  auto* pty = OpenPty();
  in().SendInProgress = 1;
  pty->Feed("echo");
  in().ProcessHostInput();
  EXPECT_EQ(in().LineEchoSeen, 0);
  pty->Feed("ed\r");
  in().ProcessHostInput();
  EXPECT_EQ(in().LineEchoSeen, 1);

  in().LineEchoSeen = 0;
  opt().NoEchoWait = 1;
  pty->Feed("x");
  in().ProcessHostInput();
  EXPECT_EQ(in().LineEchoSeen, 1);
}

struct PrinterCase {
  const char* name;
  std::string bytes;
  std::string printed;
  std::string shown;  // row 1 after the mode ended
  int ends;
};

class PrinterController : public Watchers, public ::testing::WithParamInterface<PrinterCase> {};

TEST_P(PrinterController, PassesTheOutputToThePrinterUntilItsTerminator) {
  const PrinterCase& c = GetParam();
  UseScript();
  auto* pty = OpenPty();
  opt().PclPassThrough = 1;
  in().PrinterOn = 1;
  pty->Feed(c.bytes);
  in().ProcessHostInput();
  EXPECT_EQ(echo.printer, c.printed);
  EXPECT_EQ(Row(1), c.shown);
  EXPECT_EQ(record.Count("PrinterCaptureOff"), c.ends);
}

INSTANTIATE_TEST_SUITE_P(Watchers, PrinterController,
                         ::testing::Values(PrinterCase{"EscFourEnds",
                                                       "ab\x1b"
                                                       "4cd",
                                                       "ab", "cd", 1},
                                           PrinterCase{"EscDDollarEnds",
                                                       "ab\x1b"
                                                       "d$cd",
                                                       "ab", "cd", 1},
                                           PrinterCase{"EscDThenOtherPrintsAllOfIt",
                                                       "\x1b"
                                                       "dxy",
                                                       "\x1b"
                                                       "dxy",
                                                       "", 0},
                                           PrinterCase{"EscDThenEscKeepsBoth",
                                                       "\x1b"
                                                       "d\x1b"
                                                       "Ex",
                                                       "\x1b"
                                                       "d\x1b"
                                                       "Ex",
                                                       "", 0},
                                           PrinterCase{"LineFeedsAndNulsArePrinterData", std::string("a\r\nb\0c", 6),
                                                       std::string("a\r\nb\0c", 6), "", 0},
                                           PrinterCase{"Dc4IsPrintedAndEnds",
                                                       "ab\x14"
                                                       "cd",
                                                       "ab\x14", "cd", 1}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(Watchers, APrinterControllerTerminatorSplitOverChunksStillEndsTheMode) {
  UseScript();
  auto* pty = OpenPty();
  opt().PclPassThrough = 1;
  in().PrinterOn = 1;
  FeedPieces(pty, {"page\x1b", "4shown"});
  EXPECT_EQ(echo.printer, "page");
  EXPECT_EQ(Row(1), "shown");
}

// ---- The window size ----------------------------------------------------

TEST_F(Watchers, TheWindowSizeReachesALocalShellWithoutTypingIntoIt) {
  auto* pty = OpenPty();
  opt().AutoWrapOn = 1;
  in().SendWindowSizeToHost();
  EXPECT_EQ(pty->rows, 0);
  opt().LocalShellSession = 1;
  in().SendWindowSizeToHost();
  EXPECT_EQ(pty->rows, 24);
  EXPECT_EQ(pty->cols, 80);
  EXPECT_EQ(pty->written, "");
  EXPECT_EQ(in().FlushRequest, 0);
}

}  // namespace
}  // namespace korvane
