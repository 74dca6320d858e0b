#include "platform/NumberedWindows.h"

namespace korvane::platform {

namespace {

struct WindowRow {
  int number;
  const char* name;
};

constexpr WindowRow kWindowTable[] = {
    {3, "Document"},
    {5, "KorvanePretty"},
    {9, "Edit Fkeys Selection"},
    {13, "Colors"},
    {15, "Telnet Connection"},
    {16, "Unix Shell Connection"},
    {17, "Secure Shell Connection"},
    {18, "Preferences"},
    {20, "Transparency"},
    {21, "Opening the Port"},
    {22, "Checking Port Status"},
    // The print-progress notice has no row of its own in the old table; it
    // gets one so that it never shows the window opened before it.
    {23, "Printing"},
    {24, "KeepAlive"},
    {25, "Modem Initialization"},
    {26, "Enter QuickDial"},
    {27, "Edit Fkeys"},
    {28, "Edit Login Scripts"},
    {29, "Mouse Click Delimiter Character"},
    {30, "International"},
    {31, "Fkey Options"},
    {32, "Save captured text as"},
    {33, "Enter Phone Number"},
    {34, "MacToHost delay"},
    {35, "Paste Delay"},
    {36, "Edit Break Signal"},
    {37, "Previous Page Options"},
    {38, "Printer Options"},
    {39, "Video Attributes"},
    {40, "Login Scripts"},
    {41, "Host-To-Mac"},
    {42, "File will be saved as"},
    {43, "Tell DLOG"},
    {44, "Arrow Keys"},
    {45, "Printing PCL Document"},
    {46, "Enter SSH User Name"},
};

// The nominal content size of a session window before it is laid out.
constexpr int kRunTimeWidth = 99, kRunTimeHeight = 50;

}  // namespace

const char* WindowNameOf(int n) {
  for (const auto& row : kWindowTable)
    if (row.number == n) return row.name;
  return nullptr;
}

int NumberedWindows::OpenAppWindow(int n) {
  if (const char* name = WindowNameOf(n)) AppWindowName = name;
  if (n < kSessionWindowBase) {
    if (n != kAboutWindow && n != 21) DialogWindowOpen = 1;
    WindowFromNib(n, AppWindowName);
    return 0;
  }
  if (flags_.EventTimeSlice) *flags_.EventTimeSlice = 1;
  if (windows_.Exists(n)) {
    windows_.BringToFront(n);
    RestoreColoursFlag = 1;
    return 0;
  }
  windows_.MakeSessionWindow(n, "Korvane\xAA", kRunTimeWidth, kRunTimeHeight);
  windows_.BringToFront(n);
  return 0;
}

int NumberedWindows::WindowFromNib(int n, const std::string& name) {
  if (!windows_.Exists(n)) windows_.MakeDialogWindow(n, name);
  windows_.Hide(n);
  windows_.BringToFront(n);
  return 0;
}

void NumberedWindows::CloseAndReturn(int n) {
  windows_.Close(n);
  const bool startingUp = flags_.StartUpFlag && *flags_.StartUpFlag != 0;
  const bool quitting = flags_.QuittingFlag && *flags_.QuittingFlag != 0;
  if (!startingUp && !quitting && n < kSessionWindowBase && flags_.ActiveWindowNumber &&
      windows_.Exists(*flags_.ActiveWindowNumber))
    windows_.BringToFront(*flags_.ActiveWindowNumber);
}

int NumberedWindows::SelectWindowPlain(int n) {
  CloseAndReturn(n);
  if (flags_.EventTimeSlice) *flags_.EventTimeSlice = 1;
  DialogWindowOpen = 0;
  return 0;
}

int NumberedWindows::SelectWindowWithColors(int n) {
  CloseAndReturn(n);
  if (applySessionColours) applySessionColours();
  if (flags_.EventTimeSlice) *flags_.EventTimeSlice = 1;
  DialogWindowOpen = 0;
  return 0;
}

}  // namespace korvane::platform
