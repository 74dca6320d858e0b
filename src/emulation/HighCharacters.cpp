// Characters of the DEC Multinational set drawn with the screen font, and
// text parameters that the host ends with DEL.

#include <array>

#include "emulation/HostInput.h"

namespace korvane {

namespace {
// Received code -> screen font code for 161..254; 0 keeps the code. Capital
// letters without a capital in the font take the small letter; characters
// the font lacks become blanks.
constexpr std::array<uint8_t, 256> MakeHighTable() {
  std::array<uint8_t, 256> t{};
  constexpr uint8_t pairs[][2] = {
      {161, 193}, {162, 162}, {165, 180}, {167, 164}, {168, 32},  {170, 187}, {171, 199}, {176, 191}, {178, 50},
      {179, 51},  {182, 166}, {183, 165}, {185, 49},  {186, 188}, {187, 200}, {188, 236}, {189, 237}, {191, 192},
      {192, 203}, {193, 135}, {194, 137}, {195, 204}, {196, 128}, {197, 32},  {198, 174}, {199, 130}, {200, 143},
      {201, 131}, {202, 144}, {203, 145}, {204, 147}, {205, 146}, {206, 148}, {207, 149}, {208, 32},  {209, 132},
      {210, 152}, {211, 151}, {212, 153}, {213, 155}, {214, 154}, {215, 206}, {216, 191}, {217, 157}, {218, 156},
      {219, 158}, {220, 159}, {221, 32},  {222, 32},  {223, 167}, {224, 136}, {225, 135}, {226, 137}, {227, 139},
      {228, 138}, {229, 32},  {230, 174}, {231, 141}, {232, 143}, {233, 142}, {234, 144}, {235, 145}, {236, 147},
      {237, 146}, {238, 148}, {239, 149}, {240, 32},  {241, 150}, {242, 152}, {243, 151}, {244, 153}, {245, 155},
      {246, 154}, {247, 190}, {248, 191}, {249, 157}, {250, 156}, {251, 158}, {252, 159}, {253, 32},  {254, 32},
  };
  for (const auto& p : pairs) t[p[0]] = p[1];
  return t;
}
constexpr std::array<uint8_t, 256> kHighTable = MakeHighTable();
}  // namespace

int HostInput::MapHighCharacter(int c) {
  if (c < 0 || c > 255 || kHighTable[c] == 0) return c;
  return kHighTable[c];
}

void HostInput::ReadHostStringUntilDel() {
  if (Opt.AltEditKeys) return;
  HostString.clear();
  constexpr size_t kMax = 250;
  while (HostString.size() < kMax) {
    GetNextHostByte();
    // A host that stops sending ends the text where it is.
    if (HostReadTimedOut || NextHostByte == 127) break;
    HostString += static_cast<char>(NextHostByte);
  }
  CurrentHostChar = 0;
}

}  // namespace korvane
