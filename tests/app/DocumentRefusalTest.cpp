// Files given to the program that are not settings documents: each is refused
// with an alert that names it, and no session is made from it (no telnet
// session of built-in defaults, no blank window).

#include <algorithm>

#include "app/AppFixture.h"

namespace korvane::testing {
namespace {

class DocumentRefusal : public AppFixture {};

TEST_F(DocumentRefusal, AFileThatIsNotASettingsDocumentIsRefusedByName) {
  // A real document, cut after its hundredth line.
  WriteDocument(files, "/docs/whole", LocalProgram("/usr/local/bin/host"));
  std::string cut;
  {
    const std::string& whole = files.files.at("/docs/whole");
    size_t at = 0;
    for (int line = 0; line < 100; ++line) at = whole.find('\n', at) + 1;
    cut = whole.substr(0, at);
  }
  const struct {
    const char* path;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"/docs/empty file", "", "it is empty."},
      {"/docs/picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "it is not a text file."},
      {"/docs/cut at 100", cut, "it is cut short."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    files.files.clear();
    files.files[c.path] = c.bytes;
    alerts.shown.clear();
    processes.starts.clear();
    Start({c.path});
    const std::string name = std::string(c.path).substr(6);
    const auto told = std::find_if(alerts.shown.begin(), alerts.shown.end(), [&](const auto& a) {
      return a.text.find(name) != std::string::npos && a.text.find(c.reason) != std::string::npos;
    });
    EXPECT_NE(told, alerts.shown.end()) << (alerts.shown.empty() ? "no alert" : alerts.shown[0].text);
    // Nothing was started from it, and no window carries its name.
    EXPECT_TRUE(processes.starts.empty());
    for (const std::string& item : WindowItems()) EXPECT_EQ(item.find(name), std::string::npos) << item;
    app.reset();
  }
}

}  // namespace
}  // namespace korvane::testing
