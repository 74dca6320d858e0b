// Fuzzes the host's commands as they are carried out: the input is host
// output for a session whose services record every request and whose host
// folders (home, Desktop, Documents, scripts, transfers, resources) are real
// folders in a temporary root. The user answers every question with yes, so
// that the commands go all the way. After each input, every path the
// session handed a service or the desktop must lie inside the home folder,
// nothing may have appeared in the root beside it, and the working folder
// must still be empty: a host names files only inside its folders.
//
// The input: byte 0 picks the emulation, the rest is the host output.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/RecordingServices.h"
#include "tools/korvane-replay/Replay.h"

namespace {

namespace fs = std::filesystem;

struct Folders {
  std::string root, home, cwd;
  korvane::HostFolders host;

  Folders() {
    char pattern[] = "/tmp/korvane-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    root = pattern;
    home = root + "/home";
    cwd = root + "/cwd";
    host = {home, home + "/Desktop", home + "/Documents", home + "/resources", home + "/scripts", home + "/transfers"};
    for (const std::string& d :
         {host.desktop, host.documents + "/pick", host.resources, host.scripts, host.transfers, home + "/.ssh", cwd})
      fs::create_directories(d);
    for (const std::string& f : {host.desktop + "/note.txt", host.scripts + "/run.sh", host.transfers + "/t.txt",
                                 host.resources + "/help.txt", home + "/.ssh/id_rsa"})
      std::ofstream(f) << "x\n";
    // Relative paths land here, where the check sees them.
    if (chdir(cwd.c_str()) != 0) std::abort();
  }
  ~Folders() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

// Every absolute path in a recorded call. The pictures take a name starting
// "http" as a web address (one that is not is refused there, and removing
// it matches nothing), so such a name holds no path.
std::vector<std::string> PathsIn(const std::string& call) {
  for (const char* picture : {"ShowInlinePicture http", "RemovePicture http"})
    if (call.rfind(picture, 0) == 0) return {};
  std::vector<std::string> out;
  for (size_t at = call.find('/'); at != std::string::npos; at = call.find('/', at + 1)) {
    if (at > 0 && call[at - 1] != ' ') continue;
    out.push_back(call.substr(at));
    break;  // a call names one path, at its end
  }
  return out;
}

bool Inside(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "a host command reached outside its folders: %s\n", what.c_str());
  std::abort();
}

void Check(const Folders& f, korvane::fakes::ServicesUnderTest& around) {
  // A service may be handed the home folder itself (a host path that names
  // no file in it resolves there); never anything beside or above it.
  for (const std::string& call : around.record.calls)
    for (const std::string& path : PathsIn(call))
      if (path != f.home && !Inside(path, f.home)) Fail("the service call \"" + call + "\"");
  for (const std::string& path : around.desktop.files)
    if (!Inside(path, f.home)) Fail("the desktop opened " + path);
  for (const auto& e : fs::directory_iterator(f.root)) {
    const std::string name = e.path().filename().string();
    if (name != "home" && name != "cwd") Fail("a new entry in the root: " + name);
  }
  if (!fs::is_empty(f.cwd)) Fail("something written in the working folder");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folders folders;
  static int width = 0, height = 0;
  static const bool sized = korvane::replay::WindowSizeFor(24, 80, width, height);
  if (!sized || size < 1) return 0;
  const auto& emulations = korvane::replay::Emulations();
  const size_t choice = data[0] % (emulations.size() + 1);
  const korvane::replay::Emulation* emulation = choice < emulations.size() ? &emulations[choice] : nullptr;
  korvane::replay::Options options;
  options.text = false;
  options.before = [](korvane::fakes::ServicesUnderTest& around) { around.services.folders = folders.host; };
  options.after = [](korvane::fakes::ServicesUnderTest& around) { Check(folders, around); };
  korvane::replay::ReplayToText(options, emulation, width, height,
                                std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  return 0;
}
