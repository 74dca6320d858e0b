#include "ui/dialogs/StatusWindow.h"

#include <algorithm>

namespace korvane::ui {

namespace {

// A rectangle written as the layout rules write it: top, left, bottom, right.
platform::Rect TLBR(int top, int left, int bottom, int right) { return {left, top, right, bottom}; }

// The status strip: 13 pixels along the bottom of the screen, or out of sight
// below it.
void PlaceStatusWindow(const SessionOptions& Opt, int screenHeight, int right, StatusLayout& out) {
  if (Opt.StatusWindowShown == 0) {
    out.statusTitle = "Status";
    out.statusRect = TLBR(screenHeight - 13, 0, screenHeight, right);
    out.statusShown = true;
  } else {
    out.statusTitle = "Status Window";
    out.statusRect = TLBR(screenHeight + 5025, 0, screenHeight + 5040, 640);
    out.statusShown = false;
  }
}

bool SmallScreenNow(SessionLayoutState& st, platform::Size screen) {
  if (screen.height == 400 && screen.width > 512) {
    st.WindowWidth = 512;
    st.WindowHeight = 342;
    st.SmallScreen = 1;
  }
  return st.SmallScreen != 0;
}

// The size rules: the window's place by the screen and the font size alone.
void SizeRules(SessionOptions& Opt, SessionLayoutState& st, platform::Size screen,
               const std::function<CellSize(int)>& cellFor, StatusLayout& out) {
  const int C = screen.width / 2, RT = st.RememberedTop, RL = st.RememberedLeft;
  const bool sco = Opt.ScoAnsiMode != 0;
  out.sizeRules = true;
  out.standardFontMarked = !sco;
  Opt.FontSizeName = "standard";
  auto place = [&](int textSize, platform::Rect r) {
    out.textSize = textSize;
    out.session = StatusLayout::Placement::Rect;
    out.sessionRect = r;
  };
  int right = 640;
  if (Opt.LargeFontChoice) {
    out.standardFontMarked = false;
    out.largeFontMarked = true;
    Opt.FontSizeName.clear();
    place(9, TLBR(43, 0, 372, 512));
    out.stoppedEarly = true;
  } else if (Opt.FontSize == 0 && screen.height > 600) {
    const int lower = sco ? 2 * cellFor(12).height : 0;
    if (st.CentreWindows)
      place(12, TLBR(RT + 61, C - 320, RT + 482 + lower, C + 320));
    else
      place(12, TLBR(RT + 37, RL, RT + 482, RL + 640));
  } else if (st.WindowWidth > 639 && Opt.FontSize == 0 && screen.height > 400) {
    if (st.CentreWindows == 1 && screen.height == 480)
      place(12, TLBR(37, 3, 475, 637));
    else
      place(12, TLBR(RT + 61, C - 320, RT + 482 + (sco ? 2 * cellFor(12).height : 0), C + 320));
  } else if (screen.width < 513) {
    place(9, TLBR(20, 0, st.WindowHeight - 15, st.WindowWidth));
    right = st.WindowWidth;
  } else if (SmallScreenNow(st, screen)) {
    place(9, TLBR(37, 0, 357, 551));
    right = 551;
  } else if (Opt.FontSize == 16 && screen.width > 822) {
    place(16, TLBR(RT + 61, C - 411, RT + 507 + (sco ? 2 * cellFor(16).height : 0), C + 412));
  } else if (Opt.FontSize == 24 && screen.width > 1278) {
    place(24, TLBR(RT + 44, C - 640, RT + 845 + (sco ? cellFor(24).height : 0), C + 639));
  } else if (Opt.FontSize == 18 && screen.width > 1023) {
    place(18, TLBR(RT + 44, C - 512, RT + (sco ? 730 : 700), C + (screen.width > 1041 ? 530 : 512)));
  }
  PlaceStatusWindow(Opt, screen.height, right, out);
}

// The remembered layout: the window where the settings last saw it.
void RememberedLayout(SessionOptions& Opt, SessionLayoutState& st, platform::Size screen,
                      const std::function<CellSize(int)>& cellFor, StatusLayout& out) {
  if (Opt.SavedWindowLeft + Opt.SavedWindowWidth > screen.width) Opt.SavedWindowLeft = 20;
  if (Opt.SavedWindowHeight < 100) Opt.SavedWindowHeight = 100;
  if (st.CascadeNewWindow) Opt.SavedWindowTop = static_cast<int16_t>(Opt.SavedWindowTop + 40);
  const int ST = Opt.SavedWindowTop, SW = Opt.SavedWindowWidth, SH = Opt.SavedWindowHeight;
  const int T = ST + 37, L = Opt.SavedWindowLeft;
  const bool rowsFree = Opt.ScreenRowsSetting == 0;
  const bool saved = SW != 0 && SH != 0;
  const int E16 = Opt.FontSizeMode ? 16 : 0, E24 = Opt.FontSizeMode ? 42 : 0;
  auto place = [&](int textSize, platform::Rect r) {
    out.textSize = textSize;
    out.session = StatusLayout::Placement::Rect;
    out.sessionRect = r;
  };
  auto front = [&](int textSize) {
    out.textSize = textSize;
    out.session = StatusLayout::Placement::Front;
  };
  int right = 640;
  if ((Opt.LargeFontChoice && screen.height > 400) ||
      (st.WindowWidth > 639 && Opt.FontSize == 0 && screen.height > 400)) {
    const int size = Opt.LargeFontChoice ? 9 : 12;
    if (Opt.LargeFontChoice) Opt.FontSizeName.clear();
    const CellSize cell = cellFor(size);
    if (!rowsFree)
      place(size, TLBR(T, L, ST + 458, L + 640));
    else if (saved)
      place(size, TLBR(T, L, ST + SH + 3 * cell.height + cell.descent + 4, L + SW + 14));
    else
      front(size);
  } else if (screen.width < 513) {
    if (rowsFree)
      front(9);
    else
      place(9, TLBR(T, L, ST + st.WindowHeight - 15, L + st.WindowWidth));
    right = st.WindowWidth;
  } else if (SmallScreenNow(st, screen)) {
    if (rowsFree)
      front(9);
    else
      place(9, TLBR(T, L, ST + 357, L + 551));
    right = 551;
  } else if ((Opt.FontSize == 16 && screen.width > 822) || (Opt.FontSize == 24 && screen.width > 1278) ||
             (Opt.FontSize == 18 && screen.width > 1023)) {
    // The cell size of the new text size decides the window's height.
    const int size = Opt.FontSize == 16 && screen.width > 822    ? 16
                     : Opt.FontSize == 24 && screen.width > 1278 ? 24
                                                                 : 18;
    Opt.FontSizeName.clear();
    if (size == 16) Opt.StatusOption17 = 0;
    const CellSize cell = cellFor(size);
    if (size == 16) {
      if (rowsFree && saved)
        place(16, TLBR(T, L, ST + SH + 3 * cell.height + cell.descent + 1 + E16, L + SW + 14));
      else if (!rowsFree && saved)
        place(16, TLBR(T, L, ST + SH + 51, L + SW + 14));
      else
        place(16, TLBR(T, L, ST + 483, L + 823));
    } else if (size == 24) {
      if (rowsFree && saved)
        place(24, TLBR(T, L, ST + SH + 2 * cell.height + cell.descent - 14 + E24, L + SW + 14));
      else
        place(24, TLBR(T, L, ST + 838, L + 1280));
    } else {
      if (rowsFree && saved)
        place(18, TLBR(T, L, ST + SH + 2 * cell.height + cell.descent - 2, L + SW + 14));
      else
        place(18, TLBR(T, L, ST + 693, L + 1024));
    }
  }
  PlaceStatusWindow(Opt, screen.height, right, out);
}

}  // namespace

StatusLayout LayOutStatusWindow(SessionOptions& Opt, SessionLayoutState& st, platform::Size screen,
                                const std::function<CellSize(int)>& cellFor) {
  StatusLayout out;
  if (Opt.RememberWnd == 0 || st.ForceDefaultLayout == 1)
    SizeRules(Opt, st, screen, cellFor, out);
  else
    RememberedLayout(Opt, st, screen, cellFor, out);
  if (out.stoppedEarly) return out;

  // The common end: a chosen point size wins over the case's size.
  if (out.session == StatusLayout::Placement::Keep) out.textSize = 12;
  if (Opt.FontSize == 16 || Opt.FontSize == 18 || Opt.FontSize == 24) out.textSize = Opt.FontSize;
  if (screen.height == 400 && screen.width > 512) {
    st.WindowWidth = 512;
    st.WindowHeight = 342;
    st.SmallScreen = 1;
    out.textSize = 9;
  }
  st.ForceDefaultLayout = 0;
  return out;
}

StatusLayout StatusWindow::DrawStatusWindow(SessionOptions& Opt, SessionLayoutState& st,
                                            const std::function<CellSize(int)>& cellFor) {
  const StatusLayout layout = LayOutStatusWindow(Opt, st, windows_.MainScreenSize(), cellFor);
  MakeWindow(layout);
  return layout;
}

void StatusWindow::MakeWindow(const StatusLayout& layout) {
  port_ = windows_.MakeStatusWindow(kStatusWindowNumber, layout.statusTitle, layout.statusRect, layout.statusShown);
}

platform::Port* StatusWindow::ShownPort(const SessionOptions& Opt) const {
  if (!port_ || Opt.StatusWindowShown != 0 || !windows_.Exists(kStatusWindowNumber)) return nullptr;
  return port_;
}

void StatusWindow::Draw(const std::string& text) {
  port_->DrawText(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

void StatusWindow::WriteDateLine(const SessionOptions& Opt, const std::string& date, const std::string& emulationName) {
  platform::Port* port = ShownPort(Opt);
  if (!port) return;
  // Cells of a fixed 7 x 17 grid, whatever the session's text size.
  auto moveToCell = [port](int row, int column) { port->MoveTo(7 * column - 3, 17 * row - 7); };
  port->BackColour({65535, 65535, 65535});
  port->EraseRect({0, 0, port->Width(), port->Height()});
  port->TextCell(7, 12, 5);
  port->SetTextMode(platform::TextMode::Or);
  port->TextFont(platform::kLabelFont);
  port->TextSize(9);
  port->TextFace(platform::kFaceBold);
  port->ForeColour({0, 34952, 0});
  moveToCell(1, 1);
  Draw("  " + date + "  ");
  port->TextFace(platform::kFacePlain);
  port->TextSize(12);
  port->ForeColour({56797, 0, 0});
  moveToCell(1, Opt.TextSizeValue > 9 ? 41 : 30);
  Draw(emulationName + std::string(7, ' '));
  port->SetTextMode(platform::TextMode::Copy);
  port->Flush();
}

void StatusWindow::WriteIndicator(const SessionOptions& Opt, platform::Point pen, const std::string& text) {
  platform::Port* port = ShownPort(Opt);
  if (!port) return;
  port->TextCell(7, 12, 5);
  // The program's monospaced cell font stands in for the system font: each
  // letter of a proportional one at 12 points is wider than its 7-pixel
  // cell in places ("O", "C", "m") and would be cut off.
  port->TextFont(platform::kScreenFont);
  port->TextSize(12);
  port->TextFace(platform::kFacePlain);
  port->ForeColour(kIndicatorColour);
  port->BackColour({65535, 65535, 65535});
  port->SetTextMode(platform::TextMode::Inverse);
  port->MoveTo(pen.h, pen.v);
  Draw(text);
  port->SetTextMode(platform::TextMode::Copy);
  port->Flush();
}

}  // namespace korvane::ui
