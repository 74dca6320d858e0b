// The set-ups with the real shell: a local tcsh that ends up knowing its
// terminal and size, and the secure-shell client and kermit that the shell
// finds, played by fake programs that record how they were started.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/PtyFixture.h"

namespace korvane::testing_support {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

class RealShell : public PtyTest {
 protected:
  void SetUp() override {
    if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
  }
};

// The same with pauses that take no time, for lines typed slowly.
class FastRealShell : public FastPtyTest {
 protected:
  void SetUp() override {
    if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
  }
};

TEST_F(RealShell, ALocalShellKnowsItsTerminalAndItsSize) {
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT220");
  opt.ShellRunsTcsh = 1;
  conn.SessionColumns = 100;
  child.StartSessionChild();
  ASSERT_NE(conn.PtyStream, nullptr);
  conn.SendToHost("echo T=$TERM S=`stty size`", 13);
  EXPECT_NE(ReadUntil("T=vt220 S=24 100").find("T=vt220 S=24 100"), std::string::npos) << Visible(output);
  EXPECT_EQ(host.Count("RequestSendWindowSize"), 1);
  child.CloseSessionChild();
  EXPECT_TRUE(ChildProcesses().empty());
}

TEST_F(FastRealShell, SecureShellRunsTheClientOnThePathWithItsArguments) {
  const std::string record = home / "ssh.args";
  FakeProgram("ssh", "for a in \"$@\"; do echo \"$a\"; done > " + record + ".part\necho \"TERM=$TERM\" >> " + record +
                         ".part\nmv " + record + ".part " + record + "\nexec sleep 30\n");
  SetKind(opt, conn, "ssh");
  SetEmulation(opt, "Wyse 370");
  opt.SshHost = "host.example";
  opt.SshUser = "bob";
  opt.SshExtraOptions = "-C -o ServerAliveInterval=30";
  opt.SshPort = "2222";
  opt.DiscardLoginOutput134 = 1;
  child.StartSessionChild();
  ASSERT_TRUE(WaitUntil([&] { return Exists(record); }, 20000));
  EXPECT_EQ(Lines(ReadFile(record)), (std::vector<std::string>{"-l", "bob", "-C", "-o", "ServerAliveInterval=30", "-p",
                                                               "2222", "--", "host.example", "TERM=wy60"}));
  child.CloseSessionChild();
  EXPECT_TRUE(WaitUntil([&] { return ChildProcesses().empty(); }));
}

TEST_F(RealShell, KermitStartsInItsFolderAndTakesItsCommands) {
  const std::string record = home / "kermit.lines";
  const std::string folder = home / "data/korvane/kermit";
  std::filesystem::create_directories(folder);
  // A kermit that notes where it runs and each command it is given.
  WriteFile(folder + "/kermit",
            "#!/bin/sh\necho \"cwd=$(pwd)\" > " + record + "\nwhile IFS= read -r line; do echo \"$line\" >> " + record +
                "; done\n",
            0644);  // "chmod +x kermit" makes it executable
  chmod((folder + "/kermit").c_str(), 0755);
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT100");
  opt.ShellRunsTcsh = 1;
  opt.KermitMode = 1;
  child.StartSessionChild();
  const std::string last = "cd kermit_transfers";
  ASSERT_TRUE(WaitUntil([&] { return ReadFile(record).find(last) != std::string::npos; }, 20000)) << ReadFile(record);
  std::vector<std::string> lines = Lines(ReadFile(record));
  for (auto& l : lines)
    if (!l.empty() && l.back() == '\r') l.pop_back();
  EXPECT_EQ(lines,
            (std::vector<std::string>{"cwd=" + folder, "set telnet terminal-type vt100", "set file collision overwrite",
                                      "cd " + home / "Documents", "mkdir kermit_transfers", "cd kermit_transfers"}));
  child.CloseSessionChild();
  EXPECT_TRUE(WaitUntil([&] { return ChildProcesses().empty(); }));
}

}  // namespace
}  // namespace korvane::testing_support
