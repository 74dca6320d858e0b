// Holding the host with XOFF while a serial backlog is worked off, and letting
// it go again.

#include <gtest/gtest.h>

#include "HostInputFixture.h"

namespace korvane {
namespace {

using testing_support::HostInputTest;

struct FlowCase {
  const char* name;
  int backlog;  // bytes waiting on the port when the pass starts
  int16_t xonXoff, printerOn;
  std::string written;
};

class SerialFlowControl : public HostInputTest, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(SerialFlowControl, XoffOnceAboveTheThresholdsThenXoffXonAtTheChunkEnd) {
  const FlowCase& c = GetParam();
  UseScript();
  auto* serial = OpenSerial();
  opt().XonXoffOn = c.xonXoff;
  in().PrinterOn = c.printerOn;
  serial->Feed(std::string(static_cast<size_t>(c.backlog), 'a'));
  in().ProcessHostInput();
  EXPECT_EQ(serial->written, c.written);
  EXPECT_EQ(in().XoffSent, 0);
  // The whole backlog is read in pieces of 250 within the one pass.
  EXPECT_EQ(script.seen.size(), static_cast<size_t>(c.backlog));
  EXPECT_EQ(script.seen[0].chunkCount, 250);
}

INSTANTIATE_TEST_SUITE_P(FlowControl, SerialFlowControl,
                         ::testing::Values(FlowCase{"BacklogOf8000", 8250, 1, 0, ""},
                                           FlowCase{"BacklogOf8001", 8251, 1, 0, "\x13\x13\x11"},
                                           FlowCase{"BacklogOf8001WithoutXonXoff", 8251, 0, 0, ""},
                                           FlowCase{"PrinterOn4000Waiting", 4250, 1, 1, ""},
                                           FlowCase{"PrinterOn4001Waiting", 4251, 1, 1, "\x13\x13\x11"}),
                         [](const auto& c) { return std::string(c.param.name); });

struct CollectXonCase {
  const char* name;
  int backlog;
  std::string written;
};

class CollectFlowControl : public HostInputTest, public ::testing::WithParamInterface<CollectXonCase> {};

TEST_P(CollectFlowControl, TheHostGoesAgainOnlyBelow2000Bytes) {
  auto* serial = OpenSerial();
  opt().XonXoffOn = 1;
  in().CollectMode = 1;
  in().XoffSent = 1;  // held by an earlier chunk
  serial->Feed(std::string(static_cast<size_t>(GetParam().backlog), 'a'));
  in().ProcessHostInput();
  EXPECT_EQ(serial->written, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(FlowControl, CollectFlowControl,
                         ::testing::Values(CollectXonCase{"Beyond2000", 2250, ""},
                                           CollectXonCase{"Beyond1999", 2249, "\x13\x11"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostInputTest, APtySessionSendsNoFlowControlWhateverWaits) {
  UseScript();
  auto* pty = OpenPty();
  opt().XonXoffOn = 1;
  in().PrinterOn = 1;
  pty->Feed(std::string(20000, 'a'));
  in().ProcessHostInput();
  EXPECT_EQ(pty->written, "");
}

}  // namespace
}  // namespace korvane
