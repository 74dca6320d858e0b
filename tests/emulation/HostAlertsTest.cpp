// The questions and notices a host causes: none waits, one of each is up at
// a time per session, what comes meanwhile is dropped and counted, and only
// the user's OK says yes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulation/HostAlerts.h"
#include "fakes/FakeAlerts.h"
#include "platform/AlertButtons.h"

namespace korvane {
namespace {

class HostAlertsTest : public ::testing::Test {
 protected:
  HostAlertsTest() { shown.holdOpen = true; }
  fakes::FakeAlerts shown;
  HostAlerts alerts{shown};
  std::vector<bool> answers;
  std::function<void(bool)> Record() {
    return [this](bool yes) { answers.push_back(yes); };
  }
};

// The user's answer to a question, and what the host's request gets.
struct AnswerCase {
  const char* name;
  int button;
  bool yes;
};

class QuestionAnswers : public HostAlertsTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(QuestionAnswers, OnlyOkSaysYes) {
  ASSERT_TRUE(alerts.Ask("The host asks to open this file with its program:", "/home/u/a.txt", Record()));
  ASSERT_EQ(shown.shown.size(), 1u);
  EXPECT_EQ(shown.shown[0].id, platform::kAskBeforeOpeningAlert);
  EXPECT_FALSE(shown.shown[0].waited);
  EXPECT_EQ(shown.shown[0].text, "The host asks to open this file with its program:\r/home/u/a.txt");
  EXPECT_TRUE(answers.empty());  // nothing happens before the user answers
  ASSERT_TRUE(shown.AnswerOpen(GetParam().button));
  EXPECT_EQ(answers, std::vector<bool>{GetParam().yes});
  EXPECT_FALSE(alerts.QuestionUp());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuestionAnswers,
    ::testing::Values(AnswerCase{"Ok", 1, true}, AnswerCase{"Cancel", 2, false},
                      AnswerCase{"ClosedBox", platform::AlertCancelItem(platform::kAskBeforeOpeningAlert), false}),
    [](const ::testing::TestParamInfo<AnswerCase>& c) { return std::string(c.param.name); });

TEST(AskingAlerts, CancelIsTheDefaultAndWhatClosingTheBoxAnswers) {
  for (int id : {platform::kAskBeforeOpeningAlert, platform::kAskBeforeOpeningPageAlert}) {
    const auto buttons = platform::AlertButtonsFor(id);
    ASSERT_GE(buttons.size(), 2u) << id;
    EXPECT_EQ(std::string(buttons[0].title), "Cancel") << id;
    EXPECT_EQ(platform::AlertCancelItem(id), buttons[0].item) << id;
  }
}

TEST_F(HostAlertsTest, AQuestionIsUpAtATimeAndTheRestAreDroppedAndCounted) {
  ASSERT_TRUE(alerts.Ask("The host asks to run this script of your scripts folder:", "/s/one", Record()));
  for (int i = 0; i < 199; ++i)
    EXPECT_FALSE(alerts.Ask("The host asks to run this script of your scripts folder:", "/s/more", Record()));
  EXPECT_EQ(shown.shown.size(), 1u);
  EXPECT_EQ(alerts.DroppedQuestions(), 199);
  ASSERT_TRUE(shown.AnswerOpen(2));
  EXPECT_EQ(answers, std::vector<bool>{false});  // the dropped ones never answer
  // The user is told how many were dropped, once the question went.
  ASSERT_EQ(shown.shown.size(), 2u);
  EXPECT_EQ(shown.shown[1].text, "The host sent 199 more requests while its question was up; they were dropped.");
  // A new request is asked again.
  shown.AnswerOpen(1);
  EXPECT_TRUE(alerts.Ask("The host asks to run this script of your scripts folder:", "/s/two", Record()));
}

TEST_F(HostAlertsTest, PagesAreAskedUntilTheUserSaysDontAskAgain) {
  ASSERT_TRUE(alerts.AskForPage("The host asks to open this page:", "https://example.com/", Record()));
  EXPECT_EQ(shown.shown.back().id, platform::kAskBeforeOpeningPageAlert);
  shown.AnswerOpen(1);
  ASSERT_TRUE(alerts.AskForPage("The host asks to open this page:", "https://example.com/2", Record()));
  EXPECT_EQ(shown.shown.size(), 2u);  // OK alone asks again next time
  shown.AnswerOpen(platform::kOkDontAskAgainItem);
  EXPECT_TRUE(alerts.PagesAllowed());
  ASSERT_TRUE(alerts.AskForPage("The host asks to open this page:", "https://example.com/3", Record()));
  EXPECT_EQ(shown.shown.size(), 2u);  // no box any more
  EXPECT_EQ(answers, (std::vector<bool>{true, true, true}));
  // Other questions are still asked.
  EXPECT_TRUE(alerts.Ask("The host asks to open this file with its program:", "/home/u/a", Record()));
  EXPECT_EQ(shown.shown.size(), 3u);
}

TEST_F(HostAlertsTest, NoticesDoNotWaitAndOneIsUpAtATime) {
  for (int i = 0; i < 300; ++i)
    EXPECT_EQ(alerts.Show(platform::AlertKind::Note, 300, "message " + std::to_string(i)), 1);
  ASSERT_EQ(shown.shown.size(), 1u);
  EXPECT_EQ(shown.shown[0].text, "message 0");
  EXPECT_FALSE(shown.shown[0].waited);
  EXPECT_EQ(alerts.DroppedNotices(), 299);
  shown.AnswerOpen(1);
  ASSERT_EQ(shown.shown.size(), 2u);
  EXPECT_EQ(shown.shown[1].text, "The host sent 299 more messages while one was shown; they were not shown.");
  shown.AnswerOpen(1);
  EXPECT_FALSE(alerts.NoticeUp());
  alerts.Show(platform::AlertKind::Stop, 300, "next");
  EXPECT_EQ(shown.shown.back().text, "next");
}

TEST_F(HostAlertsTest, AQuestionShownAsANoticeIsNotAskedAndAnswersCancel) {
  EXPECT_EQ(alerts.Show(platform::AlertKind::Caution, platform::kAskBeforeOpeningAlert, "Open it?"), 2);
  EXPECT_TRUE(shown.shown.empty());
}

TEST_F(HostAlertsTest, BoxesGoWithTheSessionAndNeverAnswerAfterIt) {
  {
    HostAlerts session(shown);
    session.Ask("The host asks to open this file with its program:", "/a", Record());
    session.Show(platform::AlertKind::Note, 300, "hello");
    EXPECT_EQ(shown.OpenAlerts().size(), 2u);
  }
  EXPECT_EQ(shown.dismissed, 2);
  EXPECT_TRUE(shown.OpenAlerts().empty());
  EXPECT_TRUE(answers.empty());
}

TEST_F(HostAlertsTest, AnAnswerGivenAtOnceLeavesNothingUp) {
  shown.holdOpen = false;
  shown.answers = {2, 1};
  EXPECT_TRUE(alerts.Ask("q", "a", Record()));
  EXPECT_TRUE(alerts.Ask("q", "b", Record()));
  EXPECT_EQ(answers, (std::vector<bool>{false, true}));
  EXPECT_FALSE(alerts.QuestionUp());
}

}  // namespace
}  // namespace korvane
