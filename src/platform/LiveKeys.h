#pragma once
// The keys held down right now, as a key map: 128 bits, the bit of virtual key
// code k being bit k mod 8 (from the least significant) of byte k div 8.

#include <array>
#include <cstdint>

namespace korvane::platform {

using KeyMap = std::array<uint8_t, 16>;

class LiveKeys {
 public:
  virtual ~LiveKeys() = default;
  virtual KeyMap GetKeys() const = 0;
};

// A key map kept from the presses and releases the window system reports.
// When the program loses the keyboard it cannot see releases, so the window
// system clears it then.
class TrackedKeyMap final : public LiveKeys {
 public:
  void Press(int keyCode) { Set(keyCode, true); }
  void Release(int keyCode) { Set(keyCode, false); }
  void Clear() { map_.fill(0); }
  KeyMap GetKeys() const override { return map_; }

 private:
  void Set(int keyCode, bool down) {
    if (keyCode < 0 || keyCode > 127) return;
    const auto bit = static_cast<uint8_t>(1u << (keyCode % 8));
    uint8_t& byte = map_[static_cast<size_t>(keyCode / 8)];
    byte = static_cast<uint8_t>(down ? (byte | bit) : (byte & ~bit));
  }
  KeyMap map_{};
};

}  // namespace korvane::platform
