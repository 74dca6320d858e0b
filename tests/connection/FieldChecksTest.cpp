// The checks that keep typed set-up lines from carrying commands.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection/FieldChecks.h"

namespace korvane {
namespace {

struct CheckRow {
  bool (*check)(std::string_view);
  const char* name;
  std::vector<std::string> good;
  std::vector<std::string> bad;
};

TEST(FieldChecks, EachFieldTakesItsOwnSetAndNothingThatAShellReads) {
  // Every check refuses these: they end a line, start or substitute a
  // command, quote, glob or expand.
  const std::vector<std::string> hostile = {
      "a;b",      "a&b", "a|b", "$(id)", "`id`",  "a'b", "a\"b", "a\\b",  "a\nb", "a\rb",
      "a\tb",     "a*",  "a?",  "a!b",   "{a,b}", "a>b", "a<b",  "$HOME", "a#b",  std::string("a\0b", 3),
      "\xe9t\xe9"};
  const std::vector<CheckRow> rows = {
      {IsValidHostName,
       "host",
       {"", "host.example", "10.0.0.7", "my-host", "::1", "[::1]", "[fe80::1:2]", "fe80::1"},
       {"-oProxyCommand=x", "-l", "a b", "[::1", "[::1]x", "[a-b]", "[]", "host_name", "h/x"}},
      {IsValidPort, "port", {"", "23", "65535"}, {"-23", "2 3", "23a", "123456", "+23"}},
      {IsValidUserName,
       "user",
       {"bob", "bob.smith", "b_o-b", "Bob2"},
       {"", "-bob", "bob smith", "bob@x", "bob/x", "~bob", "bob:x"}},
      {IsValidTerminalName,
       "terminal",
       {"", "vt220", "wy50", "xterm-256color", "wy60+w", "Prism"},
       {"vt 220", "vt_220", "vt/x", "x=y"}},
      {IsValidOptionText,
       "options",
       {"", "-8", "-8,binary", "-C -i ~/.ssh/id", "-o ServerAliveInterval=30", "-e ^X", "-b 10.0.0.1:22", "-l u@h%x"},
       {"-i a~b", "-x;y"}},
  };
  for (const CheckRow& r : rows) {
    for (const std::string& v : r.good) EXPECT_TRUE(r.check(v)) << r.name << ": " << v;
    for (const std::string& v : r.bad) EXPECT_FALSE(r.check(v)) << r.name << ": " << v;
    for (const std::string& v : hostile) EXPECT_FALSE(r.check(v)) << r.name << ": " << v;
  }
}

TEST(FieldChecks, SecureShellOptionsThatRunALocalCommand) {
  for (const char* bad : {"-oProxyCommand=nc", "-o ProxyCommand=x", "-oLocalCommand=x -oPermitLocalCommand=yes",
                          "-o KnownHostsCommand=x", "-oproxycommand=x"})
    EXPECT_TRUE(NamesLocalCommand(bad)) << bad;
  for (const char* fine : {"", "-C", "-o ServerAliveInterval=30", "-J jump.example", "-oProxyJump=jump"})
    EXPECT_FALSE(NamesLocalCommand(fine)) << fine;
}

TEST(FieldChecks, FoldersTypedForKermit) {
  for (const char* good : {"/home/u/Documents", "/home/u/.local/share/korvane/kermit", "/usr/bin", "/"})
    EXPECT_TRUE(IsTypeablePath(good)) << good;
  for (const char* bad : {"", "Documents", "/home/my docs", "/home/u/$x", "/home/u;rm", "/home/u\n"})
    EXPECT_FALSE(IsTypeablePath(bad)) << bad;
}

}  // namespace
}  // namespace korvane
