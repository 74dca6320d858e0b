// Many sessions opened and closed in a row leave nothing behind: no child
// process, no zombie and no descriptor.

#include <gtest/gtest.h>

#include "support/PtyFixture.h"

namespace korvane::testing_support {
namespace {

TEST_F(FastPtyTest, AHundredLocalShellsOpenedAndClosedLeaveNothingBehind) {
  if (!HaveTcsh()) GTEST_SKIP() << "no /bin/tcsh (Debian package tcsh)";
  SetKind(opt, conn, "local");
  SetEmulation(opt, "VT100");
  opt.ShellRunsTcsh = 1;
  const int descriptors = OpenDescriptorCount();
  ASSERT_TRUE(ChildProcesses().empty());
  for (int i = 0; i < 100; ++i) {
    child.StartSessionChild();
    ASSERT_NE(conn.PtyStream, nullptr) << "cycle " << i;
    child.CloseSessionChild();
    ASSERT_EQ(conn.PtyStream, nullptr);
  }
  EXPECT_TRUE(ChildProcesses().empty());
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

}  // namespace
}  // namespace korvane::testing_support
