// Serial ports opened for real, on pseudo-terminals standing in for the
// line: opening and its errors, bytes both ways, the far end's XON/XOFF, the
// bounded output queue, a device that goes away, and every rate.

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

#include "connection/SerialLineCodes.h"
#include "platform/posix/PosixSerialPorts.h"
#include "platform/posix/SerialLine.h"
#include "support/SerialPtySupport.h"

namespace korvane {
namespace {

using platform::SerialFlowControl;
using platform::SerialOpenRequest;
using platform::SerialPort;
using platform::posix::PosixSerialPorts;
using testing_support::SerialPtyPair;
using testing_support::TempDir;
using testing_support::WaitUntil;

SerialOpenRequest RequestFor(const std::string& path, int32_t speed = 9600) {
  SerialOpenRequest r;
  r.path = path;
  r.settings.speed = speed;
  return r;
}

std::string ReadAll(SerialPort& port, std::size_t want, int ms = 3000) {
  std::string got;
  WaitUntil(
      [&] {
        uint8_t buf[1024];
        const int n = port.Read(buf, sizeof buf);
        if (n > 0) got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
        return got.size() >= want;
      },
      ms);
  return got;
}

void Write(SerialPort& port, std::string_view text) {
  port.Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

std::string Pattern(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(i % 251);
  return s;
}

class PosixSerialPortTest : public ::testing::Test {
 protected:
  SerialPtyPair line;
  PosixSerialPorts ports;
};

TEST_F(PosixSerialPortTest, MovesBytesBothWaysWithoutEverBlocking) {
  auto opened = ports.Open(RequestFor(line.path()));
  ASSERT_EQ(opened.error, 0);
  SerialPort& port = *opened.port;
  const int flags = fcntl(port.Descriptor(), F_GETFL);
  EXPECT_TRUE(flags & O_NONBLOCK);
  EXPECT_TRUE(fcntl(port.Descriptor(), F_GETFD) & FD_CLOEXEC);

  uint8_t buf[16];
  EXPECT_EQ(port.Read(buf, sizeof buf), 0);
  line.Send("hello");
  ASSERT_TRUE(WaitUntil([&] { return port.Waiting() == 5; }, 3000));
  // What the test for waiting input saw is what the read gets.
  EXPECT_EQ(ReadAll(port, 5), "hello");
  Write(port, "world\r\n");
  EXPECT_EQ(line.Receive(7, 3000), "world\r\n");
  EXPECT_FALSE(port.Ended());
}

TEST_F(PosixSerialPortTest, OpenErrorsNameTheirReason) {
  TempDir dir;
  testing_support::WriteFile(dir / "plain", "not a device");
  const struct {
    std::string path;
    int error;
  } cases[] = {{dir / "absent", ENOENT}, {dir / "plain", ENOTTY}, {dir.path(), EISDIR}};
  for (const auto& c : cases) {
    auto opened = ports.Open(RequestFor(c.path));
    EXPECT_EQ(opened.error, c.error) << c.path;
    EXPECT_EQ(opened.port, nullptr);
  }
}

TEST_F(PosixSerialPortTest, APortIsForOneUserAtATime) {
  auto first = ports.Open(RequestFor(line.path()));
  ASSERT_EQ(first.error, 0);
  auto second = ports.Open(RequestFor(line.path()));
  EXPECT_EQ(second.error, EBUSY);
  EXPECT_EQ(second.port, nullptr);
  first.port->Close();
  EXPECT_EQ(ports.Open(RequestFor(line.path())).error, 0);
}

TEST_F(PosixSerialPortTest, XoffFromTheFarEndHoldsOutputUntilXon) {
  auto opened = ports.Open(RequestFor(line.path()));
  SerialPort& port = *opened.port;
  ASSERT_EQ(port.SetFlowControl(SerialFlowControl::XonXoff), 0);
  line.Send("\x13");
  usleep(100 * 1000);
  Write(port, "held");
  EXPECT_EQ(line.Receive(4, 300), "");
  EXPECT_EQ(port.PendingOutput(), 4u);

  line.Send("\x11");
  ASSERT_TRUE(WaitUntil([&] {
    port.PumpOutput();
    return port.PendingOutput() == 0;
  }));
  EXPECT_EQ(line.Receive(4, 3000), "held");
  // The flow-control characters are the line's, not input for the session.
  EXPECT_EQ(port.Waiting(), 0);
}

TEST_F(PosixSerialPortTest, OurXoffAndXonGoAheadOfHeldOutput) {
  auto opened = ports.Open(RequestFor(line.path()));
  SerialPort& port = *opened.port;
  port.SetFlowControl(SerialFlowControl::XonXoff);
  line.Send("\x13");
  usleep(100 * 1000);
  Write(port, "queued");
  ASSERT_EQ(port.SendXonXoff(true), 0);
  ASSERT_EQ(port.SendXonXoff(false), 0);
  EXPECT_EQ(line.Receive(2, 1000), "\x13\x11");
  EXPECT_EQ(port.PendingOutput(), 6u);
  line.Send("\x11");
  ASSERT_TRUE(WaitUntil([&] {
    port.PumpOutput();
    return port.PendingOutput() == 0;
  }));
  EXPECT_EQ(line.Receive(6, 3000), "queued");
}

TEST_F(PosixSerialPortTest, WithoutFlowControlXoffIsInput) {
  auto opened = ports.Open(RequestFor(line.path()));
  SerialPort& port = *opened.port;
  line.Send("\x13");
  EXPECT_EQ(ReadAll(port, 1), "\x13");
  Write(port, "free");
  EXPECT_EQ(line.Receive(4, 3000), "free");
}

TEST_F(PosixSerialPortTest, AFullOutputQueueRefusesTheRestAndLosesNothingItTook) {
  SerialOpenRequest request = RequestFor(line.path());
  request.outputLimit = 1000;
  auto opened = ports.Open(request);
  SerialPort& port = *opened.port;
  port.SetFlowControl(SerialFlowControl::XonXoff);
  line.Send("\x13");
  usleep(100 * 1000);
  const std::string text = Pattern(1200);
  Write(port, std::string_view(text).substr(0, 600));
  Write(port, std::string_view(text).substr(600));
  EXPECT_EQ(port.PendingOutput(), 1000u);
  EXPECT_EQ(port.TakeRefusedOutput(), 200u);
  EXPECT_EQ(port.TakeRefusedOutput(), 0u);

  line.Send("\x11");
  std::string got;
  WaitUntil([&] {
    port.PumpOutput();
    got += line.Receive(2000, 10);
    return got.size() >= 1000 && port.PendingOutput() == 0;
  });
  EXPECT_EQ(got, text.substr(0, 1000));
}

TEST_F(PosixSerialPortTest, InputBeyondTheBufferWaitsInTheSystemAndIsNotLost) {
  SerialOpenRequest request = RequestFor(line.path());
  request.inputBufferSize = 4096;
  auto opened = ports.Open(request);
  SerialPort& port = *opened.port;
  const std::string text = Pattern(20000);
  std::string got;
  std::size_t sent = 0;
  WaitUntil([&] {
    if (sent < text.size()) {
      line.Send(std::string_view(text).substr(sent, 1000));
      sent += 1000;
    }
    EXPECT_LE(port.Waiting(), 4096);
    uint8_t buf[700];
    const int n = port.Read(buf, sizeof buf);
    if (n > 0) got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
    return got.size() >= text.size();
  });
  EXPECT_EQ(got, text);
}

TEST_F(PosixSerialPortTest, APortWhoseDeviceGoesAwayEnds) {
  auto opened = ports.Open(RequestFor(line.path()));
  SerialPort& port = *opened.port;
  line.CloseFarEnd();
  ASSERT_TRUE(WaitUntil([&] { return port.Ended(); }));
  uint8_t b = 0;
  EXPECT_EQ(port.Read(&b, 1), -1);
  Write(port, "nobody");
  EXPECT_EQ(port.Waiting(), 0);
}

TEST_F(PosixSerialPortTest, LineControlReportsWhatTheLineCannotDo) {
  auto opened = ports.Open(RequestFor(line.path()));
  SerialPort& port = *opened.port;
  EXPECT_EQ(port.SetBreak(true), 0);
  EXPECT_EQ(port.SetBreak(false), 0);
  // A pseudo-terminal has no modem-control wires.
  EXPECT_EQ(port.SetDtr(false), ENOTTY);
  EXPECT_EQ(port.SetFlowControl(SerialFlowControl::RtsCts), 0);
  port.Close();
  EXPECT_EQ(port.SetBreak(true), EBADF);
  EXPECT_EQ(port.Descriptor(), -1);
}

TEST_F(PosixSerialPortTest, EveryRateOfTheSpeedTableReachesTheDevice) {
  auto opened = ports.Open(RequestFor(line.path(), 28800));
  ASSERT_EQ(opened.error, 0);
  SerialPort& port = *opened.port;
  EXPECT_EQ(platform::posix::SerialLineSpeed(port.Descriptor()), 28800);
  for (const int32_t rate : kSerialSpeeds) {
    platform::SerialLineSettings s;
    s.speed = rate;
    EXPECT_EQ(port.Configure(s), 0) << rate;
    EXPECT_EQ(platform::posix::SerialLineSpeed(port.Descriptor()), rate);
  }
  platform::SerialLineSettings zero;
  zero.speed = 0;
  EXPECT_EQ(port.Configure(zero), EINVAL);
}

}  // namespace
}  // namespace korvane
