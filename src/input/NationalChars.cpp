#include "input/NationalChars.h"

#include <array>

namespace korvane::input {

namespace {

// The twelve national positions, in their fixed order.
constexpr std::array<int, 12> kPositions = {96, 126, 64, 35, 94, 95, 91, 93, 92, 123, 125, 124};

struct NationalSet {
  int set;
  // The Mac character shown at each position (0: none). The four cells no
  // Mac character fills hold what the sets have always held there: codes
  // below 128, which never match, or set 9's 143, which its earlier position
  // takes.
  std::array<int, 12> mac;
};

constexpr NationalSet kSets[] = {
    //        `    ~    @    #    ^    _    [    ]    \    {    }    |
    {4, {171, 0, 238, 163, 0, 0, 216, 124, 237, 172, 236, 196}},
    {5, {142, 159, 0, 0, 134, 0, 128, 129, 133, 138, 140, 154}},
    {6, {0, 172, 136, 163, 0, 0, 161, 164, 141, 142, 143, 157}},
    {7, {153, 158, 136, 0, 148, 0, 137, 144, 142, 141, 143, 157}},
    {8, {0, 167, 164, 0, 0, 0, 128, 134, 133, 138, 159, 154}},
    {9, {157, 147, 164, 163, 0, 0, 161, 143, 141, 136, 143, 152}},
    {10, {0, 0, 0, 0, 0, 0, 174, 129, 48, 190, 140, 191}},
    {11, {0, 0, 164, 163, 0, 0, 193, 192, 132, 161, 141, 150}},
    {12, {153, 158, 136, 157, 148, 143, 142, 144, 141, 138, 159, 154}},
    {13, {0, 0, 0, 163, 0, 0, 0, 0, 0, 0, 0, 0}},
    {17, {0, 0, 0, 0, 0, 0, 204, 205, 130, 139, 155, 141}},
    {18, {142, 159, 131, 0, 134, 0, 128, 129, 133, 138, 140, 154}},
};

}  // namespace

int NationalChar(const SessionOptions& Opt, int code) {
  if (Opt.NationalCharsOff != 0 || code <= 127) return code;
  for (const auto& s : kSets) {
    if (s.set != Opt.HostCharacterSet) continue;
    for (size_t i = 0; i < kPositions.size(); ++i)
      if (s.mac[i] == code) return kPositions[i];
    return code;
  }
  return code;
}

std::array<int16_t, 13> NationalDisplayTable(int set) {
  std::array<int16_t, 13> table{};
  const NationalSet* found = nullptr;
  for (const NationalSet& s : kSets)
    if (s.set == set) found = &s;
  for (size_t i = 0; i < kPositions.size(); ++i) {
    const int mac = found ? found->mac[i] : 0;
    table[i + 1] = static_cast<int16_t>(mac >= 128 ? mac : kPositions[i]);
  }
  return table;
}

}  // namespace korvane::input
