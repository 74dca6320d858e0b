// The modem's dial and hang-up sequences on a port in memory whose far end
// answers like a Hayes modem, stepped by a fake clock.

#include <gtest/gtest.h>

#include "connection/Modem.h"
#include "connection/SerialPortSelection.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryFiles.h"
#include "fakes/RecordingModemHost.h"
#include "fakes/RecordingSerialPorts.h"

namespace korvane {
namespace {

// Answers each command line: OK, ERROR for a command with "X9" in it, and
// two seconds after a dial CONNECT (NO CARRIER for 555-0000); "+++" gives OK.
struct HayesAnswers {
  const fakes::FakeClock* clock = nullptr;
  bool answer = true;
  std::string line, plusses;
  std::string later;
  int64_t laterAtMs = -1;

  // Hands over an answer that has come due.
  void Tick(fakes::SerialPortRecord& port) {
    if (laterAtMs >= 0 && clock->Milliseconds() >= laterAtMs) {
      port.Feed(later);
      laterAtMs = -1;
    }
  }
  void operator()(fakes::SerialPortRecord& port, char c) {
    if (!answer) return;
    if (c == '+') {
      plusses += c;
      if (plusses == "+++") port.Feed("\r\nOK\r\n");
      return;
    }
    plusses.clear();
    if (c != '\r') {
      line += c;
      return;
    }
    if (line.rfind("ATD", 0) == 0) {
      later = line.find("555-0000") != std::string::npos ? "\r\nNO CARRIER\r\n" : "\r\nCONNECT 9600\r\n";
      laterAtMs = clock->Milliseconds() + 2000;
    } else if (line.find("X9") != std::string::npos)
      port.Feed("\r\nERROR\r\n");
    else
      port.Feed("\r\nOK\r\n");
    line.clear();
  }
};

class ModemTest : public ::testing::Test {
 protected:
  ModemTest() {
    ports.AddPort("ttyACM0", "usb-Example_USB_Modem-if00");
    files.ScanSerialPorts();
    serial.ConnectionPort = -1;
    serial.ConnectionOpen = 1;
    serial.Adopt(files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000).file);
    port = ports.opened.back();
    hayes.clock = &clock;
    port->farEnd = std::ref(hayes);
    Opt.ModemInitString = "AT&F%C1";
    Opt.ModemDtrOption = 1;
    Opt.DialMode = "T";
    prefs.files["/prefs/Quickdial"] = "555-0199\n";
  }

  // Steps the modem on the fake clock until its sequence has ended; a far
  // end that answers late is given its bytes by `during` at each step.
  void RunToEnd(const std::function<void()>& during = {}) {
    for (int guard = 0; guard < 100000; ++guard) {
      const int64_t next = modem.Step(clock.Milliseconds());
      if (next < 0) return;
      hayes.Tick(*port);
      if (during) during();
      clock.AdvanceMs(std::max<int64_t>(next - clock.Milliseconds(), 0));
    }
    FAIL() << "the modem never finished";
  }
  // The gaps between the bytes the modem was sent, from byte `from` on.
  std::vector<int64_t> GapsFrom(std::size_t from) const {
    std::vector<int64_t> gaps;
    for (std::size_t i = from + 1; i < port->writtenAtMs.size(); ++i)
      gaps.push_back(port->writtenAtMs[i] - port->writtenAtMs[i - 1]);
    return gaps;
  }

  fakes::FakeClock clock;
  fakes::RecordingSerialPorts ports{&clock};
  SerialFiles files{ports};
  SerialSession serial{files};
  std::shared_ptr<fakes::SerialPortRecord> port;
  HayesAnswers hayes;
  SessionOptions Opt;
  fakes::FakeAlerts alerts;
  fakes::MemoryFiles prefs;
  fakes::RecordingModemHost host{&clock};
  Modem modem{serial, host, alerts, prefs, "/prefs/Quickdial"};
};

TEST_F(ModemTest, DialsTheTypedNumberOneCharacterAtATime) {
  modem.DialRequest = 1;
  modem.DialNumber = "5551234";
  const int64_t start = clock.Milliseconds();
  modem.ModemHangUpAndDial(Opt, start);
  EXPECT_TRUE(modem.Busy());
  RunToEnd();

  EXPECT_EQ(port->written, "ATH\rAT\rAT&D1&F%C1\rATDT5551234\r");
  // Every character is followed by 100 ms, except where a longer wait comes:
  // after the wake-up's CR, and the wait for the init string's OK.
  const std::vector<int64_t> gaps = GapsFrom(0);
  const std::size_t wakeCr = 6, initCr = 17;
  for (std::size_t i = 0; i < gaps.size(); ++i) {
    if (i == wakeCr)
      EXPECT_EQ(gaps[i], 500) << i;  // half a second for the wake-up's answer
    else if (i == initCr)
      EXPECT_EQ(gaps[i], 100 + 100 + 100) << i;  // its pause, the poll that finds OK, the Dialing line
    else
      EXPECT_EQ(gaps[i], 100) << i;
  }
  EXPECT_EQ(port->writtenAtMs.front(), start);
  EXPECT_EQ(modem.DialRequest, 0);
  EXPECT_FALSE(modem.Busy());
  // The far end's CONNECT ends the wait as it comes, and is left for host
  // input to show.
  EXPECT_EQ(std::string(port->incoming.begin(), port->incoming.end()), "\r\nCONNECT 9600\r\n");
  const int64_t arrow = host.callAtMs[host.IndexOf("arrow")];
  EXPECT_GE(arrow - port->writtenAtMs.back(), 2000);
  EXPECT_LE(arrow - port->writtenAtMs.back(), 2000 + Modem::kPollMs);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"recorder", "cursor hidden", "clear", "dialing 5551234", "text style",
                                                  "cursor shown", "busy", "arrow", "clear", "cursor at 3,1"}));
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(ModemTest, InitStringTakesTheDtrCommandAfterItsAt) {
  const struct {
    const char* init;
    int16_t dtrOption;
    const char* sent;
  } cases[] = {{"AT&F%C1", 1, "AT&D1&F%C1"}, {"AT&F", 0, "AT&D&F"}, {"", 1, "AT&D1"}, {"A", 1, "AT&D1"}};
  for (const auto& c : cases) {
    port->written.clear();
    Opt.ModemInitString = c.init;
    Opt.ModemDtrOption = c.dtrOption;
    modem.DialRequest = 1;
    modem.DialNumber = "1";
    modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
    RunToEnd();
    EXPECT_EQ(port->written, std::string("ATH\rAT\r") + c.sent + "\rATDT1\r") << c.init;
    EXPECT_EQ(Opt.ModemInitString, c.init);
  }
}

TEST_F(ModemTest, DialModeAndNumberCharacters) {
  const struct {
    const char* mode;
    const char* number;
    const char* dialled;
  } cases[] = {
      {"P", "555-1234", "ATDP555-1234\r"},
      {"T", "9,,555 1234", "ATDT9,,555 1234\r"},
      {"", "1", "ATDT1\r"},
      {"X", "1", "ATDT1\r"},
      // A line end in the number would end the dial command and send the
      // rest to the modem as a command.
      {"T", "555\rATZ", "ATDT555ATZ\r"},
  };
  for (const auto& c : cases) {
    port->written.clear();
    Opt.DialMode = c.mode;
    modem.DialRequest = 1;
    modem.DialNumber = c.number;
    modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
    RunToEnd();
    const std::string& w = port->written;
    EXPECT_EQ(w.substr(w.rfind("ATD")), c.dialled) << c.number;
  }
}

TEST_F(ModemTest, AnEmptyNumberDialsTheQuickDialFile) {
  prefs.files["/prefs/Quickdial"] = "555-0199\r";
  modem.DialRequest = 1;
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunToEnd();
  EXPECT_NE(port->written.find("ATDT555-0199\r"), std::string::npos);
  EXPECT_NE(host.IndexOf("dialing 555-0199"), -1);
}

TEST_F(ModemTest, AMissingQuickDialFileIsReportedAndNothingIsDialled) {
  prefs.files.clear();
  modem.DialRequest = 1;
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunToEnd();
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
  EXPECT_EQ(alerts.shown[0].text, "QuickDial file not found in Korvane Prefs folder");
  EXPECT_EQ(port->written.substr(port->written.rfind("ATD")), "ATDT\r");
}

TEST_F(ModemTest, AnInitStringTheModemRefusesIsReportedOnceAndTheDialGoesOn) {
  Opt.ModemInitString = "AT&FX9";
  modem.DialRequest = 1;
  modem.DialNumber = "1";
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunToEnd();
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "Invalid Modem Init String. Look under the Dialer Menu for Modem Init strings");
  EXPECT_NE(port->written.find("ATDT1\r"), std::string::npos);
}

TEST_F(ModemTest, SilentModemsAreWaitedForWithinLimits) {
  hayes.answer = false;
  modem.DialRequest = 1;
  modem.DialNumber = "1";
  const int64_t start = clock.Milliseconds();
  modem.ModemHangUpAndDial(Opt, start);
  RunToEnd();
  // The init string's answer is waited for three seconds, the far end a
  // minute after the dial.
  const std::size_t initCr = port->written.find("\rATDT");
  EXPECT_GE(port->writtenAtMs[initCr + 1] - port->writtenAtMs[initCr], 3000);
  EXPECT_LE(port->writtenAtMs[initCr + 1] - port->writtenAtMs[initCr], 3300);
  const int64_t dialCr = port->writtenAtMs.back();
  const int64_t arrow = host.callAtMs[host.IndexOf("arrow")];
  EXPECT_GE(arrow - dialCr, 500 + 60000);
  EXPECT_LE(arrow - dialCr, 500 + 60000 + Modem::kPollMs);
}

TEST_F(ModemTest, AKeyEndsTheWaitForTheFarEnd) {
  hayes.answer = false;
  modem.DialRequest = 1;
  modem.DialNumber = "1";
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  int64_t keyAt = -1;
  RunToEnd([&] {
    if (host.busy && keyAt < 0 && !host.callAtMs.empty() && clock.Milliseconds() > host.callAtMs.back() + 2000) {
      keyAt = clock.Milliseconds();
      modem.NoteKeyTyped();
    }
  });
  ASSERT_GE(keyAt, 0);
  EXPECT_LE(host.callAtMs[host.IndexOf("arrow")] - keyAt, Modem::kPollMs);
}

TEST_F(ModemTest, ServiceFileDial) {
  // Cancelling the file dialog sends nothing.
  modem.QuickDialFileRequest = 1;
  modem.DialServiceFile(Opt, std::nullopt, clock.Milliseconds());
  EXPECT_FALSE(modem.Busy());
  EXPECT_EQ(modem.QuickDialFileRequest, 0);
  EXPECT_EQ(port->written, "");

  modem.QuickDialFileRequest = 1;
  modem.DialServiceFile(Opt, std::string("555-0142"), clock.Milliseconds());
  RunToEnd();
  // No hang-up first; the dialing line comes after the dial command.
  EXPECT_EQ(port->written, "AT\rAT&D1&F%C1\rATDT555-0142\r");
  EXPECT_EQ(modem.QuickDialFileRequest, 0);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"clear", "fkey bar", "recorder", "dialing 555-0142", "text style",
                                                  "busy", "arrow", "clear", "cursor at 3,1"}));
}

TEST_F(ModemTest, HangUpEscapesThenHangsUpAndThenCloses) {
  bool closed = false;
  const int64_t start = clock.Milliseconds();
  modem.HangUpModem(start, [&] {
    closed = true;
    serial.CloseSerialFile();
  });
  RunToEnd();
  EXPECT_EQ(port->written, "+++ATH\r");
  EXPECT_EQ(host.calls, std::vector<std::string>{"end capture"});
  const std::vector<int64_t>& at = port->writtenAtMs;
  EXPECT_EQ(at[1] - at[0], 100);
  EXPECT_EQ(at[2] - at[1], 100);
  // The OK after the escape ends the rounds after the first: 100 + 500 ms.
  EXPECT_EQ(at[3] - at[2], 100 + 600);
  EXPECT_EQ(at[4] - at[3], 100);
  EXPECT_EQ(at[5] - at[4], 100);
  EXPECT_EQ(at[6] - at[5], 100);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(port->closed);
}

TEST_F(ModemTest, HangUpWaitsTenRoundsForASilentModem) {
  hayes.answer = false;
  modem.HangUpModem(clock.Milliseconds());
  RunToEnd();
  const std::vector<int64_t>& at = port->writtenAtMs;
  ASSERT_EQ(port->written, "+++ATH\r");
  EXPECT_EQ(at[3] - at[2], 100 + 10 * 600);
}

TEST_F(ModemTest, HangUpWithTheConnectionClosedSendsNothing) {
  serial.ConnectionOpen = 0;
  bool then = false;
  modem.HangUpModem(clock.Milliseconds(), [&] { then = true; });
  EXPECT_FALSE(modem.Busy());
  EXPECT_TRUE(then);
  EXPECT_EQ(port->written, "");
}

TEST_F(ModemTest, APortClosedUnderASequenceEndsIt) {
  modem.DialRequest = 1;
  modem.DialNumber = "1";
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  RunToEnd([&] {
    if (port->written.size() == 5) serial.CloseSerialFile();
  });
  EXPECT_EQ(port->written, "ATH\rA");
  EXPECT_FALSE(modem.Busy());
  EXPECT_EQ(modem.DialRequest, 0);
  EXPECT_FALSE(host.cursorHidden);
}

TEST_F(ModemTest, ADialIsNotStartedTwiceAndGivesWayToAHangUp) {
  modem.DialRequest = 1;
  modem.DialNumber = "1";
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  modem.ModemHangUpAndDial(Opt, clock.Milliseconds());
  EXPECT_EQ(port->written, "A");
  clock.AdvanceMs(100);
  modem.Step(clock.Milliseconds());
  modem.HangUpModem(clock.Milliseconds());
  RunToEnd();
  EXPECT_EQ(port->written, "AT+++ATH\r");
  EXPECT_EQ(modem.DialRequest, 0);
  EXPECT_FALSE(host.cursorHidden);
}

// An alert during which the program's timers fire: a step and a hang-up
// reach the modem while the step that shows the alert is still running.
class ReentrantAlerts final : public platform::Alerts {
 public:
  std::function<void()> whileShown;
  int shown = 0;
  int Show(platform::AlertKind, int, const std::string&, const std::string&, const std::string&,
           const std::string&) override {
    ++shown;
    if (whileShown) whileShown();
    return 1;
  }
};

TEST_F(ModemTest, CallsFromWithinAnAlertWaitForTheStepToReturn) {
  ReentrantAlerts reentrant;
  Modem inner{serial, host, reentrant, prefs, "/prefs/Quickdial"};
  bool hungUp = false;
  reentrant.whileShown = [&] {
    const std::string before = port->written;
    inner.Step(clock.Milliseconds() + 5000);
    EXPECT_EQ(port->written, before);
    inner.HangUpModem(clock.Milliseconds(), [&] { hungUp = true; });
    EXPECT_FALSE(hungUp);
  };
  Opt.ModemInitString = "AT&FX9";
  inner.DialRequest = 1;
  inner.DialNumber = "1";
  inner.ModemHangUpAndDial(Opt, clock.Milliseconds());
  for (int guard = 0; guard < 10000 && (inner.Busy() || !hungUp); ++guard) {
    const int64_t next = inner.Step(clock.Milliseconds());
    if (next < 0) break;
    clock.AdvanceMs(std::max<int64_t>(next - clock.Milliseconds(), 0));
  }
  EXPECT_EQ(reentrant.shown, 1);
  EXPECT_TRUE(hungUp);
  EXPECT_EQ(port->written, "ATH\rAT\rAT&D1&FX9\r+++ATH\r");
  EXPECT_EQ(inner.DialRequest, 0);
  EXPECT_FALSE(host.cursorHidden);
}

}  // namespace
}  // namespace korvane
