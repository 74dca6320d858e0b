// Programs run beside Korvane: started from an argument vector, their
// output and exit collected without waiting, stopped on request.

#include <gtest/gtest.h>
#include <time.h>

#include <cerrno>

#include "platform/posix/PosixPrograms.h"

namespace korvane::platform::posix {
namespace {

// Asks until the program has ended (five seconds at most).
bool WaitForEnd(PosixPrograms& programs, int id, ProgramExit& exit) {
  for (int i = 0; i < 500; ++i) {
    if (programs.ProgramEnded(id, exit)) return true;
    timespec ts{0, 10 * 1000 * 1000};
    nanosleep(&ts, nullptr);
  }
  return false;
}

TEST(PosixPrograms, ArgumentsReachTheProgramAsTheyAre) {
  PosixPrograms programs;
  int id = 0;
  // Quotes, blanks and a semicolon are plain text to the program: no shell.
  ASSERT_EQ(programs.StartProgram({"printf", "%s|", "a b", "'q'", "x; echo no"}, id), 0);
  ProgramExit exit;
  ASSERT_TRUE(WaitForEnd(programs, id, exit));
  EXPECT_TRUE(exit.exited);
  EXPECT_EQ(exit.status, 0);
  EXPECT_EQ(exit.output, "a b|'q'|x; echo no|");
}

TEST(PosixPrograms, TheExitStatusAndTheErrorOutputAreCollected) {
  PosixPrograms programs;
  int id = 0;
  ASSERT_EQ(programs.StartProgram({"ls", "/no/such/file/for/korvane"}, id), 0);
  ProgramExit exit;
  ASSERT_TRUE(WaitForEnd(programs, id, exit));
  EXPECT_TRUE(exit.exited);
  EXPECT_NE(exit.status, 0);
  EXPECT_NE(exit.output.find("/no/such/file/for/korvane"), std::string::npos);
  // Once seen, the program is forgotten.
  EXPECT_TRUE(programs.ProgramEnded(id, exit));
  EXPECT_EQ(exit.status, 127);
}

TEST(PosixPrograms, AMissingProgramIsReportedAtTheStart) {
  PosixPrograms programs;
  int id = 0;
  EXPECT_EQ(programs.StartProgram({"korvane-no-such-program"}, id), ENOENT);
  EXPECT_EQ(programs.StartProgram({}, id), EINVAL);
}

TEST(PosixPrograms, ARunningProgramIsNotWaitedForAndCanBeStopped) {
  PosixPrograms programs;
  int id = 0;
  ASSERT_EQ(programs.StartProgram({"sleep", "30"}, id), 0);
  ProgramExit exit;
  EXPECT_FALSE(programs.ProgramEnded(id, exit));
  programs.StopProgram(id);
  EXPECT_TRUE(programs.ProgramEnded(id, exit));
  EXPECT_EQ(exit.status, 127);
}

TEST(PosixPrograms, QuittingEndsProgramsStillRunningWithinASecond) {
  timespec start{}, end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  {
    PosixPrograms programs;
    int id = 0;
    ASSERT_EQ(programs.StartProgram({"sleep", "30"}, id), 0);
  }
  clock_gettime(CLOCK_MONOTONIC, &end);
  EXPECT_LT(end.tv_sec - start.tv_sec + (end.tv_nsec - start.tv_nsec) / 1e9, 1.0);
}

}  // namespace
}  // namespace korvane::platform::posix
