// The environment every child of a session starts with: the session's
// terminal name whatever the child is, the folder of the descriptions
// Korvane ships before the system's own, and a locale whose character set
// the session shows.

#include <gtest/gtest.h>

#include <string>

#include "connection/ChildEnvironment.h"
#include "support/LauncherFixture.h"

namespace korvane::testing_support {
namespace {

std::string Value(const EnvironmentVariables& env, const std::string& name) {
  std::string value = "(unset)";
  for (const auto& [n, v] : env)
    if (n == name) value = v;
  return value;
}

struct LocaleCase {
  const char* name;
  const char* emulation;
  int16_t nationalCharsOff, decMultinational, prismSevenBit;
  const char* installed;  // the ISO 8859-1 locale found at start-up
  const char* locale;     // LANG and LC_ALL of the child
};

class ChildLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(ChildLocale, IsOneTheSessionCanShow) {
  const LocaleCase& c = GetParam();
  SessionOptions opt;
  SetEmulation(opt, c.emulation);
  opt.NationalCharsOff = c.nationalCharsOff;
  opt.DecMultinational = c.decMultinational;
  opt.PrismSevenBit = c.prismSevenBit;
  ChildPrograms programs;
  programs.Latin1Locale = c.installed;
  const EnvironmentVariables env = ChildEnvironment(opt, programs, "vt220");
  EXPECT_EQ(Value(env, "LANG"), c.locale);
  EXPECT_EQ(Value(env, "LC_ALL"), c.locale);
}

INSTANTIATE_TEST_SUITE_P(Sessions, ChildLocale,
                         ::testing::Values(
                             // Bytes above 127 lose their eighth bit: 7-bit text only.
                             LocaleCase{"SevenBitSessionGetsC", "VT220", 0, 1, 0, "fr_FR.ISO-8859-1", "C"},
                             // Eight bits kept but shown through the national and Mac tables: C.
                             LocaleCase{"EightBitsWithoutMultinationalGetC", "VT220", 1, 0, 0, "fr_FR.ISO-8859-1", "C"},
                             LocaleCase{"MultinationalSessionGetsLatin1", "VT220", 1, 1, 0, "fr_FR.ISO-8859-1",
                                        "fr_FR.ISO-8859-1"},
                             LocaleCase{"WithoutALatin1LocaleInstalledC", "Wyse 60", 1, 1, 0, "", "C"},
                             LocaleCase{"PrismKeepsEightBitsOfItsOwn", "Prism", 0, 1, 0, "de_DE", "de_DE"},
                             LocaleCase{"PrismInSevenBitsGetsC", "Prism", 1, 1, 1, "de_DE", "C"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ChildEnvironment, NamesTheTerminalAndFindsTheShippedDescriptionsFirst) {
  SessionOptions opt;
  SetEmulation(opt, "Viewpoint");
  ChildPrograms programs;
  EnvironmentVariables env = ChildEnvironment(opt, programs, "vp");
  EXPECT_EQ(Value(env, "TERM"), "vp");
  // Without a folder of Korvane's own the inherited setting stays.
  EXPECT_EQ(Value(env, "TERMINFO_DIRS"), "(unset)");

  programs.TerminfoFolder = "/opt/korvane/share/korvane/terminfo";
  env = ChildEnvironment(opt, programs, "vp");
  // The empty entry after ours stands for the system's folders.
  EXPECT_EQ(Value(env, "TERMINFO_DIRS"), "/opt/korvane/share/korvane/terminfo:");
  programs.InheritedTerminfoDirs = "/home/u/ti:";
  env = ChildEnvironment(opt, programs, "vp");
  EXPECT_EQ(Value(env, "TERMINFO_DIRS"), "/opt/korvane/share/korvane/terminfo:/home/u/ti:");

  // A session without any terminal name still does not pass on the desktop's.
  EXPECT_EQ(Value(ChildEnvironment(SessionOptions{}, programs, ""), "TERM"), "dumb");
}

// ---- What each branch starts its child with ----------------------------------------

std::string StartedWith(const platform::PtyChildRequest& request, const std::string& name) {
  return Value(request.environment, name);
}

TEST_F(LauncherTest, EveryBranchStartsItsChildWithTheSessionsTerminalName) {
  struct Row {
    const char* kind;
    const char* emulation;
    int16_t program;  // the local shell runs the user's program
    const char* userType;
    const char* term;
  };
  const Row rows[] = {
      {"local", "VT220", 0, "", "vt220"},
      // The user's program, not tcsh, gets it just the same.
      {"local", "VT100", 1, "", "vt100"},
      // No name of the local table: the session's own, which Korvane ships.
      {"local", "Viewpoint", 1, "", "vp"},
      {"local", "Prism", 0, "", "Prism"},
      {"local", "Wyse 60", 0, "", "wy50"},
      {"telnet", "Wyse 60", 0, "", "wy60"},
      {"telnet", "TeleVideo 925", 0, "vt100", "vt100"},
      // The Wyse 370 emulation honours the Wyse 60's description.
      {"ssh", "Wyse 370", 0, "", "wy60"},
  };
  for (const Row& r : rows) {
    SessionOptions o;
    opt = o;
    SetKind(opt, conn, r.kind);
    SetEmulation(opt, r.emulation);
    opt.ShellRunsTcsh = r.program ? 0 : 1;
    opt.ShellRunsProgram = r.program;
    opt.ShellProgram = "/bin/bash";
    opt.TelnetHost = opt.SshHost = "host.example";
    opt.TelnetPort = "23";
    opt.SshUser = "bob";
    opt.TelnetTerminalType = r.userType;
    processes.starts.clear();
    child.StartSessionChild();
    ASSERT_EQ(processes.starts.size(), 1u) << r.kind << " " << r.emulation;
    EXPECT_EQ(StartedWith(processes.starts[0], "TERM"), r.term) << r.kind << " " << r.emulation;
    EXPECT_EQ(StartedWith(processes.starts[0], "LC_ALL"), "C") << r.kind << " " << r.emulation;
    child.CloseSessionChild();
  }
}

}  // namespace
}  // namespace korvane::testing_support
