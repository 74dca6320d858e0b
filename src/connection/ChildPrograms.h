#pragma once
// The programs and folders a session's child is made of: the shell the
// set-up lines are typed into, the telnet client, the login shell that stands
// for the login program, the program's own kermit folder and the Documents
// folder that receives kermit transfers. ForThisUser() reads them from the
// environment; tests point them at their own programs and folders.

#include <string>

namespace korvane {

// The command line that stands for the system's login program: the user's
// login shell is started as a login shell in its place.
inline constexpr const char* kLoginProgram = "/usr/bin/login";

struct ChildPrograms {
  std::string Tcsh = "/bin/tcsh";
  std::string Telnet = "/usr/bin/telnet";
  std::string LoginShell = "/bin/sh";
  std::string HomeFolder = "/";
  // The kermit folder of the program's data folder; kermit is looked for
  // there first, then along PATH.
  std::string KermitAppFolder;
  std::string DocumentsFolder;
  // "Version " followed by the program's version number.
  std::string VersionText;
  // The folder of the terminal descriptions Korvane ships (compiled, as
  // terminfo keeps them), which every child finds through TERMINFO_DIRS;
  // empty when there is none.
  std::string TerminfoFolder;
  // TERMINFO_DIRS as the program was given it (its folders are kept after
  // Korvane's own); empty when it was not set.
  std::string InheritedTerminfoDirs;
  // An installed ISO 8859-1 locale for sessions that show those characters;
  // empty when none is installed.
  std::string Latin1Locale;

  static ChildPrograms ForThisUser();
};

}  // namespace korvane
