// The pace of script events on the program's clock: one event at a time, in
// arrival order, 200 ms before each (none while the program starts up), and
// a "wait" that holds its answer and every later event without stopping the
// program.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeScreenHost.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingScriptTarget.h"
#include "platform/NullPort.h"
#include "scripting/ScriptEventQueue.h"
#include "screen/Screen.h"

namespace korvane::scripting {
namespace {

class ScriptEventQueueTest : public ::testing::Test {
 protected:
  ScriptEventQueueTest()
      : port(800, 600),
        screen(options, port, screenHost),
        target(&screen, &options),
        commands(target),
        queue(commands, target, clock) {
    target.hostConnected = true;
  }
  // Queues an event whose outcome lands in `done` as "id:reply".
  void Submit(const char* cls, const char* id, const char* text = "") {
    ASSERT_TRUE(queue.Submit({cls, id, text, {}}, [this, id](const ScriptOutcome& o) {
      done.push_back(std::string(id) + ":" + o.replyText + (o.result ? " " + std::to_string(o.result) : ""));
      busyAtAnswer.push_back(screen.ScriptCommandBusy);
    }));
  }

  SessionOptions options;
  platform::NullPort port;
  fakes::FakeScreenHost screenHost;
  Screen screen;
  fakes::FakeClock clock;
  fakes::RecordingScriptTarget target;
  ScriptCommandSet commands;
  ScriptEventQueue queue;
  std::vector<std::string> done;
  std::vector<int> busyAtAnswer;
};

TEST_F(ScriptEventQueueTest, EveryEventWaits200MsAndTheyRunInOrder) {
  Submit("cstm", "mssh", "one");
  Submit("conx", "icno");
  Submit("dial", "xxxx");
  EXPECT_EQ(queue.Service(), 200);
  clock.AdvanceMs(199);
  EXPECT_EQ(queue.Service(), 1);
  EXPECT_TRUE(done.empty());
  EXPECT_TRUE(target.journal.empty()) << "nothing is asked of the program before the pause ends";
  clock.AdvanceMs(1);
  EXPECT_EQ(queue.Service(), 200) << "the next event starts its own pause";
  EXPECT_EQ(done, (std::vector<std::string>{"mssh:Message sent to host"}));
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), 200);
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), -1);
  EXPECT_EQ(done, (std::vector<std::string>{"mssh:Message sent to host", "icno:Yes", "xxxx: -1708"}))
      << "an event outside the command set is paced too";
  EXPECT_EQ(busyAtAnswer, (std::vector<int>{0, 0, 0}));
}

TEST_F(ScriptEventQueueTest, NoPauseWhileStartingUp) {
  target.startingUp = true;
  Submit("conx", "icno");
  EXPECT_EQ(queue.Service(), -1);
  EXPECT_EQ(done, (std::vector<std::string>{"icno:Yes"}));
}

TEST_F(ScriptEventQueueTest, WaitHoldsItsAnswerAndLaterEventsWithoutBlocking) {
  Submit("cmds", "wait", "2.9");
  Submit("cstm", "mssh", "after");
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), 2000) << "2.9 seconds are 2";
  EXPECT_EQ(screen.ScriptCommandBusy, 0) << "host output keeps reaching the scroll-back during the wait";
  clock.AdvanceMs(1999);
  EXPECT_EQ(queue.Service(), 1);
  EXPECT_TRUE(done.empty());
  EXPECT_TRUE(target.journal.empty());
  clock.AdvanceMs(1);
  EXPECT_EQ(queue.Service(), 200);
  EXPECT_EQ(done, (std::vector<std::string>{"wait:"}));
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), -1);
  EXPECT_EQ(target.journal, (std::vector<std::string>{"RequestMessageToHost after"}));
}

TEST_F(ScriptEventQueueTest, AnEventWaitsWhileTheProgramHoldsEventsThenRunsAtOnce) {
  Submit("cstm", "mssh", "ls");
  Submit("xfer", "line", "1");
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), 200);
  // The message waits for the host's answer: the row is not read meanwhile.
  target.holdsEvents = true;
  clock.AdvanceMs(200);
  EXPECT_EQ(queue.Service(), ScriptEventQueue::kHoldPollMs);
  clock.AdvanceMs(4000);
  EXPECT_EQ(queue.Service(), ScriptEventQueue::kHoldPollMs);
  EXPECT_EQ(done, (std::vector<std::string>{"mssh:Message sent to host"}));
  target.holdsEvents = false;
  EXPECT_EQ(queue.Service(), -1) << "its pause is long over";
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[1].substr(0, 5), "line:");
}

TEST_F(ScriptEventQueueTest, AnEventThatRunsTheEventLoopIsNotRunAgainFromThere) {
  target.startingUp = true;
  // The clipboard's alert runs the event loop, whose timer serves the queue.
  std::vector<int64_t> nested;
  target.onAction = [&] { nested.push_back(queue.Service()); };
  Submit("xfer", "apnd", "one");
  Submit("xfer", "apnd", "two");
  EXPECT_EQ(queue.Service(), -1);
  EXPECT_EQ(target.journal, (std::vector<std::string>{"AppendLineToClipboard one", "AppendLineToClipboard two"}));
  EXPECT_EQ(nested, (std::vector<int64_t>{ScriptEventQueue::kHoldPollMs, ScriptEventQueue::kHoldPollMs}));
  EXPECT_EQ(done, (std::vector<std::string>{"apnd:", "apnd:"}));
}

TEST_F(ScriptEventQueueTest, WaitWithoutANumberOrBelowOneDoesNotWait) {
  target.startingUp = true;
  for (const char* text : {"x", "0", "-3", "0.9"}) {
    Submit("cmds", "wait", text);
    EXPECT_EQ(queue.Service(), -1) << text;
  }
  EXPECT_EQ(done.size(), 4u);
}

TEST_F(ScriptEventQueueTest, AnAnswerMayQueueTheNextEvent) {
  target.startingUp = true;
  ASSERT_TRUE(queue.Submit({"conx", "icno", "", {}}, [this](const ScriptOutcome&) {
    done.push_back("first");
    Submit("cstm", "mssh", "second");
  }));
  EXPECT_EQ(queue.Service(), -1);
  EXPECT_EQ(done, (std::vector<std::string>{"first", "mssh:Message sent to host"}));
}

TEST_F(ScriptEventQueueTest, TooManyWaitingEventsAreRefused) {
  for (size_t i = 0; i < ScriptEventQueue::kMaxWaiting; ++i)
    ASSERT_TRUE(queue.Submit({"conx", "icno", "", {}}, nullptr));
  EXPECT_FALSE(queue.Submit({"conx", "opnc", "", {}}, nullptr));
  EXPECT_EQ(queue.Waiting(), ScriptEventQueue::kMaxWaiting);
  clock.AdvanceMs(200 * ScriptEventQueue::kMaxWaiting);
  EXPECT_EQ(queue.Service(), 200) << "one event per pause";
}

}  // namespace
}  // namespace korvane::scripting
