#include "input/TypedCharacters.h"

#include "platform/CharMap.h"

namespace korvane::input {

namespace {

// The Mac Roman characters as a PC (code page 437) host shows them.
struct PcCode {
  int mac, pc;
};
constexpr PcCode kPcCodePage[] = {
    {128, 142}, {129, 143}, {130, 128}, {131, 144}, {132, 165}, {133, 153}, {134, 154}, {135, 160}, {136, 133},
    {137, 131}, {138, 132}, {140, 134}, {141, 135}, {142, 130}, {143, 138}, {144, 136}, {145, 137}, {146, 161},
    {147, 141}, {148, 140}, {149, 139}, {150, 164}, {151, 162}, {152, 149}, {153, 147}, {154, 148}, {156, 163},
    {157, 151}, {158, 150}, {159, 129}, {161, 248}, {162, 155}, {163, 156}, {164, 36},  {167, 225}, {171, 39},
    {172, 34},  {173, 240}, {174, 146}, {175, 237}, {176, 236}, {177, 241}, {178, 243}, {179, 242}, {180, 157},
    {181, 230}, {183, 228}, {184, 227}, {185, 227}, {187, 166}, {188, 167}, {189, 234}, {190, 145}, {191, 233},
    {192, 168}, {193, 173}, {203, 133}, {233, 138}, {244, 151},
};

int PcCodeOf(int mac) {
  for (const auto& p : kPcCodePage)
    if (p.mac == mac) return p.pc;
  return -1;
}

// The DEC Multinational code of the Mac character `mac`: the set agrees with
// ISO 8859-1 except at a few codes, where it has Œ, œ, Ÿ, ÿ and ¤ instead, or
// nothing.
int DecCodeOf(int mac) {
  const char32_t u = platform::MacRomanToUnicode(static_cast<uint8_t>(mac));
  switch (u) {
    case U'\u00A4': return 0xA8;
    case U'\u0152': return 0xD7;
    case U'\u0153': return 0xF7;
    case U'\u0178': return 0xDD;
    case U'\u00FF': return 0xFD;
    default: break;
  }
  if (u < 0xA1 || u > 0xFE) return -1;
  switch (u) {
    case 0xA4:
    case 0xA6:
    case 0xA8:
    case 0xAC:
    case 0xAD:
    case 0xAE:
    case 0xAF:
    case 0xB4:
    case 0xB8:
    case 0xBE:
    case 0xD0:
    case 0xD7:
    case 0xDD:
    case 0xDE:
    case 0xF0:
    case 0xF7:
    case 0xFD:
    case 0xFE: return -1;
    default: return static_cast<int>(u);
  }
}

}  // namespace

bool StripsEighthBit(const SessionOptions& Opt) {
  return Opt.EmuPrism == 1 ? Opt.PrismSevenBit == 1 : Opt.NationalCharsOff == 0;
}

int HostByteOfTypedCharacter(const SessionOptions& Opt, int mac) {
  if (mac < 128 || mac > 255) return mac;
  if (StripsEighthBit(Opt)) return -1;
  if (Opt.ProgramFontOption == 2) return PcCodeOf(mac);
  if (Opt.DecMultinational == 1) return DecCodeOf(mac);
  return mac;
}

}  // namespace korvane::input
