#pragma once
// The rest of the program as the settings windows see it: every call is
// recorded by name (with its argument where it has one), and the answers
// the windows ask for are set by the test.

#include <set>
#include <string>
#include <vector>

#include "ui/dialogs/DialogHost.h"

namespace korvane::fakes {

class RecordingDialogHost final : public ui::DialogHost {
 public:
  std::vector<std::string> calls;
  // Answers.
  bool prefsLocked = false, clicksBlocked = false, scrollbackShown = false, cursorKeyApplication = false;
  bool captureOpens = true;
  std::set<std::string> reservedPaths;
  std::string language = "English", prefsFolder = "/prefs/", resourcesFolder = "/resources/",
              captureFolder = "/home/me/captures";
  // What the windows handed over.
  ui::HostTransferChoice transfer;
  std::string adminPassword, sshUser;

  bool Called(const std::string& call) const {
    for (const auto& c : calls)
      if (c == call) return true;
    return false;
  }
  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }

  void SelectSessionWindowIfNone() override { calls.push_back("SelectSessionWindowIfNone"); }
  void MarkSettingsChanged() override { calls.push_back("MarkSettingsChanged"); }
  bool PrefsLocked() override { return prefsLocked; }
  void Beep() override { calls.push_back("Beep"); }
  bool SessionClicksBlocked() override { return clicksBlocked; }
  bool ScrollbackViewShown() override { return scrollbackShown; }
  void ResetScrollbackView() override { calls.push_back("ResetScrollbackView"); }
  void FunctionKeyBarClick(int control) override { calls.push_back("FunctionKeyBarClick " + std::to_string(control)); }
  void EraseTextCursor() override { calls.push_back("EraseTextCursor"); }
  void RequestRepaint() override { calls.push_back("RequestRepaint"); }
  void RedrawFunctionKeyBar() override { calls.push_back("RedrawFunctionKeyBar"); }
  void ClearScrollback() override { calls.push_back("ClearScrollback"); }
  void ClearColourPlanes() override { calls.push_back("ClearColourPlanes"); }
  void ApplyColoursAndRepaint() override { calls.push_back("ApplyColoursAndRepaint"); }
  void SetWindowOpacity(int percent) override { calls.push_back("SetWindowOpacity " + std::to_string(percent)); }
  void SessionMessage(const std::string& text) override { calls.push_back("SessionMessage " + text); }
  bool CursorKeyApplicationMode() override { return cursorKeyApplication; }
  void ApplyEmulationChoice(int item) override { calls.push_back("ApplyEmulationChoice " + std::to_string(item)); }
  void SetMenuCommandKeys() override { calls.push_back("SetMenuCommandKeys"); }
  void BuildControlStrings() override { calls.push_back("BuildControlStrings"); }
  void ClearHostStrings() override { calls.push_back("ClearHostStrings"); }
  void PrinterFontFollows() override { calls.push_back("PrinterFontFollows"); }
  void SetHtmlCapture(bool html) override { calls.push_back(html ? "SetHtmlCapture on" : "SetHtmlCapture off"); }
  void StartSecureShell(const std::string& user) override {
    sshUser = user;
    calls.push_back("StartSecureShell");
  }
  void RequestKeepAlive(const std::string& password) override {
    adminPassword = password;
    calls.push_back("RequestKeepAlive");
  }
  void RequestHostTransfer(const ui::HostTransferChoice& choice) override {
    transfer = choice;
    calls.push_back("RequestHostTransfer");
  }
  void CancelHostTransfer(bool refused) override {
    calls.push_back(refused ? "CancelHostTransfer refused" : "CancelHostTransfer");
  }
  bool StartHostNamedCapture(const std::string& path) override {
    calls.push_back("StartHostNamedCapture " + path);
    return captureOpens;
  }
  bool ReservedFileName(const std::string& path) override { return reservedPaths.count(path) != 0; }
  std::string CaptureFolder() override { return captureFolder; }
  void AbortCapture() override { calls.push_back("AbortCapture"); }
  void AnswerHost(const std::string& text) override { calls.push_back("AnswerHost " + text); }
  void ClearDialNumber() override { calls.push_back("ClearDialNumber"); }
  void OpenResourceDocument(const std::string& path) override { calls.push_back("OpenResourceDocument " + path); }
  std::string MenuLanguage() override { return language; }
  std::string PreferencesFolder() override { return prefsFolder; }
  std::string ResourcesFolder() override { return resourcesFolder; }
  std::string ProgramVersion() override { return "1.0"; }
};

}  // namespace korvane::fakes
