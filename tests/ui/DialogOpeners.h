#pragma once
// Opens each settings window as the program does, filled from a record.

#include <gtest/gtest.h>

#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

inline void OpenWindow(SettingsDialogs& dialogs, SessionOptions& Opt, int n) {
  switch (n) {
    case 5: dialogs.OpenAboutBox(); break;
    case 9: dialogs.OpenFkeySelection(Opt); break;
    case 13: dialogs.OpenColours(Opt); break;
    case 15: dialogs.OpenTelnetOptions(Opt); break;
    case 16: dialogs.OpenShellOptions(Opt); break;
    case 17: dialogs.OpenSshOptions(Opt); break;
    case 18: dialogs.OpenPreferences(Opt); break;
    case 20: dialogs.OpenTransparency(Opt); break;
    case 24: dialogs.OpenKeepAlive(Opt); break;
    case 25: dialogs.OpenModemInitialization(Opt); break;
    case 26: dialogs.OpenQuickDial(); break;
    case 27: dialogs.ConnectionDialogA(Opt, 3); break;
    case 28: dialogs.OpenConnectionDialog(Opt, "Open Connection"); break;
    case 29: dialogs.RefreshDialogControl(Opt); break;
    case 30: dialogs.OpenInternational(Opt); break;
    case 31: dialogs.OpenFkeyOptions(Opt); break;
    case 32: dialogs.OpenCaptureApplication(Opt); break;
    case 33: dialogs.OpenPhoneNumber("/prefs/Service.qdial", "555-1234"); break;
    case 34: dialogs.SettingsDialogB(Opt); break;
    case 35: dialogs.SettingsDialogA(Opt); break;
    case 36: dialogs.SettingsDialogC(Opt); break;
    case 37: dialogs.SettingsDialogD(Opt); break;
    case 38: dialogs.PrinterFontDialog(Opt); break;
    case 39: dialogs.DialogE(Opt); break;
    case 40: dialogs.DialogF(Opt); break;
    case 41: dialogs.OpenHostTransfer({}); break;
    case 42: dialogs.OpenHostNamedFile("notes.txt"); break;
    case 43: dialogs.TellEmulation(Opt, "Wyse 60"); break;
    case 44: dialogs.OpenArrowKeys(Opt); break;
    case 46: dialogs.OpenSshUserName(); break;
    default: ADD_FAILURE() << "no opener for window " << n;
  }
}

}  // namespace korvane::ui
