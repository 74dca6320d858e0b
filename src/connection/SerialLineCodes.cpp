#include "connection/SerialLineCodes.h"

namespace korvane {

int32_t SetSerialSpeed(int32_t requested) {
  for (const int32_t rate : kSerialSpeeds)
    if (requested >= rate) return rate;
  return kSerialSpeeds.back();
}

platform::SerialLineSettings SerialLineFromCodes(int32_t speed, int32_t parity, int32_t stopBits, int32_t dataBits) {
  platform::SerialLineSettings line;
  line.speed = SetSerialSpeed(speed);
  line.parity = parity == 1   ? platform::SerialParity::Odd
                : parity == 2 ? platform::SerialParity::Even
                              : platform::SerialParity::None;
  line.stopBits = stopBits == 1 ? 2 : 1;
  switch (dataBits) {
    case 0: line.dataBits = 7; break;
    case 2: line.dataBits = 5; break;
    case 3: line.dataBits = 6; break;
    default: line.dataBits = 8; break;
  }
  return line;
}

int HandshakeSetting(int16_t xonXoffOn) {
  if (xonXoffOn == 1) return kHandshakeXonXoff;
  if (xonXoffOn == 2) return kHandshakeRtsCts;
  return kHandshakeNone;
}

int BaudRateMenuItem(int32_t rate) {
  for (std::size_t i = 0; i < kBaudRateItems.size(); ++i)
    if (kBaudRateItems[i] == rate) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace korvane
