#pragma once
// The program's dialog windows: the settings and connection windows, the
// function-key editor, the secure-shell user name and the host's file
// windows, opened for a session window and served from the main loop.
//
// Each dialog window belongs to the session window it was opened for (and a
// window opened from it, to the same session): what it shows comes from that
// session's settings and what it stores goes back to them, even when the user
// has brought another session window to the front in between. A window whose
// session has been closed meanwhile is closed without storing anything.
//
// A change of a saved setting, made while a dialog acts, marks its session's
// settings as changed, so that closing the window asks whether to save them.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/KeepAliveSetup.h"
#include "emulation/SessionServices.h"
#include "settings/ProgramDocuments.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class App;

class ProgramDialogs {
 public:
  explicit ProgramDialogs(App& app);
  ~ProgramDialogs();
  ProgramDialogs(const ProgramDialogs&) = delete;
  ProgramDialogs& operator=(const ProgramDialogs&) = delete;

  // ---- Opening, for session window `w` -------------------------------------------
  // Numbered window `window`, filled from the session's settings, as the menu
  // item that opens it does. A number that names no window the menus open is
  // refused with an alert.
  void OpenDialog(SessionWindow& w, int window);
  // "Enter SSH User Name".
  void AskSshUserName(SessionWindow& w);
  // The function-key editor, for the key edited last (F1 at first).
  void OpenFunctionKeyEditor(SessionWindow& w);
  // Loads a function-key document into the session's keys; a file that is no
  // such document is reported and changes nothing.
  void LoadFunctionKeyDocument(SessionWindow& w, const std::string& path);
  // "File will be saved as", with the path the host named.
  void OpenHostNamedFile(SessionWindow& w, const std::string& hostPath);
  // "Host-to-Computer Transfer", with the command that starts the host's data.
  void OpenHostTransfer(SessionWindow& w, const std::string& command);
  // "Enter Phone Number", for the QuickDial service file at `path`.
  void OpenPhoneNumber(SessionWindow& w, const std::string& path, const std::string& number);
  // The "Save Settings as" dialog: the chosen path, or nothing when the user
  // cancels.
  std::optional<std::string> AskSettingsFileName(const std::string& proposed);

  // ---- The main loop ---------------------------------------------------------------
  // A control hit in window `window`: a session window's own controls (the
  // function-key bar), or a dialog window's.
  void DoDialog(int window, int control);
  // The close box of dialog window `window`: what its Cancel does, or a plain
  // close for a window without one.
  void CloseBox(int window);
  // Closes the emulation notice when its time is up, and steps the
  // keep-alive set-up.
  void IdlePass();
  // Nothing is timed: no notice that closes itself, no keep-alive set-up.
  bool Idle() const { return !dialogs_.NoticeUp() && !keepAlive_.Running(); }
  // Ends a keep-alive set-up still running (the program quits).
  void EndKeepAlive() { keepAlive_.End(); }

  // The session window dialog window `window` belongs to (0: none known).
  int OwnerOf(int window) const;
  // The settings windows themselves (for tests: the key being edited).
  ui::SettingsDialogs& Windows() { return dialogs_; }

 private:
  class Host;
  // Runs `act` with `w` as the session the windows act for, then notes which
  // dialog windows belong to it and marks its settings changed when a saved
  // setting changed.
  template <class Act>
  void ForSession(SessionWindow& w, Act&& act);
  // The session a dialog window's event acts for; null when it has none left.
  SessionWindow* SessionOfDialog(int window);
  void ForgetClosedWindows();
  // The Keep-Alive window's OK: one set-up at a time, for `minutes`.
  void StartKeepAlive(int minutes, const std::string& password);
  void ShowKeepAliveResult(const KeepAliveSetup::Result& result);

  App& app_;
  std::unique_ptr<Host> host_;
  ProgramDocuments documents_;
  ui::SettingsDialogs dialogs_;
  // Dialog window number -> the session window it was opened for.
  std::map<int, int> owners_;
  KeepAliveSetup keepAlive_;
};

// The dialog service of one session window.
class SessionDialogService final : public DialogService {
 public:
  SessionDialogService(ProgramDialogs& dialogs, SessionWindow& window) : dialogs_(dialogs), window_(window) {}
  void AskSshUserName() override { dialogs_.AskSshUserName(window_); }
  void OpenFunctionKeyEditor() override { dialogs_.OpenFunctionKeyEditor(window_); }
  void LoadFunctionKeyDocument(const std::string& path) override { dialogs_.LoadFunctionKeyDocument(window_, path); }
  std::optional<std::string> AskSettingsFileName(const std::string& proposed) override {
    return dialogs_.AskSettingsFileName(proposed);
  }
  void OpenDialog(int window) override { dialogs_.OpenDialog(window_, window); }
  void OpenHostNamedFile(const std::string& hostPath) override { dialogs_.OpenHostNamedFile(window_, hostPath); }
  void OpenHostTransfer(const std::string& command) override { dialogs_.OpenHostTransfer(window_, command); }
  void OpenPhoneNumber(const std::string& path, const std::string& number) override {
    dialogs_.OpenPhoneNumber(window_, path, number);
  }

 private:
  ProgramDialogs& dialogs_;
  SessionWindow& window_;
};

}  // namespace korvane::app
