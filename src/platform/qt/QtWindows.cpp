#include "platform/qt/QtWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "platform/CharMap.h"
#include "platform/MacKeys.h"
#include "platform/qt/QtDialogBuilder.h"
#include "platform/qt/QtKeys.h"
#include "platform/qt/QtMenus.h"

namespace korvane::platform {

namespace {

QString FromMacRoman(const std::string& text) { return QString::fromStdString(Utf8FromMacRoman(text)); }

// The modifier bits of a mouse event, named as the key codes name them.
uint16_t ModifierBits(Qt::KeyboardModifiers mods) {
  uint16_t bits = 0;
  if (mods & Qt::ShiftModifier) bits |= kShiftModifier;
  if (mods & Qt::ControlModifier) bits |= kControlModifier;
  if (mods & Qt::AltModifier) bits |= kOptionModifier;
  if (mods & Qt::MetaModifier) bits |= kCommandModifier;
  return bits;
}

// The program's number of a mouse button; 0 for the buttons it has no use for.
int8_t ButtonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
  }
}

UiEvent DialogEvent(int16_t type, int number, int window) {
  UiEvent e;
  e.kind = UiEventKind::Dialog;
  e.type = type;
  e.number = static_cast<int16_t>(number);
  e.window = static_cast<int16_t>(window);
  return e;
}

// The top-level widget of a numbered window: its close box, activation and
// moves become events.
class Frame : public QWidget {
 public:
  Frame(QtWindows& owner, int number) : owner_(owner), number_(number) { setAttribute(Qt::WA_DeleteOnClose, false); }
  bool closingByProgram = false;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (closingByProgram) {
      e->accept();
      return;
    }
    // The program decides whether the window closes.
    e->ignore();
    owner_.Post(DialogEvent(kCloseBox, number_, number_));
  }
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) owner_.Activated(number_);
    QWidget::changeEvent(e);
  }
  void moveEvent(QMoveEvent* e) override {
    if (e->spontaneous()) owner_.Post(DialogEvent(kWindowNotice, 3, number_));
    QWidget::moveEvent(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    // Return in a dialog window presses its default button.
    if (number_ < 48 && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
      UiEvent ev = DialogEvent(kKeyTyped, 13, number_);
      ev.key = KeyPressFrom(*e);
      owner_.Post(ev);
      return;
    }
    QWidget::keyPressEvent(e);
  }

  QtWindows& owner_;
  const int number_;
};

// The content of a session window: the back buffer, keys, clicks and the wheel.
class SessionView : public QWidget {
 public:
  SessionView(QtWindows& owner, int number, QtImagePort& port) : owner_(owner), number_(number), port_(port) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMinimumSize(100, 60);
  }
  // The size the program gave; a resize event of that size is not reported.
  QSize programSize;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.drawImage(e->rect(), port_.Image(), e->rect());
  }
  void resizeEvent(QResizeEvent* e) override {
    const QSize size = e->size();
    if (size.width() != port_.Width() || size.height() != port_.Height()) port_.Resize(size.width(), size.height());
    if (size != programSize) {
      programSize = size;
      owner_.Post(DialogEvent(kSizeChanged, number_, number_));
    }
    QWidget::resizeEvent(e);
  }
  bool focusNextPrevChild(bool) override { return false; }  // Tab is a key for the host
  void keyPressEvent(QKeyEvent* e) override {
    UiEvent ev = DialogEvent(kKeyTyped, 0, number_);
    ev.key = KeyPressFrom(*e);
    if (TrackedKeyMap* map = owner_.KeyMap()) map->Press(ev.key.keyCode);
    // A modifier alone, or a key the program has no code and no character for.
    if (IsModifierKey(ev.key.keyCode) || (ev.key.text.empty() && ev.key.keyCode < 0)) return;
    ev.number = ev.key.text.empty() ? 0 : static_cast<uint8_t>(ev.key.text[0]);
    if (ev.key.modifiers & kCommandModifier) ev.type = kCommandKeyTyped;
    // The pointer keeps out of the text while the user types.
    if (underMouse()) {
      setCursor(Qt::BlankCursor);
      setMouseTracking(true);
    }
    owner_.Post(ev);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (TrackedKeyMap* map = owner_.KeyMap(); map && !e->isAutoRepeat()) map->Release(KeyPressFrom(*e).keyCode);
    QWidget::keyReleaseEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    // Keys released elsewhere are never reported here.
    if (TrackedKeyMap* map = owner_.KeyMap()) map->Clear();
    QWidget::focusOutEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    // The pointer hidden while typing comes back; a pointer the selection
    // set (the I-beam, the cross) stays.
    if (cursor().shape() == Qt::BlankCursor) unsetCursor();
    if (e->buttons() == Qt::NoButton) {
      setMouseTracking(false);
    } else if (held_ != Qt::NoButton && (e->buttons() & held_)) {
      PostMouse(UiEventKind::Drag, *e, ButtonNumber(held_), 0);
    }
    QWidget::mouseMoveEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override { Press(*e, 1); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Press(*e, 2); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (held_ == Qt::NoButton || e->button() != held_) return;
    held_ = Qt::NoButton;
    PostMouse(UiEventKind::Release, *e, ButtonNumber(e->button()), 0);
  }
  void wheelEvent(QWheelEvent* e) override {
    wheelEighths_ += e->angleDelta().y();
    const int lines = wheelEighths_ / 120;
    if (lines == 0) return;
    wheelEighths_ -= lines * 120;
    UiEvent ev;
    ev.kind = UiEventKind::Wheel;
    ev.window = static_cast<int16_t>(number_);
    ev.wheelDelta = lines;
    owner_.Post(ev);
  }

 private:
  QtWindows& owner_;
  const int number_;
  // A press of one of the program's buttons. Another button pressed while
  // one is held is not reported, so that every press reported gets one
  // release (a release that went elsewhere frees the button at the next press).
  void Press(const QMouseEvent& e, int clicks) {
    const int8_t button = ButtonNumber(e.button());
    if (button == 0) return;
    if (held_ != Qt::NoButton && held_ != e.button() && (e.buttons() & held_)) return;
    held_ = e.button();
    PostMouse(UiEventKind::Click, e, button, clicks);
  }
  void PostMouse(UiEventKind kind, const QMouseEvent& e, int8_t button, int clicks) {
    UiEvent ev;
    ev.kind = kind;
    ev.window = static_cast<int16_t>(number_);
    ev.h = static_cast<int>(e.position().x());
    ev.v = static_cast<int>(e.position().y());
    ev.clicks = clicks;
    ev.button = button;
    ev.modifiers = ModifierBits(e.modifiers());
    owner_.Post(ev);
  }

  QtImagePort& port_;
  int wheelEighths_ = 0;
  Qt::MouseButton held_ = Qt::NoButton;
};

// The status window: a strip of the screen without a title bar that shows
// its back buffer and takes neither the keyboard nor the front.
class StatusStrip : public QWidget {
 public:
  explicit StatusStrip(QtImagePort& port)
      : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), port_(port) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.drawImage(e->rect(), port_.Image(), e->rect());
  }

 private:
  QtImagePort& port_;
};

// The part of a drawn region of the back buffer the user sees: an opaque
// control on top of the session view (the scroll-back bar) paints every pixel
// of its rectangle, so the buffer under it never shows. Leaving it out keeps
// a flood of host output from repainting the control once a frame, which
// costs more than the text itself (the style's fills are handed to a pool of
// threads). Controls that let the view show through (the selection frame,
// rounded buttons) are repainted over the new text as before.
QRegion VisibleOfBackBuffer(const QWidget& view, QRegion drawn) {
  if (drawn.isEmpty()) return drawn;
  for (const QObject* child : view.children()) {
    const auto* w = qobject_cast<const QWidget*>(child);
    if (w && w->isVisible() && !w->isWindow() && w->autoFillBackground() && drawn.intersects(w->geometry()))
      drawn -= w->geometry();
  }
  return drawn;
}

}  // namespace

QtWindows::QtWindows(EventSink& sink, QtMenus* menus, const InterfaceDescription& description)
    : sink_(sink), menus_(menus), description_(description) {}

QtWindows::~QtWindows() {
  // Widgets being taken down report the keyboard's loss to no key map.
  keyMap_ = nullptr;
  while (!windows_.empty()) Forget(windows_.begin()->first);
}

QWidget* QtWindows::TopLevel(int n) const {
  const auto it = windows_.find(n);
  return it == windows_.end() ? nullptr : it->second.top.data();
}

QWidget* QtWindows::View(int n) const {
  const auto it = windows_.find(n);
  return it == windows_.end() ? nullptr : it->second.view.data();
}

Controls* QtWindows::WindowControls(int n) {
  const auto it = windows_.find(n);
  return it == windows_.end() ? nullptr : it->second.controls.get();
}

PixelImage QtWindows::ContentPixels(int n, Rect r) const {
  PixelImage out;
  const QtImagePort* port = BackBuffer(n);
  if (!port) return out;
  const QImage& image = port->Image();
  const QRect area = QRect(r.left, r.top, r.Width(), r.Height()).intersected(image.rect());
  if (area.isEmpty()) return out;
  const QImage part = image.copy(area).convertToFormat(QImage::Format_ARGB32);
  out.width = part.width();
  out.height = part.height();
  out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(part.constScanLine(y));
    std::copy(line, line + out.width, out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * out.width);
  }
  return out;
}

QtImagePort* QtWindows::BackBuffer(int n) const {
  const auto it = windows_.find(n);
  return it == windows_.end() ? nullptr : it->second.port.get();
}

SessionSurface QtWindows::MakeSessionWindow(int n, const std::string& title, int width, int height) {
  if (Exists(n)) Forget(n);
  Entry& e = windows_[n];
  e.title = title;
  auto* top = new Frame(*this, n);
  top->setWindowTitle(FromMacRoman(title));
  auto* layout = new QVBoxLayout(top);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (menus_) {
    auto* bar = new QMenuBar(top);
    menus_->AttachTo(bar);
    layout->setMenuBar(bar);
  }
  e.port = std::make_unique<QtImagePort>(width, height);
  auto* view = new SessionView(*this, n, *e.port);
  view->programSize = QSize(width, height);
  view->resize(width, height);
  layout->addWidget(view);
  e.controls = std::make_unique<QtControls>(view);
  // The function-key bar's buttons and the scroll-back bar report the user's
  // clicks and drags as control hits of the window.
  e.controls->onUserAction = [this, n](int id, ControlPart) { Post(DialogEvent(kControlHit, id, n)); };
  e.top = top;
  e.view = view;
  QPointer<QWidget> target(view);
  QtImagePort* port = e.port.get();
  e.port->onFlush = [target, port] {
    if (target) target->update(VisibleOfBackBuffer(*target, port->TakeDrawn()));
  };
  top->resize(width, height + (menus_ ? top->layout()->menuBar()->sizeHint().height() : 0));
  return {e.port.get(), e.controls.get()};
}

Port* QtWindows::MakeStatusWindow(int n, const std::string& title, Rect frame, bool shown) {
  if (Exists(n)) Forget(n);
  Entry& e = windows_[n];
  e.title = title;
  e.port = std::make_unique<QtImagePort>(std::max(frame.Width(), 1), std::max(frame.Height(), 1));
  auto* strip = new StatusStrip(*e.port);
  strip->setWindowTitle(FromMacRoman(title));
  strip->setGeometry(frame.left, frame.top, std::max(frame.Width(), 1), std::max(frame.Height(), 1));
  e.top = strip;
  e.view = strip;
  QPointer<QWidget> target(strip);
  QtImagePort* port = e.port.get();
  e.port->onFlush = [target, port] {
    if (target) target->update(port->TakeDrawn());
  };
  if (shown) strip->show();
  return e.port.get();
}

bool QtWindows::MakeDialogWindow(int n, const std::string& name) {
  if (Exists(n)) Forget(n);
  Entry& e = windows_[n];
  auto* top = new Frame(*this, n);
  e.top = top;
  const WindowDescription* d = description_.FindWindow(name);
  if (!d) {
    e.title = "Untitled";
    top->setWindowTitle(QStringLiteral("Untitled"));
    top->resize(550, 400);
    return false;
  }
  e.title = d->title;
  top->setWindowTitle(FromMacRoman(d->title));
  e.controls = std::make_unique<QtControls>(top);
  BuildDialogWindow(*top, *d, *e.controls, [this, n](int control) { Post(DialogEvent(kControlHit, control, n)); });
  return true;
}

void QtWindows::Show(int n) {
  if (QWidget* top = TopLevel(n)) top->show();
}

void QtWindows::Hide(int n) {
  if (QWidget* top = TopLevel(n)) top->hide();
}

void QtWindows::Activated(int n) {
  if (!Exists(n) || front_ == n) return;
  order_.erase(std::remove(order_.begin(), order_.end(), n), order_.end());
  order_.insert(order_.begin(), n);
  front_ = n;
  Post(DialogEvent(kWindowActivated, n, n));
}

void QtWindows::BringToFront(int n) {
  QWidget* top = TopLevel(n);
  if (!top) return;
  top->show();
  top->raise();
  top->activateWindow();
  if (QWidget* view = View(n)) view->setFocus();
  Activated(n);
}

void QtWindows::Forget(int n) {
  const auto it = windows_.find(n);
  if (it == windows_.end()) return;
  Entry& e = it->second;
  if (auto* frame = dynamic_cast<Frame*>(e.top.data())) frame->closingByProgram = true;
  if (e.port) e.port->onFlush = nullptr;
  e.controls.reset();
  delete e.top.data();
  windows_.erase(it);
  order_.erase(std::remove(order_.begin(), order_.end(), n), order_.end());
}

void QtWindows::Close(int n) {
  Forget(n);
  if (front_ == n) front_ = order_.empty() ? 0 : order_.front();
}

void QtWindows::SetTitle(int n, const std::string& title) {
  const auto it = windows_.find(n);
  if (it == windows_.end()) return;
  it->second.title = title;
  if (it->second.top) it->second.top->setWindowTitle(FromMacRoman(title));
}

std::string QtWindows::Title(int n) const {
  const auto it = windows_.find(n);
  return it == windows_.end() ? std::string() : it->second.title;
}

bool QtWindows::IsCollapsed(int n) const {
  const QWidget* top = TopLevel(n);
  return top && top->isMinimized();
}

void QtWindows::SetOpacity(int n, int percent) {
  // A window system without transparent windows shows the window opaque.
  if (QWidget* top = TopLevel(n)) top->setWindowOpacity(std::clamp(percent, 20, 100) / 100.0);
}

void QtWindows::ToggleFullScreen(int n) {
  QWidget* top = TopLevel(n);
  if (!top) return;
  if (top->isFullScreen())
    top->showNormal();
  else
    top->showFullScreen();
}

bool QtWindows::IsFullScreen(int n) const {
  const QWidget* top = TopLevel(n);
  return top && top->isFullScreen();
}

Size QtWindows::ContentSize(int n) const {
  const auto it = windows_.find(n);
  if (it == windows_.end()) return {};
  if (it->second.port) return {it->second.port->Width(), it->second.port->Height()};
  const QWidget* top = it->second.top.data();
  return top ? Size{top->width(), top->height()} : Size{};
}

Rect QtWindows::ContentFrame(int n) const {
  const auto it = windows_.find(n);
  if (it == windows_.end()) return {};
  const QWidget* top = it->second.top.data();
  if (!top) return {};
  const QRect g = top->geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtWindows::SetContentSize(int n, int width, int height) {
  const auto it = windows_.find(n);
  if (it == windows_.end()) return;
  Entry& e = it->second;
  if (!e.port) {
    if (e.top) e.top->resize(width, height);
    return;
  }
  e.port->Resize(width, height);
  if (auto* view = dynamic_cast<SessionView*>(e.view.data())) {
    view->programSize = QSize(width, height);
    view->resize(width, height);
  }
  if (e.top) {
    const int bar = e.top->layout() && e.top->layout()->menuBar() ? e.top->layout()->menuBar()->sizeHint().height() : 0;
    e.top->resize(width, height + bar);
  }
}

Size QtWindows::MainScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {1024, 768};
  const QRect r = screen->availableGeometry();
  return {r.width(), r.height()};
}

Size QtWindows::MainScreenResolution() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {1024, 768};
  const QRect r = screen->geometry();
  return {r.width(), r.height()};
}

}  // namespace korvane::platform
