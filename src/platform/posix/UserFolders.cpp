#include "platform/posix/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace korvane::platform::posix {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

const passwd* Me() { return getpwuid(getuid()); }

std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
  const std::string v = Env(variable);
  if (!v.empty() && v.front() == '/') return v;
  return HomeFolder() + "/" + fallbackUnderHome;
}

}  // namespace

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (home.empty())
    if (const passwd* pw = Me(); pw && pw->pw_dir) home = pw->pw_dir;
  if (home.empty()) home = "/";
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

std::string DataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

namespace {

// A folder of the user-dirs file in $XDG_CONFIG_HOME (default ~/.config),
// e.g. XDG_DOCUMENTS_DIR="$HOME/Documents"; empty when it names none.
std::string UserDir(const std::string& key) {
  const std::string home = HomeFolder();
  std::ifstream dirs(XdgFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    if (!value.empty() && value.front() == '/') return value;
  }
  return {};
}

}  // namespace

std::string DocumentsFolder() {
  const std::string dir = UserDir("XDG_DOCUMENTS_DIR=");
  return dir.empty() ? HomeFolder() + "/Documents" : dir;
}

std::string DesktopFolder() {
  const std::string dir = UserDir("XDG_DESKTOP_DIR=");
  return dir.empty() ? HomeFolder() + "/Desktop" : dir;
}

std::string LoginShell() {
  if (const passwd* pw = Me(); pw && pw->pw_shell && pw->pw_shell[0] == '/') return pw->pw_shell;
  const std::string shell = Env("SHELL");
  return !shell.empty() && shell.front() == '/' ? shell : "/bin/sh";
}

}  // namespace korvane::platform::posix
