// The terminal record a serial line is given, checked on the record itself:
// a pseudo-terminal forces eight bits and no parity, so the format cannot be
// read back from one. Kept apart from <termios.h>, whose struct termios the
// kernel's header defines again.

#include <gtest/gtest.h>

#include "connection/SerialLineCodes.h"
#include "platform/posix/SerialTermios2.h"

namespace korvane {
namespace {

using platform::SerialFlowControl;
using platform::SerialLineSettings;
using platform::SerialParity;
using platform::posix::MakeSerialRecord;
using platform::posix::SetFlowControlFlags;

// A record as a device may have it from an earlier program: everything on.
termios2 Cluttered() {
  termios2 t{};
  t.c_iflag = ~0u;
  t.c_oflag = ~0u;
  t.c_lflag = ~0u;
  t.c_cflag = ~0u;
  for (auto& cc : t.c_cc) cc = 0x7F;
  t.c_ispeed = t.c_ospeed = 1234;
  return t;
}

TEST(SerialRecord, EveryRateOfTheSpeedTableIsSetAsANumberWhereNoConstantExists) {
  const struct {
    int32_t rate;
    unsigned bits;
  } cases[] = {{230400, B230400}, {115200, B115200}, {76800, BOTHER}, {57600, B57600}, {38400, B38400},
               {28800, BOTHER},   {19200, B19200},   {14400, BOTHER}, {9600, B9600},   {7200, BOTHER},
               {4800, B4800},     {2400, B2400},     {1800, B1800},   {1200, B1200},   {600, B600},
               {300, B300},       {200, B200},       {150, B150},     {134, B134},     {110, B110}};
  ASSERT_EQ(std::size(cases), kSerialSpeeds.size());
  for (const auto& c : cases) {
    EXPECT_EQ(SetSerialSpeed(c.rate), c.rate);
    termios2 t = Cluttered();
    SerialLineSettings s;
    s.speed = c.rate;
    MakeSerialRecord(t, s);
    EXPECT_EQ(t.c_cflag & CBAUD, c.bits) << c.rate;
    // The input speed follows the output speed.
    EXPECT_EQ(t.c_cflag & (CBAUD << IBSHIFT), 0u) << c.rate;
    EXPECT_EQ(t.c_ospeed, static_cast<speed_t>(c.rate));
    EXPECT_EQ(t.c_ispeed, static_cast<speed_t>(c.rate));
  }
}

TEST(SerialRecord, CharacterFormat) {
  const struct {
    int dataBits;
    SerialParity parity;
    int stopBits;
    tcflag_t size, parityBits, stop;
  } cases[] = {
      {8, SerialParity::None, 1, CS8, 0, 0},
      {7, SerialParity::Even, 1, CS7, PARENB, 0},
      {7, SerialParity::Odd, 1, CS7, PARENB | PARODD, 0},
      {6, SerialParity::None, 2, CS6, 0, CSTOPB},
      {5, SerialParity::Odd, 2, CS5, PARENB | PARODD, CSTOPB},
  };
  for (const auto& c : cases) {
    termios2 t = Cluttered();
    SerialLineSettings s;
    s.dataBits = c.dataBits;
    s.parity = c.parity;
    s.stopBits = c.stopBits;
    MakeSerialRecord(t, s);
    EXPECT_EQ(t.c_cflag & CSIZE, c.size) << c.dataBits;
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.parityBits) << c.dataBits;
    EXPECT_EQ(t.c_cflag & CSTOPB, c.stop) << c.dataBits;
  }
}

TEST(SerialRecord, RawTransferWithNothingLeftOverFromBefore) {
  termios2 t = Cluttered();
  MakeSerialRecord(t, SerialLineSettings{});
  EXPECT_EQ(t.c_lflag & (ECHO | ECHOE | ECHONL | ICANON | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK), 0u);
  EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), static_cast<tcflag_t>(CREAD | CLOCAL));
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);
  EXPECT_EQ(t.c_cc[VSTART], 17);
  EXPECT_EQ(t.c_cc[VSTOP], 19);
  // No flow control until it is asked for.
  EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), 0u);
}

TEST(SerialRecord, FlowControlTouchesOnlyItsOwnFlags) {
  const struct {
    SerialFlowControl flow;
    tcflag_t cflag, iflag;
  } cases[] = {{SerialFlowControl::None, 0, 0},
               {SerialFlowControl::RtsCts, CRTSCTS, 0},
               {SerialFlowControl::XonXoff, 0, IXON | IXOFF | IXANY}};
  for (const auto& c : cases) {
    termios2 t{};
    MakeSerialRecord(t, SerialLineSettings{});
    SetFlowControlFlags(t, SerialFlowControl::RtsCts);
    SetFlowControlFlags(t, SerialFlowControl::XonXoff);
    const termios2 before = t;
    SetFlowControlFlags(t, c.flow);
    EXPECT_EQ(t.c_cflag & CRTSCTS, c.cflag);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), c.iflag);
    EXPECT_EQ(t.c_cflag & ~CRTSCTS, before.c_cflag & ~CRTSCTS);
    EXPECT_EQ(t.c_iflag & ~(IXON | IXOFF | IXANY), before.c_iflag & ~(IXON | IXOFF | IXANY));
    EXPECT_EQ(t.c_ospeed, before.c_ospeed);
  }
}

}  // namespace
}  // namespace korvane
