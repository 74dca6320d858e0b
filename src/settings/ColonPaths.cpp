// Colon paths: cutting, deriving, and the translation to and from POSIX paths.

#include "settings/ColonPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/CharMap.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/UserFolders.h"

namespace korvane {

namespace {

constexpr std::string_view kPathTooLong = "Path exceeds 255 characters.";

bool HasControlCharacter(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; };
    if (lower(x) != lower(y)) return false;
  }
  return true;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// A name's "/" is a ":" on the other side, and the other way round.
std::string Swapped(std::string name, char from, char to) {
  for (char& c : name)
    if (c == from) c = to;
  return name;
}

// A Mac folder and the POSIX folder it stands for; the colon side is relative
// to the user's home folder ("Disk:Users:<user>").
struct MappedFolder {
  std::vector<std::string_view> colon;
  std::string posix;
};

// Most specific first.
std::vector<MappedFolder> MappedFolders(const FolderMap& f) {
  return {
      {{"Library", "Application Support", "Korvane", "Korvane Prefs"}, f.SettingsFolder()},
      {{"Library", "Application Support", "Korvane"}, f.ProgramFolder()},
      {{"Library", "Application Support"}, f.dataHome},
      {{"Library", "Preferences"}, f.configHome},
      {{"Library", "Fonts"}, f.dataHome.empty() ? std::string() : f.dataHome + "/fonts"},
      {{"Desktop"}, f.desktop},
      {{"Documents"}, f.documents},
      {{}, f.home},
  };
}

std::vector<std::string> PosixNames(std::string_view posix) {
  std::vector<std::string> names;
  for (std::string& n : Split(posix, '/'))
    if (!n.empty()) names.push_back(std::move(n));
  return names;
}

std::string JoinedPosix(std::string base, const std::vector<std::string>& colonNames, std::size_t from) {
  for (std::size_t i = from; i < colonNames.size(); ++i) {
    if (base.empty() || base.back() != '/') base += '/';
    base += Swapped(colonNames[i], '/', ':');
  }
  return base.empty() ? "/" : base;
}

PathResult Refused(ColonPathError error) { return {std::string(), error}; }

}  // namespace

// ---- Text ---------------------------------------------------------------------------------

std::size_t TextLength(std::string_view text) {
  std::size_t count = 0, pos = 0;
  while (pos < text.size()) {
    char32_t u;
    if (!platform::NextUtf8(text, pos, u)) ++pos;
    ++count;
  }
  return count;
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) {
    char32_t u;
    if (!platform::NextUtf8(text, pos, u)) ++pos;
  }
  return std::string(text.substr(0, pos));
}

std::string JoinText(std::string_view a, std::string_view b) {
  std::string joined(a);
  joined += b;
  return FirstCharacters(joined, kMaxColonPathLength);
}

// ---- Cutting ------------------------------------------------------------------------------

std::string FolderPartOfPath(std::string_view path) {
  const std::size_t colon = path.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  return std::string(path.substr(0, colon + 1));
}

std::string ParentFolderPath(std::string_view path) {
  const std::size_t colon = path.rfind(':');
  if (colon == std::string_view::npos) return {};
  return std::string(path.substr(0, colon));
}

std::string LastPathComponent(std::string_view path) {
  const std::size_t colon = path.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::string(path);
  return std::string(path.substr(colon + 1));
}

// ---- Derived folders --------------------------------------------------------------------------

std::string PreferencesVolume(std::string_view preferencesFolderPath) {
  return FolderPartOfPath(preferencesFolderPath);
}

std::string UserNameFromPrefs(std::string_view preferencesVolume) {
  std::string_view rest = preferencesVolume;
  for (int i = 0; i < 2; ++i) {
    const std::size_t colon = rest.find(':');
    if (colon != std::string_view::npos) rest.remove_prefix(colon + 1);
  }
  const std::size_t colon = rest.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::string(rest);
  return std::string(rest.substr(0, colon));
}

std::string HomeFolderPath(std::string_view preferencesFolderPath) {
  const std::string library = FolderPartOfPath(preferencesFolderPath);
  std::size_t first = std::string::npos, third = std::string::npos, pos = 0;
  for (int n = 1; n <= 3; ++n) {
    const std::size_t colon = library.find(':', pos);
    if (colon == std::string::npos) break;
    if (n == 1) first = colon;
    if (n == 3) third = colon;
    pos = colon + 1;
  }
  if (third != std::string::npos) return library.substr(0, third + 1);
  if (first != std::string::npos) return library.substr(0, first + 1);
  return {};
}

std::string UserFontsFolder(std::string_view preferencesFolderPath) {
  return JoinText(PreferencesVolume(preferencesFolderPath), "Fonts:");
}

// ---- The user's folders ------------------------------------------------------------------------

FolderMap FolderMap::ForThisUser() {
  FolderMap f;
  f.home = platform::posix::HomeFolder();
  if (f.home == "/") f.home.clear();
  f.configHome = platform::XdgConfigHome();
  f.dataHome = platform::posix::DataHome();
  f.desktop = platform::posix::DesktopFolder();
  f.documents = platform::posix::DocumentsFolder();
  for (std::string* folder : {&f.home, &f.configHome, &f.dataHome, &f.desktop, &f.documents}) {
    while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
    if (folder->empty() || folder->front() != '/' || *folder == "/") folder->clear();
  }
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && pw->pw_name[0]) {
    f.user = pw->pw_name;
  } else if (const char* name = std::getenv("USER"); name && name[0]) {
    f.user = name;
  } else {
    const std::size_t slash = f.home.rfind('/');
    f.user = slash == std::string::npos ? f.home : f.home.substr(slash + 1);
  }
  return f;
}

std::string FolderMap::SettingsFolder() const { return configHome.empty() ? std::string() : configHome + "/korvane"; }
std::string FolderMap::ProgramFolder() const { return dataHome.empty() ? std::string() : dataHome + "/korvane"; }
std::string FolderMap::KermitFolder() const {
  const std::string program = ProgramFolder();
  return program.empty() ? program : program + "/kermit";
}

std::string FolderMap::PreferencesFolderPath() const { return volume + ":Users:" + user + ":Library:Preferences"; }

// ---- Colon paths and POSIX paths ------------------------------------------------------------------

const char* ColonPathErrorText(ColonPathError error) {
  switch (error) {
    case ColonPathError::None: return "";
    case ColonPathError::Empty: return "the path is empty";
    case ColonPathError::TooLong: return "the path is longer than 255 characters";
    case ColonPathError::BadCharacter: return "the path holds a control character";
    case ColonPathError::EmptyName: return "the path steps up to a parent folder or holds an empty name";
    case ColonPathError::DotName: return "the path holds the name \".\" or \"..\"";
    case ColonPathError::Relative: return "the path is relative to no folder";
    case ColonPathError::NotAbsolute: return "the path does not start at the root folder";
  }
  return "";
}

PathResult ColonToPosix(std::string_view colonPath, const FolderMap& folders, std::string_view base) {
  if (colonPath.empty()) return Refused(ColonPathError::Empty);
  if (HasControlCharacter(colonPath)) return Refused(ColonPathError::BadCharacter);
  if (TextLength(colonPath) > kMaxColonPathLength) return Refused(ColonPathError::TooLong);

  const bool relative = colonPath.front() == ':' || colonPath.find(':') == std::string_view::npos;
  if (relative && colonPath.front() == ':') colonPath.remove_prefix(1);
  std::vector<std::string> names = Split(colonPath, ':');
  // A folder's path may end with ":".
  if (names.size() > 1 && names.back().empty()) names.pop_back();
  for (const std::string& n : names) {
    if (n.empty()) return Refused(ColonPathError::EmptyName);
    if (n == "." || n == "..") return Refused(ColonPathError::DotName);
  }

  if (relative) {
    if (base.empty()) return Refused(ColonPathError::Relative);
    return {JoinedPosix(std::string(base), names, 0), ColonPathError::None};
  }
  // names[0] is the volume: any volume is the root of the file system here.
  if (names.size() >= 3 && SameLetters(names[1], "Users") && !folders.user.empty() && names[2] == folders.user) {
    for (const MappedFolder& m : MappedFolders(folders)) {
      if (m.posix.empty() || names.size() < 3 + m.colon.size()) continue;
      bool match = true;
      for (std::size_t i = 0; i < m.colon.size() && match; ++i) match = SameLetters(names[3 + i], m.colon[i]);
      if (match) return {JoinedPosix(m.posix, names, 3 + m.colon.size()), ColonPathError::None};
    }
  }
  return {JoinedPosix("/", names, 1), ColonPathError::None};
}

PathResult LocalPathOf(std::string_view path, const FolderMap& folders, std::string_view base) {
  if (path.find(':') != std::string_view::npos && path.find('/') == std::string_view::npos)
    return ColonToPosix(path, folders, base);
  return {std::string(path), ColonPathError::None};
}

PathResult PosixToColon(std::string_view posixPath, const FolderMap& folders) {
  if (posixPath.empty()) return Refused(ColonPathError::Empty);
  if (posixPath.front() != '/') return Refused(ColonPathError::NotAbsolute);
  if (HasControlCharacter(posixPath)) return Refused(ColonPathError::BadCharacter);
  const std::vector<std::string> names = PosixNames(posixPath);
  for (const std::string& n : names)
    if (n == "." || n == "..") return Refused(ColonPathError::DotName);

  // The mapped folder that holds the path; the deepest wins, and of two that
  // are the same folder the plainer name.
  const MappedFolder* best = nullptr;
  std::size_t bestDepth = 0;
  const std::vector<MappedFolder> mapped = MappedFolders(folders);
  if (!folders.user.empty()) {
    for (const MappedFolder& m : mapped) {
      if (m.posix.empty() || m.posix.front() != '/') continue;
      const std::vector<std::string> prefix = PosixNames(m.posix);
      if (prefix.empty() || prefix.size() > names.size()) continue;
      bool match = true;
      for (std::size_t i = 0; i < prefix.size() && match; ++i) match = prefix[i] == names[i];
      if (!match) continue;
      if (!best || prefix.size() > bestDepth || (prefix.size() == bestDepth && m.colon.size() < best->colon.size())) {
        best = &m;
        bestDepth = prefix.size();
      }
    }
  }
  std::string colon = folders.volume + ":";
  std::size_t from = 0;
  if (best) {
    colon += "Users:" + folders.user + ":";
    for (std::string_view n : best->colon) colon += std::string(n) + ":";
    from = bestDepth;
  }
  for (std::size_t i = from; i < names.size(); ++i) colon += Swapped(names[i], ':', '/') + ":";
  // Only the volume keeps its colon at the end.
  if (colon.size() > folders.volume.size() + 1) colon.pop_back();
  if (TextLength(colon) > kMaxColonPathLength) return Refused(ColonPathError::TooLong);
  return {colon, ColonPathError::None};
}

// ---- Files by folder and name ------------------------------------------------------------------

std::string ColonPathOf(const FileLocation& file, const FolderMap& folders, platform::Alerts& alerts) {
  struct stat st {};
  // A folder that is not there has no path (as a catalogue that cannot find it).
  if (file.folder.empty() || stat(file.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  const PathResult folder = PosixToColon(file.folder, folders);
  std::string path;
  if (folder.ok()) {
    path = folder.path;
    if (path.back() != ':') path += ':';
    path += Swapped(file.name, ':', '/');
  } else if (folder.error != ColonPathError::TooLong) {
    return {};
  }
  if (!folder.ok() || TextLength(path) > kMaxBuiltPathLength) {
    alerts.Show(platform::AlertKind::Stop, 300, std::string(kPathTooLong));
    return {};
  }
  return path;
}

bool IsFileVisible(std::string_view colonPath, const FolderMap& folders) {
  const PathResult posix = ColonToPosix(colonPath, folders);
  struct stat st {};
  return posix.ok() && stat(posix.path.c_str(), &st) == 0;
}

}  // namespace korvane
