// Which addresses the program hands to the desktop.

#include <gtest/gtest.h>

#include "platform/Desktop.h"

namespace korvane::platform {
namespace {

TEST(AllowedUrl, OnlyWebAndMailAddressesWithoutBlanksOrControls) {
  const std::pair<const char*, bool> cases[] = {
      {"http://example.com/", true},
      {"HTTPS://example.com/a?b=c", true},
      {"mailto:someone@example.com", true},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"ftp://example.com", false},
      {"http://", false},
      {"http://example.com/ x", false},
      {"http://example.com/\n$(touch /tmp/x)", false},
      {"http://example.com/\x7f", false},
      {"", false},
      {" http://example.com", false},
  };
  for (const auto& [url, ok] : cases) EXPECT_EQ(AllowedUrl(url), ok) << url;
}

}  // namespace
}  // namespace korvane::platform
