#include "platform/posix/SerialLine.h"

#include <errno.h>
#include <sys/ioctl.h>

#include "platform/posix/SerialTermios2.h"

namespace korvane::platform::posix {
namespace {

struct SpeedConstant {
  int32_t rate;
  unsigned bits;
};

constexpr SpeedConstant kSpeedConstants[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

int ReadRecord(int fd, termios2& record) { return ioctl(fd, TCGETS2, &record) == 0 ? 0 : errno; }
int WriteRecord(int fd, const termios2& record) { return ioctl(fd, TCSETS2, &record) == 0 ? 0 : errno; }

}  // namespace

unsigned SerialSpeedBits(int32_t rate) {
  for (const SpeedConstant& s : kSpeedConstants)
    if (s.rate == rate) return s.bits;
  return BOTHER;
}

void MakeSerialRecord(termios2& t, const SerialLineSettings& s) {
  // Raw transfer: every byte arrives as it was sent and leaves as it is
  // written.
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  // The flow-control characters, both for the far end's and for the ones
  // the program sends.
  t.c_cc[VSTART] = 17;
  t.c_cc[VSTOP] = 19;

  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  t.c_cflag |= CREAD | CLOCAL;
  switch (s.dataBits) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
  }
  if (s.parity == SerialParity::Odd) t.c_cflag |= PARENB | PARODD;
  if (s.parity == SerialParity::Even) t.c_cflag |= PARENB;
  if (s.stopBits == 2) t.c_cflag |= CSTOPB;

  // One speed both ways: the input speed bits left at 0 mean "as the output".
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= SerialSpeedBits(s.speed);
  t.c_ispeed = static_cast<speed_t>(s.speed);
  t.c_ospeed = static_cast<speed_t>(s.speed);

  SetFlowControlFlags(t, SerialFlowControl::None);
}

void SetFlowControlFlags(termios2& t, SerialFlowControl flow) {
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (flow == SerialFlowControl::RtsCts) t.c_cflag |= CRTSCTS;
  if (flow == SerialFlowControl::XonXoff) t.c_iflag |= IXON | IXOFF | IXANY;
}

int ConfigureSerialLine(int fd, const SerialLineSettings& settings) {
  if (settings.speed <= 0) return EINVAL;
  termios2 t{};
  if (const int error = ReadRecord(fd, t)) return error;
  MakeSerialRecord(t, settings);
  if (const int error = WriteRecord(fd, t)) return error;
  // A driver may take a record it cannot carry out and keep another speed; a
  // line at the wrong speed shows only garbage, so that is an error. A few
  // percent either way is what every UART tolerates.
  termios2 now{};
  if (const int error = ReadRecord(fd, now)) return error;
  const int64_t wanted = settings.speed, got = now.c_ospeed;
  if (got * 50 < wanted * 49 || got * 50 > wanted * 51) return EINVAL;
  return 0;
}

int SetSerialFlowControl(int fd, SerialFlowControl flow) {
  termios2 t{};
  if (const int error = ReadRecord(fd, t)) return error;
  SetFlowControlFlags(t, flow);
  return WriteRecord(fd, t);
}

int32_t SerialLineSpeed(int fd) {
  termios2 t{};
  if (ReadRecord(fd, t) != 0) return -1;
  return static_cast<int32_t>(t.c_ospeed);
}

}  // namespace korvane::platform::posix
