#pragma once
// Numbered windows in memory: each session window gets a recording port and
// recording controls; a dialog window made from an interface description
// (when the test gives one) gets the described controls, in memory. Which
// window is in front is kept as a real window system keeps it; bringing a
// window to the front, or the user activating, closing or resizing one, is
// posted to the event sink as the window system would report it.

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "platform/Events.h"
#include "platform/InterfaceDescription.h"
#include "platform/Windows.h"

namespace korvane::fakes {

class FakeWindows final : public platform::Windows {
 public:
  struct Window {
    std::unique_ptr<RecordingPort> port;
    std::unique_ptr<RecordingControls> controls;
    std::string title;
    std::string dialogName;  // the described window a dialog was made from
    bool dialog = false, shown = false, collapsed = false, status = false;
    platform::Rect frame;  // a status window's place on the screen
    int opacity = 100;
    bool fullScreen = false;
  };

  explicit FakeWindows(platform::EventSink* eventSink = nullptr) : sink(eventSink) {}

  platform::EventSink* sink;
  std::map<int, Window> windows;
  std::vector<int> order;  // front first
  int front = 0;
  platform::Size screen{1920, 1080};
  // Names that MakeDialogWindow finds in the interface description.
  std::vector<std::string> describedWindows{"Tell DLOG", "Enter SSH User Name", "KorvanePretty"};
  // When set, dialog windows are made from it (and `describedWindows` is not used).
  const platform::InterfaceDescription* description = nullptr;
  int activationsPosted = 0;

  platform::SessionSurface MakeSessionWindow(int n, const std::string& title, int width, int height) override {
    Window& w = windows[n];
    w = Window{};
    w.port = std::make_unique<RecordingPort>(width, height);
    w.controls = std::make_unique<RecordingControls>();
    w.title = title;
    return {w.port.get(), w.controls.get()};
  }
  bool MakeDialogWindow(int n, const std::string& name) override {
    Window& w = windows[n];
    w = Window{};
    w.dialog = true;
    w.controls = std::make_unique<RecordingControls>();
    if (description) {
      const platform::WindowDescription* d = description->FindWindow(name);
      w.dialogName = d ? name : "";
      w.title = d ? d->title : "Untitled";
      if (d) MakeDescribedControls(*w.controls, *d);
      return d != nullptr;
    }
    const bool found = std::find(describedWindows.begin(), describedWindows.end(), name) != describedWindows.end();
    w.dialogName = found ? name : "";
    w.title = found ? name : "Untitled";
    return found;
  }
  platform::Port* MakeStatusWindow(int n, const std::string& title, platform::Rect frame, bool shown) override {
    Window& w = windows[n];
    w = Window{};
    w.status = true;
    w.title = title;
    w.frame = frame;
    w.shown = shown;
    w.port = std::make_unique<RecordingPort>(frame.Width(), frame.Height());
    return w.port.get();
  }
  bool Exists(int n) const override { return windows.count(n) != 0; }
  platform::Controls* WindowControls(int n) override { return ControlsOf(n); }

  // The controls of a described window, as the window system makes them.
  static void MakeDescribedControls(platform::HeadlessControls& controls, const platform::WindowDescription& d) {
    using platform::ControlKind;
    for (const auto& c : d.controls) {
      if (c.number == 0) continue;
      ControlKind kind = ControlKind::StaticText;
      if (c.kind == "button") kind = ControlKind::PushButton;
      if (c.kind == "checkbox") kind = ControlKind::CheckBox;
      if (c.kind == "radio") kind = ControlKind::RadioButton;
      if (c.kind == "text") kind = ControlKind::EditText;
      if (c.kind == "popup") kind = ControlKind::PopupMenu;
      if (c.kind == "slider") kind = ControlKind::Slider;
      controls.MakeControl(c.number, kind, c.title, c.items);
      if (kind == ControlKind::EditText || kind == ControlKind::StaticText) controls.SetControlText(c.number, c.title);
    }
  }
  void Show(int n) override {
    if (Window* w = Find(n)) w->shown = true;
  }
  void Hide(int n) override {
    if (Window* w = Find(n)) w->shown = false;
  }
  void BringToFront(int n) override {
    Window* w = Find(n);
    if (!w) return;
    w->shown = true;
    Activate(n);
  }
  void Close(int n) override {
    windows.erase(n);
    order.erase(std::remove(order.begin(), order.end(), n), order.end());
    if (front == n) front = order.empty() ? 0 : order.front();
  }
  int FrontWindow() const override { return front; }
  void SetTitle(int n, const std::string& title) override {
    if (Window* w = Find(n)) w->title = title;
  }
  std::string Title(int n) const override {
    auto it = windows.find(n);
    return it == windows.end() ? std::string() : it->second.title;
  }
  bool IsCollapsed(int n) const override {
    auto it = windows.find(n);
    return it != windows.end() && it->second.collapsed;
  }
  void SetOpacity(int n, int percent) override {
    if (Window* w = Find(n)) w->opacity = percent;
  }
  platform::Size ContentSize(int n) const override {
    auto it = windows.find(n);
    if (it == windows.end() || !it->second.port) return {};
    return {it->second.port->Width(), it->second.port->Height()};
  }
  platform::Rect ContentFrame(int n) const override {
    const platform::Size size = ContentSize(n);
    return {20, 40, 20 + size.width, 40 + size.height};
  }
  // A window's pixels are its background, white, but for the cells a test
  // marks in `contentPixels` (x, y) with their colours.
  std::map<std::pair<int, int>, uint32_t> contentPixels;
  platform::PixelImage ContentPixels(int n, platform::Rect r) const override {
    platform::PixelImage out;
    if (!windows.count(n)) return out;
    const platform::Size size = ContentSize(n);
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, size.width);
    r.bottom = std::min(r.bottom, size.height);
    if (r.Empty()) return out;
    out.width = r.Width();
    out.height = r.Height();
    out.pixels.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0xFFFFFFFFu);
    for (const auto& [at, colour] : contentPixels)
      if (at.first >= r.left && at.first < r.right && at.second >= r.top && at.second < r.bottom)
        out.pixels[static_cast<size_t>((at.second - r.top) * out.width + (at.first - r.left))] = colour;
    return out;
  }
  void SetContentSize(int n, int width, int height) override {
    if (Window* w = Find(n); w && w->port) w->port->SetSize(width, height);
  }
  platform::Size MainScreenSize() const override { return screen; }
  // The whole screen: the available size and a 24-pixel panel.
  platform::Size MainScreenResolution() const override { return {screen.width, screen.height + 24}; }
  // Full screen gives the window the whole screen; leaving it gives back the
  // size it had. Both are reported as the window system reports a resize.
  void ToggleFullScreen(int n) override {
    Window* w = Find(n);
    if (!w || !w->port) return;
    w->fullScreen = !w->fullScreen;
    if (w->fullScreen) {
      sizeBeforeFullScreen = {w->port->Width(), w->port->Height()};
      w->port->SetSize(screen.width, screen.height + 24);
    } else {
      w->port->SetSize(sizeBeforeFullScreen.width, sizeBeforeFullScreen.height);
    }
    if (sink) {
      platform::UiEvent e;
      e.kind = platform::UiEventKind::Dialog;
      e.type = platform::kSizeChanged;
      e.number = static_cast<int16_t>(n);
      e.window = static_cast<int16_t>(n);
      sink->Post(e);
    }
  }
  bool IsFullScreen(int n) const override {
    auto it = windows.find(n);
    return it != windows.end() && it->second.fullScreen;
  }
  platform::Size sizeBeforeFullScreen;

  // ---- The user ---------------------------------------------------------------
  // Clicks window n to the front.
  void UserActivates(int n) { Activate(n); }
  void UserCloses(int n) { Post(platform::kCloseBox, n, n); }
  void UserResizes(int n, int width, int height) {
    SetContentSize(n, width, height);
    Post(platform::kSizeChanged, n, n);
  }
  void UserTypes(int n, const std::string& text) {
    for (char c : text) {
      platform::UiEvent e;
      e.kind = platform::UiEventKind::Dialog;
      e.type = platform::kKeyTyped;
      e.number = static_cast<uint8_t>(c);
      e.window = static_cast<int16_t>(n);
      e.key.text = std::string(1, c);
      if (sink) sink->Post(e);
    }
  }

  RecordingPort* PortOf(int n) {
    Window* w = Find(n);
    return w ? w->port.get() : nullptr;
  }
  RecordingControls* ControlsOf(int n) {
    Window* w = Find(n);
    return w ? w->controls.get() : nullptr;
  }

 private:
  Window* Find(int n) {
    auto it = windows.find(n);
    return it == windows.end() ? nullptr : &it->second;
  }
  void Activate(int n) {
    if (!Find(n) || front == n) return;
    order.erase(std::remove(order.begin(), order.end(), n), order.end());
    order.insert(order.begin(), n);
    front = n;
    ++activationsPosted;
    Post(platform::kWindowActivated, n, n);
  }
  void Post(int16_t type, int number, int window) {
    if (!sink) return;
    platform::UiEvent e;
    e.kind = platform::UiEventKind::Dialog;
    e.type = type;
    e.number = static_cast<int16_t>(number);
    e.window = static_cast<int16_t>(window);
    sink->Post(e);
  }
};

}  // namespace korvane::fakes
