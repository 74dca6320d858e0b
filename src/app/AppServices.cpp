#include "app/AppServices.h"

#include "app/ProgramDialogs.h"
#include "app/SerialLines.h"

#include "platform/MenuNumbers.h"
#include "ui/SessionMenus.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

namespace {

// Tells the user, the first time a window asks for it, that a feature is not
// available; later requests of the same window only sound the bell, so that
// a host repeating its request cannot bury the window under alerts.
class Unavailable {
 public:
  Unavailable(const AppServiceParts& parts, const char* feature) : parts_(parts), feature_(feature) {}
  void Tell() {
    if (told_) {
      parts_.sounds.Beep();
      return;
    }
    told_ = true;
    parts_.alerts.NoteAlertText(platform::kPlainAlert, feature_, kNotAvailable);
  }

 private:
  static constexpr const char* kNotAvailable = " is not available in this version of Korvane.";
  const AppServiceParts& parts_;
  const char* feature_;
  bool told_ = false;
};

class UnavailableClipboard final : public ClipboardService {
 public:
  UnavailableClipboard(const AppServiceParts& parts, SessionWindow& w) : w_(w), clipboard_(parts, "The clipboard") {}
  bool ClipboardCaptureOn() override { return false; }
  void StartClipboardCapture() override { clipboard_.Tell(); }
  void StopClipboardCapture() override { w_.session.input.ClipboardCapture = 0; }
  void CopyToClipboard(std::string_view) override {}
  void PasteToHost() override { clipboard_.Tell(); }
  void SnapshotScreenAsPdf() override { clipboard_.Tell(); }
  void CopyLineToClipboard(std::string_view, std::string_view) override { clipboard_.Tell(); }
  void ResetCopyBuffersNow() override { clipboard_.Tell(); }
  void ClearClipboard() override { clipboard_.Tell(); }
  void SetMouseReports(bool on) override {
    if (on) clipboard_.Tell();
  }
  // No mouse reports are ever sent, so none follow the settings.
  void SettingsApplied() override {}

 private:
  SessionWindow& w_;
  Unavailable clipboard_;
};

// Pictures need the window system's image readers; without them (a test
// platform that has none) the user is told.
class UnavailablePictures final : public PictureService {
 public:
  explicit UnavailablePictures(const AppServiceParts& parts) : pictures_(parts, "Showing pictures") {}
  void ShowInlinePicture(const std::string&, const std::array<int16_t, 6>&, bool) override { pictures_.Tell(); }
  // No picture is ever shown, so there is none to remove or draw again.
  void RemovePicture(const std::string&) override {}
  void RemoveInlinePictures() override {}
  void InvalidatePictureArea() override {}

 private:
  Unavailable pictures_;
};

class AppKeyboard final : public KeyboardService {
 public:
  explicit AppKeyboard(input::KeyState& keys) : keys_(keys) {}
  bool CancelRequested() override { return keys_.CommandPeriodPressed() != 0; }
  // The user's hold (Ctrl+Shift+1) keeps the idle pass from reading the
  // host; when host input is read all the same (a key typed into the
  // session), the hold ends there: the input pass never waits for the user.
  bool OutputStillHeld() override { return false; }
  bool ShiftAndKeyDown() override { return keys_.ShiftAndKeyDown() != 0; }

 private:
  input::KeyState& keys_;
};

class AppSounds final : public SoundService {
 public:
  explicit AppSounds(platform::Sounds& sounds) : sounds_(sounds) {}
  void Beep() override { sounds_.Beep(); }
  void PlaySound(const std::string& name) override { sounds_.PlaySound(name); }

 private:
  platform::Sounds& sounds_;
};

class AppServiceSet final : public SessionServiceSet {
 public:
  AppServiceSet(const AppServiceParts& parts, SessionWindow& w, output::ProgramClipboard* clipboard)
      : dialogs_(parts.dialogs, w),
        capture_(w, parts.capture),
        clipboard_(MakeClipboard(parts, w, clipboard)),
        transfers_(w, parts.capture.fileDialogs),
        pictures_(MakePictures(parts, w)),
        scripts_(parts.scripts),
        keyboard_(parts.keys),
        menus_(parts.menus, w),
        sounds_(parts.sounds),
        serial_(parts.serial, w, parts.alerts, parts.menus) {}
  CaptureService& Capture() override { return capture_; }
  ClipboardService& Clipboard() override { return *clipboard_; }
  TransferService& Transfers() override { return transfers_; }
  PictureService& Pictures() override { return *pictures_; }
  ScriptService& Scripts() override { return scripts_; }
  KeyboardService& Keyboard() override { return keyboard_; }
  MenuService& Menus() override { return menus_; }
  SoundService& Sounds() override { return sounds_; }
  SerialLine& Serial() override { return serial_; }
  DialogService& Dialogs() override { return dialogs_; }

 private:
  static std::unique_ptr<ClipboardService> MakeClipboard(const AppServiceParts& parts, SessionWindow& w,
                                                         output::ProgramClipboard* clipboard) {
    if (clipboard) return std::make_unique<output::SessionClipboard>(w, *clipboard);
    return std::make_unique<UnavailableClipboard>(parts, w);
  }
  static std::unique_ptr<PictureService> MakePictures(const AppServiceParts& parts, SessionWindow& w) {
    if (parts.pictureFiles) return std::make_unique<output::SessionPictures>(w, *parts.pictureFiles, parts.programs);
    return std::make_unique<UnavailablePictures>(parts);
  }

  SessionDialogService dialogs_;
  output::SessionCapture capture_;
  std::unique_ptr<ClipboardService> clipboard_;
  output::SessionTransfers transfers_;
  std::unique_ptr<PictureService> pictures_;
  ScriptService& scripts_;
  AppKeyboard keyboard_;
  ui::SessionMenus menus_;
  AppSounds sounds_;
  AppSerialLine serial_;
};

}  // namespace

std::unique_ptr<SessionServiceSet> AppServiceProvider::MakeServices(SessionWindow& window) {
  return std::make_unique<AppServiceSet>(parts_, window, clipboard_.get());
}

}  // namespace korvane::app
