#pragma once
// Settings files of one session: the built-in defaults, the writer of the
// function keys and settings lines, the reader that loads and then applies
// them, and the settings documents.
//
// The writer works on a copy: saving never changes the session. Files are
// replaced atomically, and a file that cannot be written is reported and left
// as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Alerts.h"
#include "platform/Files.h"
#include "settings/FileKinds.h"
#include "settings/Preferences.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsText.h"
#include "settings/SessionOptions.h"
#include "settings/SettingsState.h"

namespace korvane {

// Settings files larger than this are not settings files (a full one is well
// under 200 KB) and are not read.
constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

class Settings {
 public:
  Settings(SessionOptions& options, SettingsState& state, Preferences& prefs, platform::Files& files,
           platform::Alerts& alerts, SettingsHost& host);

  // ---- Defaults ---------------------------------------------------------------
  // Sets every built-in default and recomputes the cell metrics.
  void SetDefaultSettings();

  // ---- Writing ------------------------------------------------------------------
  // The lines of a settings file for the session as it is now: the 64
  // function-key lines and, with `settingsPart`, the 177 settings lines.
  std::vector<std::string> WriteFkeysAndSettings(bool settingsPart) const;
  // Writes the function keys to "Fkeydefaults" in the settings folder.
  bool SaveFkeyDefaults();
  // Writes the function keys and the settings lines to a file.
  bool WriteSettingsFile(const std::string& path);

  // ---- Reading -------------------------------------------------------------------
  // Reads the 64 function-key lines from `file5`, then the 177 settings lines
  // from "defaults" or, with St.ReadFromOpenFile, from the same file; then
  // applies them.
  void ReadDefaultSettings(SettingsLineReader& file5);
  // Reads a settings document (function keys and settings) into the session.
  // Returns 0, or the error that kept the file from being read (reported in an
  // alert unless the file does not exist). A file that is not a settings
  // document (empty, not text, cut short, or holding no settings) is refused
  // with an alert that names it, and EINVAL; the session is left as it was.
  int ReadSettingsDocument(const std::string& path);
  // The start-up read: the function keys of "Fkeydefaults" (the program's own
  // when it is missing), then "defaults".
  void ReadStartupSettings();

  // ---- Settings documents ------------------------------------------------------
  // Writes the session's settings to its settings document (the window's
  // temporary file while every window keeps its own), asking for a name when
  // the ask flags say so. True when a file was written.
  bool SaveSettingsAs(int16_t window);
  // A name for a file the program is about to write over: true (with an
  // alert) when it would overwrite one of the program's own files.
  bool CheckReservedFileName(const std::string& path);
  void OpenSettingsDocument(DocumentKind kind, const std::string& path);
  // The path of a file of the settings folder; "<path> Path not found!" when
  // it does not exist.
  std::string PrefsFilePath(const std::string& relativePath);
  // Removes window n's temporary settings file and forgets it.
  void DeleteTempSettingsFile(int16_t window);

  SessionOptions& Opt;
  SettingsState& St;
  Preferences& prefs;

 private:
  void ReadFunctionKeys(SettingsLineReader& file);
  void ReadSettingsLines(SettingsLineReader& file);
  void ReadKeywordLine(int line, const std::string& text);
  void ApplyShortFileValue(int line, SettingsLineReader& file);
  void ApplySettings(bool takeFunctionKeys);
  // Keys and labels from the function-key file the program carries for the
  // session's emulation; the built-in set when that file cannot be read.
  void LoadBundledFunctionKeys();
  void SetDefaultArrowStrings();
  bool WriteLines(const std::string& path, const std::vector<std::string>& lines);
  void ReportUnreadable(const std::string& path, int error);

  platform::Files& files_;
  platform::Alerts& alerts_;
  SettingsHost& host_;
};

}  // namespace korvane
