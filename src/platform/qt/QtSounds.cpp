#include "platform/qt/QtSounds.h"

#include <canberra.h>

#include <QApplication>

namespace korvane::platform {

struct QtSounds::Context {
  ca_context* ca = nullptr;
  ~Context() { Close(); }
  void Close() {
    if (ca) ca_context_destroy(ca);
    ca = nullptr;
  }
  // A machine without a sound service (no driver, no device) says so on
  // every attempt, at length: the window system's bell serves from then on.
  void Played(int result) {
    if (result != CA_SUCCESS && result != CA_ERROR_NOTFOUND && result != CA_ERROR_CANCELED) Close();
  }
};

namespace {

// The user data of one started sound: the state its end frees.
struct Started {
  std::shared_ptr<void> keep;
  std::atomic<bool>* playing;
};

// The sound service reports the end of every sound it started, whether it
// ran to its end or was stopped; the next sound may then play.
void Finished(ca_context*, uint32_t, int, void* data) {
  auto* started = static_cast<Started*>(data);
  started->playing->store(false);
  delete started;
}

}  // namespace

QtSounds::QtSounds() : context_(std::make_unique<Context>()) {
  if (ca_context_create(&context_->ca) != CA_SUCCESS) {
    context_->ca = nullptr;
    return;
  }
  ca_context_change_props(context_->ca, CA_PROP_APPLICATION_NAME, "Korvane", CA_PROP_APPLICATION_ID,
                          "org.korvane.Korvane", nullptr);
}

QtSounds::~QtSounds() = default;

void QtSounds::Beep() {
  // The theme's terminal bell; without a sound service, the window system's.
  if (context_->ca) {
    const int result =
        ca_context_play(context_->ca, 0, CA_PROP_EVENT_ID, "bell-terminal", CA_PROP_EVENT_DESCRIPTION, "Bell", nullptr);
    if (result == CA_SUCCESS) return;
    // Every sound theme has the bell: a failure here means no sound can be
    // played at all.
    context_->Close();
  }
  QApplication::beep();
}

void QtSounds::PlaySound(const std::string& name) {
  // One sound at a time: a request while one plays is dropped.
  bool idle = false;
  if (!state_->playing.compare_exchange_strong(idle, true)) return;
  const std::string id = SoundThemeEventId(name);
  int result = CA_ERROR_NOTAVAILABLE;
  if (context_->ca) {
    ca_proplist* props = nullptr;
    if (ca_proplist_create(&props) == CA_SUCCESS) {
      ca_proplist_sets(props, CA_PROP_EVENT_ID, id.c_str());
      auto* started = new Started{state_, &state_->playing};
      result = ca_context_play_full(context_->ca, 1, props, Finished, started);
      // A sound that did not start reports no end.
      if (result != CA_SUCCESS) delete started;
      ca_proplist_destroy(props);
      context_->Played(result);
    }
  }
  if (result == CA_SUCCESS) return;
  // Nothing could be played by name: the slot is free again at once, and the
  // feedback is the bell.
  state_->playing.store(false);
  QApplication::beep();
}

}  // namespace korvane::platform
