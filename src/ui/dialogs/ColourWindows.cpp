// The windows of colours and text styles: Colors (13), Transparency (20)
// and Video Attributes (39).

#include <cstdlib>

#include "ui/dialogs/ControlAccess.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

namespace {

// The pop-up menus of the six colour roles: reverse, dim (mode 2), bold,
// underline, text and background.
constexpr int kFirstColourPopup = 100;

struct ColourPreset {
  int control;
  std::array<int16_t, 6> roles;
  int16_t opacity;
};
constexpr ColourPreset kColourPresets[] = {
    {10, {9, 13, 16, 9, 18, 17}, 100}, {12, {13, 7, 16, 9, 9, 14}, 95}, {13, {10, 12, 2, 12, 17, 9}, 89},
    {14, {1, 9, 16, 9, 11, 3}, 95},    {17, {12, 3, 2, 8, 17, 18}, 88},
};

// The attribute colours give way to the host's ANSI colours: their pop-ups
// show no colour and take no choice.
void ResetButtons100To103(platform::Controls* c) {
  for (int id = 100; id <= 103; ++id) {
    Enable(c, id, false);
    SetValue(c, id, 0);
  }
}

}  // namespace

// ---- Colors (13) ---------------------------------------------------------------------------

void SettingsDialogs::OpenColours(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kColoursWindow);
  colourWork_ = {0,
                 Opt.ReverseColour,
                 Opt.Mode2Colour,
                 Opt.BoldColour,
                 Opt.UnderlineColour,
                 Opt.CurrentForeColour,
                 Opt.BackgroundColour};
  for (int role = 1; role <= 6; ++role) {
    Enable(c, kFirstColourPopup + role - 1, true);
    SetValue(c, kFirstColourPopup + role - 1, colourWork_[static_cast<std::size_t>(role)]);
  }
  ansiColoursWork_ = Opt.ColourModeA;
  opacityWork_ = Opt.WindowOpacity;
  Set(c, 15, Opt.Option141 != 0);
  if (Opt.ColourModeA) ResetButtons100To103(c);
  Set(c, 7, Opt.ColourModeA != 0);
  Set(c, 16, Opt.ColourModeB != 0);
}

void SettingsDialogs::ApplyColourPreset(int control) {
  platform::Controls* c = Controls(kColoursWindow);
  for (const ColourPreset& p : kColourPresets) {
    if (p.control != control) continue;
    for (int role = 1; role <= 6; ++role) {
      colourWork_[static_cast<std::size_t>(role)] = p.roles[static_cast<std::size_t>(role - 1)];
      Enable(c, kFirstColourPopup + role - 1, true);
      SetValue(c, kFirstColourPopup + role - 1, p.roles[static_cast<std::size_t>(role - 1)]);
    }
    opacityWork_ = p.opacity;
    if (control == 10) {
      ansiColoursWork_ = 0;
      Set(c, 7, false);
      Set(c, 16, false);
    } else if (ansiColoursWork_) {
      ResetButtons100To103(c);
      Set(c, 7, true);
    } else {
      Set(c, 7, false);
    }
    Set(c, 15, false);
  }
}

bool SettingsDialogs::Colours(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kColoursWindow);
  if (control >= kFirstColourPopup && control <= kFirstColourPopup + 5) {
    const int value = Value(c, control);
    if (value >= 1)
      colourWork_[static_cast<std::size_t>(control - kFirstColourPopup + 1)] = static_cast<int16_t>(value);
    return true;
  }
  auto restoreAttributeColours = [&] {
    for (int id = 100; id <= 103; ++id) {
      Enable(c, id, true);
      SetValue(c, id, colourWork_[static_cast<std::size_t>(id - kFirstColourPopup + 1)]);
    }
  };
  switch (control) {
    case 7:
      if (On(c, 7)) {
        ansiColoursWork_ = 1;
        ResetButtons100To103(c);
        Set(c, 16, false);
      } else {
        ansiColoursWork_ = 0;
        restoreAttributeColours();
        Set(c, 7, false);
        Set(c, 15, false);
      }
      return true;
    case 16:
      if (On(c, 16)) {
        ansiColoursWork_ = 0;
        Set(c, 7, false);
        restoreAttributeColours();
      }
      return true;
    case 15: return true;
    case 8: ConfirmColours(Opt); return true;
    case 9: Close(kColoursWindow); return true;
    case 10:
    case 12:
    case 13:
    case 14:
    case 17: ApplyColourPreset(control); return true;
    default: return false;
  }
}

void SettingsDialogs::ConfirmColours(SessionOptions& Opt) {
  platform::Controls* c = Controls(kColoursWindow);
  // What the window would store; nothing is stored until every check passes.
  const bool wyseColours = On(c, 16);
  const int16_t modeA = wyseColours ? 0 : ansiColoursWork_;
  const int16_t background = colourWork_[6];
  if (Opt.ScoAnsiMode && modeA == 0) {
    Stop("SCO ANSI is enabled (under the Emulate Menu). You cannot disable Ansi Colors when SCO ANSI is enabled.");
    ansiColoursWork_ = 1;
    Set(c, 7, true);
    Set(c, 16, false);
    ResetButtons100To103(c);
    return;
  }
  if (modeA == 0) {
    for (int role = 1; role <= 5; ++role) {
      if (colourWork_[static_cast<std::size_t>(role)] != background) continue;
      Stop("Wrong Color Combination! The background color cannot be the same as any other color.");
      Set(c, 7, false);
      return;
    }
  } else if (colourWork_[5] == background) {
    Stop("Wrong Color Combination! The background color cannot be the same as the text color.");
    Set(c, 7, true);
    return;
  }

  s_.host.MarkSettingsChanged();
  Opt.Option141 = On(c, 15) ? 1 : 0;
  Opt.ColourModeA = modeA;
  Opt.ColourModeB = wyseColours ? 1 : 0;
  Opt.WindowOpacity = opacityWork_;
  s_.host.SetWindowOpacity(opacityWork_);
  if (modeA) {
    Opt.ColourModeB = 0;
    s_.host.ClearColourPlanes();
  }
  Opt.ReverseColour = colourWork_[1];
  Opt.Mode2Colour = colourWork_[2];
  Opt.BoldColour = colourWork_[3];
  Opt.UnderlineColour = colourWork_[4];
  Opt.CurrentForeColour = colourWork_[5];
  Opt.BackgroundColour = background;
  Close(kColoursWindow);
  s_.host.ApplyColoursAndRepaint();
}

// ---- Transparency (20) ---------------------------------------------------------------------

void SettingsDialogs::OpenTransparency(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kTransparencyWindow);
  opacityKept_ = Opt.WindowOpacity;
  if (c) {
    // Right is clearer: the slider runs over the opacity with its sign turned.
    c->SetScrollBarRange(kOpacitySlider, -100, -20, 10);
    c->SetControlValue(kOpacitySlider, -Opt.WindowOpacity);
  }
  SetText(c, 3, std::to_string(100 - Opt.WindowOpacity));
}

bool SettingsDialogs::Transparency(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kTransparencyWindow);
  switch (control) {
    case kOpacitySlider:
      Opt.WindowOpacity = static_cast<int16_t>(std::abs(Value(c, kOpacitySlider)));
      SetText(c, 3, std::to_string(100 - Opt.WindowOpacity));
      s_.host.SetWindowOpacity(Opt.WindowOpacity);
      return true;
    case 1:
      if (Opt.WindowOpacity != opacityKept_) s_.host.MarkSettingsChanged();
      Close(kTransparencyWindow);
      return true;
    case 2:
      Opt.WindowOpacity = opacityKept_;
      Close(kTransparencyWindow);
      s_.host.SetWindowOpacity(Opt.WindowOpacity);
      return true;
    default: return false;
  }
}

// ---- Video Attributes (39) ------------------------------------------------------------------

void SettingsDialogs::DialogE(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  s_.host.EraseTextCursor();
  platform::Controls* c = Open(kVideoAttributesWindow);
  if (Opt.StatusOption17 == 1) Set(c, 4, true);
  if (Opt.ProtectShownAs == 2) Set(c, 5, true);
  if (Opt.ProtectShownAs == 1) Set(c, 6, true);
  if (Opt.ProtectShownAs == 0) Set(c, 7, true);
  Set(c, Opt.BlockCursor == 1 ? 11 : 10, true);
  if (Opt.ClearAddressesOption == 1) Set(c, 12, true);
  if (Opt.HiddenAttributes == 1) Set(c, 14, true);
  if (Opt.SkipReverseBlankOption == 1) Set(c, 15, true);
  if (Opt.Option106 == 1) Set(c, 16, true);
  if (Opt.ReverseUnderlineOff == 1) Set(c, 17, true);
  clearAddressesWork_ = Opt.ClearAddressesOption;
  hiddenWork_ = Opt.HiddenAttributes;
  skipReverseBlankWork_ = Opt.SkipReverseBlankOption;
  option106Work_ = Opt.Option106;
  reverseUnderlineOffWork_ = Opt.ReverseUnderlineOff;
  protectKept_ = Opt.ProtectShownAs;
  status17Kept_ = Opt.StatusOption17;
  blockCursorKept_ = Opt.BlockCursor;
}

void SettingsDialogs::ShowVideoAttributes(const SessionOptions& Opt) {
  platform::Controls* c = Controls(kVideoAttributesWindow);
  Set(c, 4, Opt.StatusOption17 == 1);
  SetRadioGroup(kVideoAttributesWindow, {5, 6, 7}, Opt.ProtectShownAs == 2 ? 5 : Opt.ProtectShownAs == 1 ? 6 : 7);
  SetRadioGroup(kVideoAttributesWindow, {10, 11}, Opt.BlockCursor == 1 ? 11 : 10);
  Set(c, 12, clearAddressesWork_ != 0);
  Set(c, 14, hiddenWork_ != 0);
  Set(c, 15, skipReverseBlankWork_ != 0);
  Set(c, 16, option106Work_ != 0);
  Set(c, 17, reverseUnderlineOffWork_ != 0);
}

bool SettingsDialogs::VideoAttributes(int control, SessionOptions& Opt) {
  // 1 becomes 0 and any other value 1.
  auto toggle = [](auto& v) { v = v == 1 ? 0 : 1; };
  switch (control) {
    case 4: Opt.StatusOption17 = Opt.StatusOption17 == 0 ? 1 : 0; break;
    case 5: Opt.ProtectShownAs = 2; break;
    case 6: Opt.ProtectShownAs = 1; break;
    case 7: Opt.ProtectShownAs = 0; break;
    case 10: Opt.BlockCursor = 0; break;
    case 11: Opt.BlockCursor = 1; break;
    case 12: clearAddressesWork_ = clearAddressesWork_ != 0 ? 0 : 1; break;
    case 14: toggle(hiddenWork_); break;
    case 15: toggle(skipReverseBlankWork_); break;
    case 16: toggle(option106Work_); break;
    case 17: toggle(reverseUnderlineOffWork_); break;
    case 13:
      Opt.ProtectShownAs = 2;
      Opt.StatusOption17 = 0;
      Opt.BlockCursor = 0;
      clearAddressesWork_ = skipReverseBlankWork_ = option106Work_ = 0;
      reverseUnderlineOffWork_ = 1;
      if (Opt.EmuVt100 == 0)
        hiddenWork_ = (Opt.EmuWyse50 || Opt.EmuViewpoint) && !Opt.AltEditKeys && !Opt.EmuTvi925 ? 1 : 0;
      break;
    case 1:
      Opt.ClearAddressesOption = clearAddressesWork_;
      Opt.HiddenAttributes = hiddenWork_;
      Opt.SkipReverseBlankOption = skipReverseBlankWork_;
      Opt.Option106 = option106Work_;
      Opt.ReverseUnderlineOff = reverseUnderlineOffWork_;
      s_.host.MarkSettingsChanged();
      Close(kVideoAttributesWindow);
      return true;
    case 2:
      Opt.ProtectShownAs = protectKept_;
      Opt.StatusOption17 = status17Kept_;
      Opt.BlockCursor = blockCursorKept_;
      Close(kVideoAttributesWindow);
      return true;
    default: return false;
  }
  ShowVideoAttributes(Opt);
  return true;
}

}  // namespace korvane::ui
