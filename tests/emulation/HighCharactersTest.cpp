// DEC Multinational characters on the screen font, and DEL-ended host texts.

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

TEST(HighCharacters, MapToTheScreenFontsCodes) {
  const std::pair<int, int> cases[] = {
      {196, 128},              // A with diaeresis
      {228, 138},              // a with diaeresis
      {197, 32},               // A with ring: not in the font, a blank
      {229, 32},  {193, 135},  // a capital drawn with the small letter
      {178, '2'}, {179, '3'}, {185, '1'}, {188, 236}, {189, 237},
      {255, 255}, {128, 128}, {160, 160}, {163, 163}, {65, 65},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(HostInput::MapHighCharacter(in), out) << in;
  // Nothing but 236 and 237 lands on the line-drawing glyphs.
  for (int c = 161; c <= 255; ++c) {
    const int m = HostInput::MapHighCharacter(c);
    if (m != c) {
      EXPECT_TRUE(m < 215 || m == 236 || m == 237) << c << " -> " << m;
    }
  }
}

class DelText : public HostInputTest {
 protected:
  fakes::MemoryLink* link = nullptr;
  void SetUp() override { link = OpenPty(); }
};

TEST_F(DelText, ReadsUpToDelWithoutKeepingIt) {
  link->Feed("label\x7fnext");
  in().CurrentHostChar = 'z';
  in().ReadHostStringUntilDel();
  EXPECT_EQ(in().HostString, "label");
  EXPECT_EQ(in().CurrentHostChar, 0);
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 'n');
}

TEST_F(DelText, StopsAt250AndLeavesTheRestForTheInterpreter) {
  link->Feed(std::string(250, 'a') + "\x7f");
  in().ReadHostStringUntilDel();
  EXPECT_EQ(in().HostString.size(), 250u);
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 127) << "the DEL after 250 bytes is left unread";

  link->Feed(std::string(251, 'b'));
  in().ReadHostStringUntilDel();
  EXPECT_EQ(in().HostString, std::string(250, 'b'));
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 'b');
}

TEST_F(DelText, AHostThatStopsEndsTheTextInsteadOfWaitingForEver) {
  link->Feed("half");
  const int64_t t0 = clock.Milliseconds();
  in().ReadHostStringUntilDel();
  EXPECT_EQ(in().HostString, "half");
  EXPECT_LE(clock.Milliseconds() - t0, 1100) << "one time-out, not one per missing byte";
}

TEST_F(DelText, AlternateEditKeysLeaveTheBytesToTheInterpreter) {
  opt().AltEditKeys = 1;
  link->Feed("text\x7f");
  in().ReadHostStringUntilDel();
  EXPECT_TRUE(in().HostString.empty());
  in().GetNextHostByte();
  EXPECT_EQ(in().NextHostByte, 't');
}

}  // namespace
}  // namespace korvane
