// The serial line's codes, the table of ports found and open, and a
// session's break, on ports in memory.

#include <gtest/gtest.h>

#include <cerrno>

#include "connection/SerialFiles.h"
#include "connection/SerialLineCodes.h"
#include "connection/SerialSession.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingSerialPorts.h"

namespace korvane {
namespace {

using fakes::RecordingSerialPort;
using fakes::RecordingSerialPorts;
using platform::SerialParity;

TEST(SerialSpeed, RequestsSnapDownToTheSpeedTable) {
  const struct {
    int32_t requested, expected;
  } cases[] = {{230400, 230400}, {1000000, 230400}, {230399, 115200}, {100000, 76800}, {28800, 28800},
               {28799, 19200},   {14400, 14400},    {9600, 9600},     {9599, 7200},    {300, 300},
               {134, 134},       {133, 110},        {110, 110},       {0, 110},        {-5, 110}};
  for (const auto& c : cases) EXPECT_EQ(SetSerialSpeed(c.requested), c.expected) << c.requested;
}

TEST(SerialSpeed, EveryBaudMenuRateIsInTheSpeedTable) {
  for (const int32_t rate : kBaudRateItems) EXPECT_EQ(SetSerialSpeed(rate), rate);
}

TEST(SerialLineCodes, ParityStopAndDataCodes) {
  const struct {
    int32_t parity, stop, data;
    SerialParity wantParity;
    int wantStop, wantData;
  } cases[] = {
      {0, 0, 1, SerialParity::None, 1, 8}, {1, 0, 0, SerialParity::Odd, 1, 7},   {2, 1, 2, SerialParity::Even, 2, 5},
      {3, 2, 3, SerialParity::None, 1, 6}, {-1, 0, 8, SerialParity::None, 1, 8},
  };
  for (const auto& c : cases) {
    const platform::SerialLineSettings line = SerialLineFromCodes(9600, c.parity, c.stop, c.data);
    EXPECT_EQ(line.parity, c.wantParity) << c.parity;
    EXPECT_EQ(line.stopBits, c.wantStop) << c.stop;
    EXPECT_EQ(line.dataBits, c.wantData) << c.data;
  }
}

TEST(SerialLineCodes, FlowControlSettingGivesItsHandshake) {
  EXPECT_EQ(HandshakeSetting(0), kHandshakeNone);
  EXPECT_EQ(HandshakeSetting(1), kHandshakeXonXoff);
  EXPECT_EQ(HandshakeSetting(2), kHandshakeRtsCts);
  EXPECT_EQ(HandshakeSetting(7), kHandshakeNone);
}

class SerialFilesTest : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  RecordingSerialPorts ports{&clock};
  SerialFiles files{ports};
};

TEST_F(SerialFilesTest, NoPortsFoundMeansEveryScanLooksAgain) {
  files.ScanSerialPorts();
  files.ScanSerialPorts();
  EXPECT_EQ(files.SerialPortCount, 0);
  EXPECT_EQ(ports.listCalls, 2);
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  EXPECT_EQ(files.SerialPortCount, 1);
}

TEST_F(SerialFilesTest, PortsFoundStayUntilAFreshListIsAskedFor) {
  ports.AddPort("ttyS0");
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  ports.ports.erase(ports.ports.begin());
  files.ScanSerialPorts();
  EXPECT_EQ(ports.listCalls, 1);
  EXPECT_EQ(files.SerialPortNames(), (std::vector<std::string>{"ttyS0", "ttyUSB0"}));

  files.RescanSerialPorts();
  EXPECT_EQ(files.SerialPortNames(), (std::vector<std::string>{"ttyUSB0"}));
  EXPECT_EQ(files.SerialPortName(2), "");
  EXPECT_EQ(files.SerialCalloutPath(2), "");
}

TEST_F(SerialFilesTest, AThirteenthPortIsNotListedAndNamesKeepTheirPaths) {
  for (int i = 0; i < 13; ++i) ports.ports.push_back({"port" + std::to_string(i), "/dev/p" + std::to_string(i), {}});
  files.ScanSerialPorts();
  ASSERT_EQ(files.SerialPortCount, 12);
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(files.SerialPortName(n), "port" + std::to_string(n - 1));
    EXPECT_EQ(files.SerialCalloutPath(n), "/dev/p" + std::to_string(n - 1));
  }
  EXPECT_EQ(files.SerialPortName(13), "");
}

TEST_F(SerialFilesTest, NamesAreKeptAsMacRomanText) {
  ports.ports.push_back({"caf\xC3\xA9", "/dev/x", "usb-\xC3\xA9"});
  files.ScanSerialPorts();
  EXPECT_EQ(files.SerialPortName(1), "caf\x8E");
  EXPECT_EQ(files.SerialPortStableName(1), "usb-\x8E");
  EXPECT_EQ(files.SerialCalloutPath(1), "/dev/x");
}

TEST_F(SerialFilesTest, PortsOutsideTheListAreBadNames) {
  // The test is made on the list as it stands: a list never made has no port,
  // even though the open could have made one.
  ports.AddPort("ttyUSB0");
  EXPECT_EQ(files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000).code, SerialFiles::kBadName);
  EXPECT_EQ(ports.listCalls, 0);
  files.ScanSerialPorts();
  for (const int fileNumber : {0, 1, 5, -2, -13})
    EXPECT_EQ(files.OpenSerialPort(fileNumber, 9600, 0, 0, 1, 30000).code, SerialFiles::kBadName) << fileNumber;
  EXPECT_TRUE(ports.opened.empty());
}

TEST_F(SerialFilesTest, OpenTakesTheLineCodesAndKeepsTheBufferInBounds) {
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  const struct {
    int32_t buffer;
    std::size_t expected;
  } buffers[] = {{30000, 30000}, {1000, 4096}, {40000, 32768}};
  for (const auto& b : buffers) {
    SerialFiles::Opened opened = files.OpenSerialPort(-1, 100000, 1, 1, 0, b.buffer);
    ASSERT_EQ(opened.code, 0);
    const auto& record = *ports.opened.back();
    EXPECT_EQ(record.request.inputBufferSize, b.expected);
    EXPECT_EQ(RecordingSerialPort::Describe(record.request.settings), "76800 7O2");
    EXPECT_EQ(opened.file->FileNumber(), -1);
  }
}

TEST_F(SerialFilesTest, AnOpenPortIsBusyAndStaysAsItWas) {
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  SerialFiles::Opened first = files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000);
  ASSERT_EQ(first.code, 0);
  ports.opened.back()->Feed("held");

  SerialFiles::Opened second = files.OpenSerialPort(-1, 19200, 0, 0, 1, 30000);
  EXPECT_EQ(second.code, SerialFiles::kFileBusy);
  EXPECT_EQ(second.file, nullptr);
  ASSERT_EQ(ports.opened.size(), 1u);
  EXPECT_EQ(ports.opened[0]->calls, (std::vector<std::string>{"open 9600 8N1"}));
  EXPECT_EQ(first.file->Waiting(), 4);

  // Closing gives the port back.
  first.file.reset();
  EXPECT_TRUE(ports.opened[0]->closed);
  EXPECT_FALSE(files.IsOpen(1));
  EXPECT_EQ(files.OpenSerialPort(-1, 19200, 0, 0, 1, 30000).code, 0);
}

TEST_F(SerialFilesTest, ADeviceThatCannotBeOpenedIsAnIoErrorWithItsReason) {
  ports.AddPort("ttyUSB0");
  ports.openErrors["/dev/ttyUSB0"] = EACCES;
  files.ScanSerialPorts();
  SerialFiles::Opened opened = files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000);
  EXPECT_EQ(opened.code, SerialFiles::kIoError);
  EXPECT_EQ(opened.systemError, EACCES);
  EXPECT_FALSE(files.IsOpen(1));
  ports.openErrors.clear();
  EXPECT_EQ(files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000).code, 0);
}

TEST_F(SerialFilesTest, HandshakeModes) {
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  SerialFiles::Opened opened = files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000);
  SerialFile& file = *opened.file;
  const auto& record = *ports.opened.back();

  EXPECT_EQ(file.SerialHandshake(kHandshakeRtsCts), 0);
  EXPECT_EQ(record.flow, platform::SerialFlowControl::RtsCts);
  EXPECT_EQ(file.SerialHandshake(kHandshakeXonXoff), 0);
  EXPECT_EQ(record.flow, platform::SerialFlowControl::XonXoff);
  // DTR up, then flow control off: DTR stays up.
  EXPECT_EQ(file.SerialHandshake(kHandshakeDtrOff), 0);
  EXPECT_FALSE(record.dtr);
  EXPECT_EQ(file.SerialHandshake(kHandshakeDtrOn), 0);
  EXPECT_EQ(file.SerialHandshake(kHandshakeNone), 0);
  EXPECT_TRUE(record.dtr);
  EXPECT_EQ(record.flow, platform::SerialFlowControl::None);
  const std::size_t callsBefore = record.calls.size();
  EXPECT_EQ(file.SerialHandshake(7), 0);
  EXPECT_EQ(record.calls.size(), callsBefore);
}

TEST_F(SerialFilesTest, ALineWithoutDtrReportsItAndKeepsItsState) {
  ports.AddPort("ttyUSB0");
  files.ScanSerialPorts();
  SerialFiles::Opened opened = files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000);
  ports.opened.back()->dtrError = ENOTTY;
  EXPECT_EQ(opened.file->SerialHandshake(kHandshakeDtrOff), ENOTTY);
  EXPECT_TRUE(ports.opened.back()->dtr);
}

class SerialBreakTest : public SerialFilesTest {
 protected:
  void SetUp() override {
    ports.AddPort("ttyUSB0");
    files.ScanSerialPorts();
    session.Adopt(files.OpenSerialPort(-1, 9600, 0, 0, 1, 30000).file);
    record = ports.opened.back();
  }
  SerialSession session{files};
  std::shared_ptr<fakes::SerialPortRecord> record;
};

TEST_F(SerialBreakTest, HoldsTheLineForTheBreakAndReleasesItOnTime) {
  const int64_t start = clock.Milliseconds();
  ASSERT_EQ(session.SendSerialBreak(270, start), 0);
  EXPECT_TRUE(record->breakOn);
  EXPECT_EQ(session.Step(start + 269), start + 270);
  EXPECT_TRUE(record->breakOn);
  EXPECT_EQ(session.Step(start + 270), -1);
  EXPECT_FALSE(record->breakOn);
  EXPECT_EQ(record->calls, (std::vector<std::string>{"open 9600 8N1", "break on", "break off"}));
}

TEST_F(SerialBreakTest, ABreakAskedForDuringABreakIsNotRepeated) {
  session.SendSerialBreak(270, 0);
  session.SendSerialBreak(270, 200);
  EXPECT_EQ(session.Step(270), -1);
  EXPECT_EQ(std::count(record->calls.begin(), record->calls.end(), "break on"), 1);
}

TEST_F(SerialBreakTest, ClosingDuringABreakEndsItFirst) {
  session.SendSerialBreak(270, 0);
  session.CloseSerialFile();
  EXPECT_EQ(record->calls, (std::vector<std::string>{"open 9600 8N1", "break on", "break off", "close"}));
  EXPECT_EQ(session.Step(1000), -1);
  EXPECT_EQ(session.SendSerialBreak(270, 1000), -1);
}

TEST_F(SerialBreakTest, ALineThatTakesNoBreakSaysSo) {
  record->breakError = ENOTTY;
  EXPECT_EQ(session.SendSerialBreak(270, 0), ENOTTY);
  EXPECT_FALSE(session.BreakActive());
}

}  // namespace
}  // namespace korvane
