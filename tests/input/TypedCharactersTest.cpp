// Typed characters above 127 go to the host in the session's character set,
// and a character the set has no code for sounds the bell instead of
// vanishing.

#include <gtest/gtest.h>

#include <string>

#include "KeyFixture.h"
#include "input/TypedCharacters.h"

namespace korvane::testing {
namespace {

using namespace platform;

// The session's character settings.
struct Charset {
  const char* name;
  int16_t nationalCharsOff, hostCharacterSet, decMultinational, programFont;
};
constexpr Charset kSevenBit{"7-bit, no national set", 0, 0, 0, 1};
constexpr Charset kSevenBitSet4{"7-bit, national set 4", 0, 4, 0, 1};
constexpr Charset kMac{"8-bit, the Mac characters", 1, 0, 0, 1};
constexpr Charset kDec{"8-bit, DEC Multinational", 1, 0, 1, 1};
constexpr Charset kPc{"8-bit, PC code page", 1, 0, 0, 2};

struct TypedCase {
  Charset charset;
  int mac;           // the typed character, Mac Roman
  const char* sent;  // nullptr: the bell and nothing sent
};

class TypedCharacters : public KeyFixture {};

TEST_F(TypedCharacters, AreSentInTheSessionsSetOrRingTheBell) {
  const TypedCase cases[] = {
      {kSevenBit, 0x8E, nullptr},      // é: a 7-bit host without a national set has no é
      {kSevenBit, 0xA3, nullptr},      // £
      {kSevenBitSet4, 0xA3, "#"},      // £ where set 4 shows it
      {kSevenBitSet4, 0xBF, nullptr},  // ø: not in set 4
      {kMac, 0x8E, "\x8e"},            // é: the session shows the Mac characters
      {kDec, 0x8E, "\xe9"},            // é
      {kDec, 0xA3, "\xa3"},            // £
      {kDec, 0xBF, "\xf8"},            // ø
      {kDec, 0xCE, "\xd7"},            // Œ, where ISO 8859-1 has ×
      {kDec, 0xD8, "\xfd"},            // ÿ
      {kDec, 0xDB, nullptr},           // €: not in the set
      {kPc, 0x8E, "\x82"},             // é in code page 437
      {kPc, 0xDB, nullptr},            // €: not in the code page
  };
  for (const TypedCase& c : cases) {
    s.Opt.NationalCharsOff = c.charset.nationalCharsOff;
    s.Opt.HostCharacterSet = c.charset.hostCharacterSet;
    s.Opt.DecMultinational = c.charset.decMultinational;
    s.Opt.ProgramFontOption = c.charset.programFont;
    const int beepsBefore = sinks.Count("Beep");
    const std::string sent = Press({kKeyE, 0, c.mac});
    const bool beeped = sinks.Count("Beep") > beepsBefore;
    if (c.sent) {
      EXPECT_EQ(sent, c.sent) << c.charset.name << ", character " << c.mac;
      EXPECT_FALSE(beeped) << c.charset.name << ", character " << c.mac;
    } else {
      EXPECT_EQ(sent, "") << c.charset.name << ", character " << c.mac;
      EXPECT_TRUE(beeped) << c.charset.name << ", character " << c.mac << ": dropped without the bell";
    }
  }
}

// A Prism session strips the eighth bit by its own setting.
TEST_F(TypedCharacters, APrismSessionFollowsItsOwnSevenBitSetting) {
  SessionOptions o;
  o.EmuPrism = 1;
  o.NationalCharsOff = 0;
  o.PrismSevenBit = 0;
  EXPECT_EQ(input::HostByteOfTypedCharacter(o, 0x8E), 0x8E);
  o.PrismSevenBit = 1;
  EXPECT_EQ(input::HostByteOfTypedCharacter(o, 0x8E), -1);
}

}  // namespace
}  // namespace korvane::testing
