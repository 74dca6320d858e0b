#include "platform/posix/PosixSerialPorts.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/posix/PosixSerialPort.h"
#include "platform/posix/SerialLine.h"

namespace fs = std::filesystem;

namespace korvane::platform::posix {
namespace {

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

// The number in a sysfs attribute file, or -1.
long ReadNumber(const fs::path& p) {
  std::ifstream in(p);
  long value = -1;
  if (!(in >> value)) return -1;
  return value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "ttyS2" before "ttyS10": runs of digits compare by their value.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t ie = i, je = j;
      while (ie < a.size() && IsDigit(a[ie])) ++ie;
      while (je < b.size() && IsDigit(b[je])) ++je;
      const std::string da = a.substr(i, ie - i), db = b.substr(j, je - j);
      const std::size_t za = da.find_first_not_of('0'), zb = db.find_first_not_of('0');
      const std::string va = za == std::string::npos ? "" : da.substr(za);
      const std::string vb = zb == std::string::npos ? "" : db.substr(zb);
      if (va.size() != vb.size()) return va.size() < vb.size();
      if (va != vb) return va < vb;
      i = ie;
      j = je;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

bool IsSerialTty(const fs::path& tty, const std::string& name) {
  if (name.rfind("rfcomm", 0) == 0) return true;
  if (!Exists(tty / "device" / "driver")) return false;
  // The serial core lists every port it set up; type 0 is a port where no
  // UART answered.
  if (Exists(tty / "type") && ReadNumber(tty / "type") == 0) return false;
  return true;
}

// A name that can stand in the settings' comma-separated port list and in a
// menu: no commas, no control characters.
std::string Printable(std::string name) {
  for (char& c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == ',')
      c = '_';
    else if (u < 0x20 || u == 0x7F)
      c = '?';
  }
  return name;
}

std::string RealPathOf(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string out(real);
  free(real);
  return out;
}

void Note(const std::string& text) { std::fprintf(stderr, "korvane: %s\n", text.c_str()); }

}  // namespace

SerialDevicePlaces PosixSerialPorts::PlacesOfThisMachine(const std::string& settingsFolder) {
  SerialDevicePlaces places;
  if (const char* v = getenv("KORVANE_SERIAL_DEVICES")) places.namedInVariable = v;
  if (!settingsFolder.empty()) places.namedDevicesFile = settingsFolder + "serial-devices";
  return places;
}

std::vector<SerialPortEntry> PosixSerialPorts::CollectSerialPorts() const {
  const fs::path ttyClass = fs::path(places_.sysRoot) / "class" / "tty";
  const fs::path dev(places_.devRoot);
  std::vector<SerialPortEntry> ports;
  std::error_code ec;
  for (fs::directory_iterator it(ttyClass, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!IsSerialTty(it->path(), name) || !Exists(dev / name)) continue;
    ports.push_back({Printable(name), (dev / name).string(), {}});
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortEntry& a, const SerialPortEntry& b) { return NaturalLess(a.name, b.name); });

  // Stable names: the links in /dev/serial/by-id point at the kernel's nodes.
  std::map<std::string, std::string> stable;
  std::vector<fs::path> links;
  for (fs::directory_iterator it(dev / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec))
    links.push_back(it->path());
  std::sort(links.begin(), links.end());
  for (const fs::path& link : links) {
    std::error_code lec;
    const fs::path target = fs::read_symlink(link, lec);
    if (lec) continue;
    stable.emplace(target.filename().string(), link.filename().string());
  }
  for (SerialPortEntry& p : ports) {
    const auto found = stable.find(fs::path(p.path).filename().string());
    if (found != stable.end()) p.stableName = Printable(found->second);
  }
  return ports;
}

std::vector<std::string> PosixSerialPorts::NamedDevicePaths() const {
  std::vector<std::string> paths;
  auto add = [&paths](std::string p) {
    while (!p.empty() && (p.back() == '\r' || p.back() == ' ' || p.back() == '\t')) p.pop_back();
    const std::size_t start = p.find_first_not_of(" \t");
    if (start == std::string::npos) return;
    paths.push_back(p.substr(start));
  };
  std::stringstream variable(places_.namedInVariable);
  for (std::string p; std::getline(variable, p, ':');) add(p);
  if (!places_.namedDevicesFile.empty()) {
    std::ifstream file(places_.namedDevicesFile);
    for (std::string p; std::getline(file, p);) add(p);
  }
  return paths;
}

std::vector<SerialPortEntry> PosixSerialPorts::ListPorts() {
  std::vector<SerialPortEntry> ports = CollectSerialPorts();
  std::set<std::string> seenDevices, seenNames;
  for (const SerialPortEntry& p : ports) {
    seenDevices.insert(RealPathOf(p.path));
    seenNames.insert(p.name);
  }
  for (const std::string& path : NamedDevicePaths()) {
    if (path.front() != '/') {
      Note("serial device \"" + path + "\" is not an absolute path; it is left out");
      continue;
    }
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) {
      Note("serial device \"" + path + "\" is not there or is no device; it is left out");
      continue;
    }
    if (!seenDevices.insert(RealPathOf(path)).second) continue;
    std::string name = Printable(fs::path(path).filename().string());
    if (name.empty() || seenNames.count(name)) name = Printable(path);
    seenNames.insert(name);
    ports.push_back({name, path, {}});
  }
  return ports;
}

SerialOpenResult PosixSerialPorts::Open(const SerialOpenRequest& request) {
  SerialOpenResult result;
  // O_NONBLOCK: the open does not wait for a carrier, and the port stays
  // non-blocking so that no read or write can stop the program.
  const int fd = ::open(request.path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  auto fail = [&result, fd](int error) {
    ::close(fd);
    result.error = error;
    return std::move(result);
  };
  if (!isatty(fd)) return fail(ENOTTY);
  // Two programs on one line garble each other's bytes: take the port for
  // this program alone. The lock is what serial programs agree on; the
  // exclusive mode keeps out programs that do not lock.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return fail(EBUSY);
  ioctl(fd, TIOCEXCL);
  if (const int error = ConfigureSerialLine(fd, request.settings)) {
    ioctl(fd, TIOCNXCL);
    return fail(error);
  }
  result.port = std::make_unique<PosixSerialPort>(fd, request.path, request.inputBufferSize, request.outputLimit);
  return result;
}

}  // namespace korvane::platform::posix
