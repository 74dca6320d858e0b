// The brace notation of key strings: the encoder, the token scanner, the
// arrow-key sender, and that both senders decode every encoding back to its
// byte.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "input/FkeyTokens.h"
#include "input/KeyFixture.h"

namespace korvane::testing {
namespace {

using input::FkeyTokenOfChar;

class FkeyTokens : public KeyFixture {
 protected:
  // What an arrow-key string sends, and in how many calls.
  std::string Arrow(std::string_view definition, int* calls = nullptr) {
    const size_t before = link->written.size();
    // The memory link sees one write per call.
    struct Counting final : HostLink {
      explicit Counting(fakes::MemoryLink& target) : l(target) {}
      fakes::MemoryLink& l;
      int writes = 0;
      void Write(const uint8_t* d, int n) override {
        ++writes;
        l.Write(d, n);
      }
      int Read(uint8_t* b, int m) override { return l.Read(b, m); }
      int Waiting() override { return l.Waiting(); }
      bool Ended() override { return l.Ended(); }
      void Close() override {}
    };
    fakes::RecordingConnectionHost host;
    Connection conn(clock, host);
    auto counting = std::make_unique<Counting>(*link);
    Counting* c = counting.get();
    conn.PtyStream = std::move(counting);
    input::SendFkeyString(s.Opt, conn, definition);
    if (calls) *calls = c->writes;
    return link->written.substr(before);
  }
  std::string FunctionKeyString(const std::string& definition) {
    s.Opt.FkeyStrings[1] = definition;
    return FunctionKey(1);
  }
};

TEST_F(FkeyTokens, TheEncoderGivesTokensForControlBytesAndEveryOtherByteAsItself) {
  const std::pair<int, std::string> cases[] = {
      {0, "{CT@"}, {1, "{CTA"}, {8, "{CTH"},  {10, "{CTJ"}, {13, "{CTM"}, {26, "{CTZ"},  {27, "{ES"},   {28, "{ \\"},
      {29, "{ ]"}, {30, "{ ^"}, {31, "\x1f"}, {65, "A"},    {123, "{"},   {127, "\x7f"}, {200, "\xc8"}, {255, "\xff"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(FkeyTokenOfChar(code), text) << code;
}

TEST_F(FkeyTokens, BothSendersDecodeEveryEncodedByteBackToItself) {
  s.Opt.NationalCharsOff = 1;
  s.Opt.ScrollBackOn = 0;
  for (int code = 0; code <= 255; ++code) {
    const std::string token = FkeyTokenOfChar(code);
    const std::string byte(1, static_cast<char>(code));
    EXPECT_EQ(Arrow(token), byte) << code;
    EXPECT_EQ(FunctionKeyString(token), byte) << code;
    // Written straight after one another, tokens stay apart.
    EXPECT_EQ(Arrow(token + token), byte + byte) << code;
  }
}

TEST_F(FkeyTokens, TokensAndWhatEachSenderMakesOfThem) {
  struct Case {
    const char* definition;
    std::string arrow, functionKey;
  };
  const Case cases[] = {
      {"", "", ""},
      {"abc", "abc", "abc"},
      {"{ES[A", "\x1b[A", "\x1b[A"},
      {"{ [", "\x1b", "{ ["},
      {"{ \\{ ]{ ^", "\x1c\x1d\x1e", "\x1c\x1d\x1e"},
      {"{CTH{CTh", "\b\b", "\b\b"},
      {"{CT[", "\x1b", "\x1b"},
      {"{CT?", "\xff", "\xff"},
      {"{CT ", "\xe0", "\xe0"},
      {"{CT0{CT9", "\xf0\xf9", "\xf0\xf9"},
      {"{CT{x", "\x1bx", "\x1bx"},  // the letter is taken even when it is a brace
      {"{es{Cr", "{es{Cr", "{es{Cr"},
      {"{CR{LF", "\r\n", "\r\n"},
      {"{{CR", "{\r", "{\r"},
      {"{XYz", "{XYz", "{XYz"},
      {"a{DLb{DFc", "abc", "a"},  // the function-key sender waits (see the sender's tests)
      {"{LT{CS{BK{PA", "{LT{CS{BK{PA", "\x1b[D"},
      {"x{", "x{", "x{"},
      {"x{C", "x{C", "x{C"},
      {"x{CT", "x{CT", "x{CT"},
  };
  s.Opt.ScrollBackOn = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(Arrow(c.definition), c.arrow) << c.definition;
    EXPECT_EQ(FunctionKeyString(c.definition), c.functionKey) << c.definition;
    clock.AdvanceTicks(400);
    s.keys.PendingKeyStrings.clear();
  }
}

TEST_F(FkeyTokens, TheArrowSenderSendsEachByteInACallOfItsOwn) {
  int calls = 0;
  EXPECT_EQ(Arrow("ab{CR", &calls), "ab\r");
  EXPECT_EQ(calls, 3);
}

TEST_F(FkeyTokens, ATokenCutShortAtTheEndOfAFullStringIsNotReadPastTheEnd) {
  // The string lies in a buffer of exactly its length, so that a read past
  // its end is caught.
  for (const std::string tail : {"{CT", "{C", "{", "{CTA"}) {
    const std::string text = std::string(255 - tail.size(), 'x') + tail;
    auto buffer = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), buffer.get());
    const std::string_view view(buffer.get(), text.size());
    for (size_t p = 0; p < view.size(); ++p) {
      const input::FkeyTokenAt t = input::ScanFkeyToken(view, p, input::FkeyTokenSet::FunctionKey);
      EXPECT_LE(p + static_cast<size_t>(t.length), view.size());
    }
    const std::string expected = tail == "{CTA" ? std::string(255 - tail.size(), 'x') + "\x01" : text;
    EXPECT_EQ(Arrow(view), expected) << tail;
    EXPECT_EQ(FunctionKeyString(text), expected) << tail;
  }
}

TEST_F(FkeyTokens, NationalReplacementWorksOnACopyAndNeverStartsAToken) {
  s.Opt.NationalCharsOff = 0;
  s.Opt.HostCharacterSet = 5;
  const std::string definition = "\x8e{CR";  // é under set 5 is a grave accent
  EXPECT_EQ(Arrow(definition), "`\r");
  s.Opt.FkeyStrings[3] = definition;
  EXPECT_EQ(FunctionKey(3), "`\r");
  EXPECT_EQ(s.Opt.FkeyStrings[3], definition);
  // Under set 6 é is a brace; sent as one, it does not begin "{CR".
  s.Opt.HostCharacterSet = 6;
  EXPECT_EQ(Arrow("\x8e"
                  "CR"),
            "{CR");
  EXPECT_EQ(FunctionKeyString("\x8e"
                              "CR"),
            "{CR");
}

TEST_F(FkeyTokens, CursorTokensFollowTheEmulation) {
  struct Case {
    EmulationKind kind;
    std::string bytes;
  };
  const Case cases[] = {
      {EmulationKind::Wyse50, "\b\f\x0b\n"},
      {EmulationKind::Wyse60, "\b\f\x0b\n"},
      {EmulationKind::Viewpoint, "\x15\x06\x1a\n"},
      {EmulationKind::Prism, "\x15\x06\x1a\n"},
      {EmulationKind::Vt100, "\x1b[D\x1b[C\x1b[A\x1b[B"},
      {EmulationKind::Vt220, "\x1b[D\x1b[C\x1b[A\x1b[B"},
  };
  for (const auto& c : cases) {
    Emulate(c.kind);
    EXPECT_EQ(FunctionKeyString("{LT{RT{UP{DN"), c.bytes);
  }
  // With no emulation flag they send nothing.
  s.Opt.EmuVt100 = s.Opt.EmuVt220 = 0;
  EXPECT_EQ(FunctionKeyString("a{UP}"), "a}");
}

}  // namespace
}  // namespace korvane::testing
