// The function-key windows: the choice of a key to edit (9), the key editor
// (27), the login-script editor (28) and the function-key options with the
// function-key documents (31).
//
// The editors show a key string in token form and change nothing until
// they are confirmed: Cancel leaves the key or script as it was.

#include <algorithm>

#include "settings/SettingsText.h"
#include "platform/MenuNumbers.h"
#include "ui/dialogs/ControlAccess.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/KeyEditing.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

namespace {

constexpr int kKeyNameField = 4, kLabelField = 5, kStringField = 6;
constexpr int kKeyPopup = 10;
// The Emulate menu's two function-key types.
constexpr int kFkeyType1Item = 22, kFkeyType2Item = 23;

struct TokenButton {
  int control;
  const char* token;
};
constexpr TokenButton kTokenButtons[] = {
    {13, "{CR"}, {14, "{BK"}, {15, "{DL"}, {18, "{CS"},  {21, "{ES"}, {22, "{RT"}, {23, "{LT"}, {24, "{UP"},
    {25, "{DN"}, {31, "{LF"}, {33, "{DF"}, {37, "{ \\"}, {39, "{ ^"}, {40, "{ ]"}, {43, "{CT"}, {44, "{PA"},
};

const char* TokenOfButton(int control) {
  for (const TokenButton& b : kTokenButtons)
    if (b.control == control) return b.token;
  return nullptr;
}

// The function keys the program carries for a local shell.
constexpr const char* kLocalShellKeys = "Fkeys/Local Shell fkeys";

}  // namespace

bool SettingsDialogs::InsertEditorToken(int window, int control) {
  const char* token = TokenOfButton(control);
  platform::Controls* c = Controls(window);
  if (!token || !c) return token != nullptr;
  platform::TextSelection selection = c->ControlTextSelection(kStringField);
  c->SetControlText(kStringField, ReplaceSelection(c->ControlText(kStringField), selection, token));
  c->SetTextSelection(kStringField, selection);
  c->SetKeyboardFocus(kStringField);
  return true;
}

// ---- Edit Fkeys Selection (9) ---------------------------------------------------------------

void SettingsDialogs::OpenFkeySelection(SessionOptions&) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kEditFkeysSelectionWindow);
  SetValue(c, kKeyPopup, editedKey_);
}

bool SettingsDialogs::FkeySelection(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kEditFkeysSelectionWindow);
  switch (control) {
    case 4: {
      const int key = Value(c, kKeyPopup);
      Close(kEditFkeysSelectionWindow);
      ConnectionDialogA(Opt, key == 0 ? 1 : key);
      return true;
    }
    case 5: Close(kEditFkeysSelectionWindow); return true;
    case kKeyPopup: return true;
    default: return false;
  }
}

// ---- The key editor (27) ------------------------------------------------------------------

void SettingsDialogs::ConnectionDialogA(SessionOptions& Opt, int key) {
  editedKey_ = std::clamp(key, 1, kFunctionKeyCount);
  const FunctionKeyName name = FunctionKeyLabel(Opt, editedKey_);
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kEditFkeysWindow);
  SetText(c, kKeyNameField, name.name);
  SetText(c, kStringField, TokenForm(Opt.FkeyStrings[static_cast<std::size_t>(editedKey_)]));
  SetText(c, kLabelField, TrimLabel(name.label));
  Focus(c, kStringField);
}

bool SettingsDialogs::FkeyEditor(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kEditFkeysWindow);
  if (InsertEditorToken(kEditFkeysWindow, control)) return true;
  switch (control) {
    case 35:
      keyCopyString_ = Text(c, kStringField);
      keyCopyLabel_ = Text(c, kLabelField);
      keyCopied_ = true;
      return true;
    case 36:
      if (!keyCopied_) {
        s_.host.Beep();
        return true;
      }
      SetText(c, kStringField, keyCopyString_);
      SetText(c, kLabelField, keyCopyLabel_);
      return true;
    case 2: {
      const std::string definition = Text(c, kStringField);
      if (!CheckKeyString(definition)) return true;
      const auto k = static_cast<std::size_t>(editedKey_);
      Opt.FkeyStrings[k] = definition;
      if (editedKey_ <= 16) {
        Opt.FkeyTitles[k] = Text(c, kLabelField);
        PadFunctionKeyLabels(Opt, editedKey_);
      } else {
        Opt.ShiftFkeyTitles[k - 16] = Text(c, kLabelField);
        PadShiftFunctionKeyLabels(Opt, editedKey_);
      }
      s_.host.MarkSettingsChanged();
      Close(kEditFkeysWindow);
      s_.host.RedrawFunctionKeyBar();
      return true;
    }
    case 3: Close(kEditFkeysWindow); return true;
    case kLabelField:
    case kStringField: return true;
    default: return false;
  }
}

// ---- The login-script editor (28) -------------------------------------------------------

void SettingsDialogs::OpenConnectionDialog(SessionOptions& Opt, const std::string& scriptName) {
  editedScriptName_ = scriptName;
  platform::Controls* c = Open(kEditLoginScriptsWindow);
  SetText(c, kKeyNameField, s_.strings.Localise(scriptName));
  SetText(c, kStringField,
          TokenForm(scriptName == "Open Connection" ? Opt.ConnectionString88 : Opt.ConnectionString89));
  Focus(c, kStringField);
}

bool SettingsDialogs::ScriptEditor(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kEditLoginScriptsWindow);
  if (InsertEditorToken(kEditLoginScriptsWindow, control)) return true;
  switch (control) {
    case 2: {
      const std::string script = Text(c, kStringField);
      if (!CheckKeyString(script)) return true;
      (editedScriptName_ == "Open Connection" ? Opt.ConnectionString88 : Opt.ConnectionString89) = script;
      s_.host.MarkSettingsChanged();
      Close(kEditLoginScriptsWindow);
      DialogF(Opt);
      return true;
    }
    case 3:
      Close(kEditLoginScriptsWindow);
      DialogF(Opt);
      return true;
    case kStringField: return true;
    default: return false;
  }
}

// ---- Fkey Options (31) and function-key documents ----------------------------------------

void SettingsDialogs::OpenFkeyOptions(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kFkeyOptionsWindow);
  if (Opt.BreakOption32) SetRadioGroup(kFkeyOptionsWindow, {13, 14}, 14);
  if (Opt.ColumnOption31) SetRadioGroup(kFkeyOptionsWindow, {13, 14}, 13);
  Set(c, 17, Opt.FkeyBarShown != 0);
  Set(c, 18, Opt.MouseOption != 0);
  SetRadioGroup(kFkeyOptionsWindow, {8, 9, 19, 20}, 0);
}

bool SettingsDialogs::FkeyOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kFkeyOptionsWindow);
  switch (control) {
    case 13:
    case 14: SetRadioGroup(kFkeyOptionsWindow, {13, 14}, control); return true;
    case 8:
    case 9:
    case 19:
    case 20:
      // A second click on the chosen way leaves the keys as they are.
      SetRadioGroup(kFkeyOptionsWindow, {8, 9, 19, 20}, On(c, control) ? control : 0);
      return true;
    case 17:
    case 18: return true;  // check boxes change themselves
    case 16: SaveFunctionKeyFile(Opt); return true;
    case 15: {
      const auto path = s_.fileDialogs.ChooseFile({platform::FileKind::FunctionKeys},
                                                  s_.strings.Localise("Select a function-key file"));
      if (!path) return true;
      ConfirmFkeyOptions(Opt);
      LoadFunctionKeyDocument(*path, Opt);
      return true;
    }
    case 1: ConfirmFkeyOptions(Opt); return true;
    case 2: Close(kFkeyOptionsWindow); return true;
    default: return false;
  }
}

void SettingsDialogs::ConfirmFkeyOptions(SessionOptions& Opt) {
  platform::Controls* c = Controls(kFkeyOptionsWindow);
  const bool reset = On(c, 8) || On(c, 19), load = On(c, 9) || On(c, 20);
  s_.host.MarkSettingsChanged();
  Opt.HostFeatureOption = 1;
  Opt.ColumnOption27 = Opt.ColumnOption28 = Opt.ColumnOption29 = Opt.ColumnOption30 = 0;
  if (On(c, 13)) {
    Opt.ColumnOption31 = 1;
    Opt.BreakOption32 = 0;
  }
  if (On(c, 14)) {
    Opt.BreakOption32 = 1;
    Opt.ColumnOption31 = 0;
  }
  Opt.FkeyBarShown = On(c, 17) ? 1 : 0;
  Opt.MouseOption = On(c, 18) ? 1 : 0;
  Close(kFkeyOptionsWindow);
  if (reset) {
    Opt.FkeySetType = Opt.EmuWyse50 ? 1 : 0;
    LoadBuiltInKeyLabels(Opt);
    s_.host.RedrawFunctionKeyBar();
  }
  if (load) LoadFunctionKeyDocument(s_.host.ResourcesFolder() + kLocalShellKeys, Opt, true);
}

bool SettingsDialogs::LoadFunctionKeyDocument(const std::string& path, SessionOptions& Opt, bool required) {
  constexpr std::size_t kMaxBytes = 256 * 1024;
  std::string bytes, file = path;
  if (required && s_.requiredFiles) {
    // The check has told the user why, and they did not find it.
    if (ReadRequiredFile(file, kMaxBytes, bytes, s_.files, s_.alerts, *s_.requiredFiles) != 0) return false;
  } else if (const int error = s_.files.ReadFile(file, bytes, kMaxBytes)) {
    Stop(path, " could not be read:", "\r", platform::FileErrorText(error));
    return false;
  }
  if (!ReadFunctionKeyFile(bytes, Opt)) {
    Stop(file, " is not a function-key file: it holds fewer than 64 lines.");
    return false;
  }
  s_.menus.MarkItem(platform::kEmulateMenu, kFkeyType1Item, false);
  s_.menus.MarkItem(platform::kEmulateMenu, kFkeyType2Item, false);
  s_.host.MarkSettingsChanged();
  s_.host.RedrawFunctionKeyBar();
  s_.host.RequestRepaint();
  return true;
}

void SettingsDialogs::SaveFunctionKeyFile(SessionOptions& Opt) {
  const auto path =
      s_.fileDialogs.ChooseNewFile(platform::FileKind::FunctionKeys, s_.strings.Localise("Please name your Fkey file"),
                                   s_.strings.Localise("Function keys"));
  if (!path) return;
  if (IsProtectedFkeyFileName(*path)) {
    Stop("Delete Error! You cannot overwrite this file. It is an original Korvane Fkey Defaults file");
    return;
  }
  if (s_.host.ReservedFileName(*path)) return;
  if (const int error = s_.files.ReplaceFile(*path, FunctionKeyFileBytes(Opt)))
    Stop(*path, " could not be saved:", "\r", platform::FileErrorText(error));
}

}  // namespace korvane::ui
