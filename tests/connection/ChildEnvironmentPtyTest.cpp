// Real children on real pseudo-terminals, started from a desktop whose
// terminal and locale are not the session's: whatever program the session
// runs, it starts knowing the session's terminal, finds the descriptions
// Korvane ships, and writes in a character set the session shows.

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/PtyFixture.h"

#ifndef KORVANE_TERMINFO_DIR
#error "KORVANE_TERMINFO_DIR must name the folder of the compiled terminal descriptions"
#endif

namespace korvane::testing_support {
namespace {

class ChildEnvironmentPty : public FastPtyTest {
 protected:
  ChildEnvironmentPty() {
    // What a desktop terminal leaves in the environment Korvane starts in.
    env.Set("TERM", "xterm-256color");
    env.Set("LANG", "C.UTF-8");
    env.Set("LC_ALL", "C.UTF-8");
    env.Unset("TERMINFO_DIRS");
    env.Unset("TERMINFO");
    programs = ChildPrograms::ForThisUser();
    programs.VersionText = "Version 0.1";
    programs.TerminfoFolder = KORVANE_TERMINFO_DIR;
    report = home / "report";
  }

  // A program that writes what it was started with, and the name line of
  // the description its TERM finds, then waits.
  std::string Reporter(const std::string& name) {
    return FakeProgram(name, "{ echo \"TERM=$TERM LANG=$LANG LC_ALL=$LC_ALL\"; infocmp -1 \"$TERM\" | sed -n 2p; } > " +
                                 report + ".part\nmv " + report + ".part " + report + "\nexec sleep 30\n");
  }

  std::string Report() {
    EXPECT_TRUE(WaitUntil([&] { return Exists(report); }, 20000)) << "the child wrote no report";
    return ReadFile(report);
  }

  std::string report;
};

TEST_F(ChildEnvironmentPty, TheUsersOwnProgramKnowsTheSessionsTerminal) {
  SetKind(opt, conn, "local");
  SetEmulation(opt, "Viewpoint");
  opt.ShellRunsProgram = 1;
  opt.ShellProgram = Reporter("my-program");
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  // "vp" is found among the descriptions Korvane ships.
  EXPECT_EQ(Report(), "TERM=vp LANG=C LC_ALL=C\nvp|Korvane Viewpoint emulation,\n");
  child.CloseSessionChild();
}

TEST_F(ChildEnvironmentPty, TheLoginShellKnowsItToo) {
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT220");
  opt.ShellRunsLogin = 1;
  programs.LoginShell = Reporter("login-shell");
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  EXPECT_EQ(Report(), "TERM=vt220 LANG=C LC_ALL=C\nvt220|vt200|DEC VT220,\n");
  child.CloseSessionChild();
}

TEST_F(ChildEnvironmentPty, TheSecureShellClientPassesOnTheTerminalAndTheLocale) {
  if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
  Reporter("ssh");
  SetKind(opt, conn, "ssh");
  SetEmulation(opt, "Prism");
  opt.SshHost = "host.example";
  opt.SshUser = "bob";
  opt.DiscardLoginOutput134 = 1;
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  EXPECT_EQ(Report(), "TERM=Prism LANG=C LC_ALL=C\nPrism|Korvane Prism emulation,\n");
  child.CloseSessionChild();
}

TEST_F(ChildEnvironmentPty, ASessionShowingLatin1CharactersGetsAnInstalledLatin1Locale) {
  // A locale of the test's own, made where the C library looks first.
  const std::string locales = home / "locales";
  mkdir(locales.c_str(), 0755);
  if (access("/usr/bin/localedef", X_OK) != 0 || access("/usr/share/i18n/locales/fr_FR", R_OK) != 0)
    GTEST_SKIP() << "no localedef or no locale sources (Debian packages libc-bin, locales)";
  const std::string made = locales + "/fr_FR.ISO-8859-1";
  const char* argv[] = {"localedef", "-i", "fr_FR", "-f", "ISO-8859-1", made.c_str(), nullptr};
  pid_t pid = -1;
  ASSERT_EQ(posix_spawnp(&pid, "localedef", nullptr, nullptr, const_cast<char* const*>(argv), environ), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  // localedef warns about the sources (exit 1) and still makes the locale.
  ASSERT_EQ(access((made + "/LC_CTYPE").c_str(), R_OK), 0) << "localedef made no locale";
  env.Set("LOCPATH", locales);
  env.Set("LANG", "fr_FR.UTF-8");
  env.Unset("LC_ALL");
  programs = ChildPrograms::ForThisUser();
  programs.TerminfoFolder = KORVANE_TERMINFO_DIR;
  EXPECT_EQ(programs.Latin1Locale, "fr_FR.ISO-8859-1");

  FakeProgram("charmap", "{ echo \"LANG=$LANG\"; locale charmap; } > " + report + ".part\nmv " + report + ".part " +
                             report + "\nexec sleep 30\n");
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT220");
  opt.NationalCharsOff = 1;
  opt.DecMultinational = 1;
  opt.ShellRunsProgram = 1;
  opt.ShellProgram = bin + "/charmap";
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  EXPECT_EQ(Report(), "LANG=fr_FR.ISO-8859-1\nISO-8859-1\n");
  child.CloseSessionChild();
}

}  // namespace
}  // namespace korvane::testing_support
