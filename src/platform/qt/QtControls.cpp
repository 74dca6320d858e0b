#include "platform/qt/QtControls.h"

#include <QFont>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

QRect ToQRect(Rect r) { return QRect(r.left, r.top, std::max(r.Width(), 0), std::max(r.Height(), 0)); }

// Titles are text in the program's 8-bit character set.
QString TitleText(const std::string& title) {
  QString out;
  out.reserve(static_cast<int>(title.size()));
  for (unsigned char ch : title) out += QChar(static_cast<char16_t>(MacRomanToUnicode(ch)));
  return out;
}

ControlPart PartOfAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ControlPart::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ControlPart::LineDown;
    case QAbstractSlider::SliderPageStepSub: return ControlPart::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return ControlPart::PageDown;
    default: return ControlPart::Thumb;
  }
}

}  // namespace

QtControls::QtControls(QWidget* parent) : parent_(parent) {}

QtControls::~QtControls() {
  for (auto& [id, w] : widgets_) delete w.data();
}

QWidget* QtControls::Widget(int id) const {
  auto it = widgets_.find(id);
  return it == widgets_.end() ? nullptr : it->second.data();
}

QScrollBar* QtControls::ScrollBar(int id) const { return qobject_cast<QScrollBar*>(Widget(id)); }

bool QtControls::HasControl(int id) const { return Widget(id) != nullptr; }

void QtControls::Forget(int id) {
  // The control may be closing in answer to its own click: it goes away
  // when control is back in the event loop.
  if (QWidget* w = Widget(id)) {
    w->hide();
    w->deleteLater();
  }
  widgets_.erase(id);
}

void QtControls::MakeBevelButton(int id, Rect bounds, const std::string& title) {
  auto* button = qobject_cast<QPushButton*>(Widget(id));
  if (!button) {
    Forget(id);
    button = new QPushButton(parent_);
    button->setFocusPolicy(Qt::NoFocus);
    // clicked() is emitted for the user's click (and click()), never for a
    // title or geometry the program sets.
    QObject::connect(button, &QPushButton::clicked, button, [this, id] {
      if (onUserAction) onUserAction(id, ControlPart::Button);
    });
    widgets_[id] = button;
  }
  const QSignalBlocker block(button);
  button->setText(TitleText(title));
  button->setGeometry(ToQRect(bounds));
  button->setEnabled(true);
  button->show();
}

void QtControls::SetControlTitleFont(int id, int16_t font, int16_t size) {
  QWidget* w = Widget(id);
  if (!w) return;
  QFont f = w->font();
  if (font == kLabelFont) f.setFamily(QStringLiteral("DejaVu Sans"));
  if (size > 0) f.setPointSize(size);
  w->setFont(f);
  w->update();
}

void QtControls::MakeScrollBar(int id, Rect bounds) {
  auto* bar = ScrollBar(id);
  if (!bar) {
    Forget(id);
    bar = new QScrollBar(Qt::Vertical, parent_);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setRange(0, 0);
    // actionTriggered comes only from the user (arrows, track, thumb). At that
    // moment the slider position already holds the new value, which is what
    // ControlValue reads.
    QObject::connect(bar, &QScrollBar::actionTriggered, bar, [this, id](int action) {
      if (onUserAction) onUserAction(id, PartOfAction(action));
    });
    widgets_[id] = bar;
  }
  bar->setGeometry(ToQRect(bounds));
  bar->show();
}

void QtControls::MoveControl(int id, Rect bounds) {
  if (QWidget* w = Widget(id)) w->setGeometry(ToQRect(bounds));
}

void QtControls::ShowControl(int id, bool shown) {
  if (QWidget* w = Widget(id)) w->setVisible(shown);
}

void QtControls::CloseControl(int id) { Forget(id); }

void QtControls::SetScrollBarRange(int id, int minimum, int maximum, int page) {
  QScrollBar* bar = ScrollBar(id);
  if (!bar) return;
  const QSignalBlocker block(bar);
  bar->setRange(minimum, std::max(minimum, maximum));
  bar->setPageStep(std::max(page, 1));
}

void QtControls::SetControlValue(int id, int value) {
  QScrollBar* bar = ScrollBar(id);
  if (!bar) return;
  const QSignalBlocker block(bar);
  bar->setValue(value);
}

int QtControls::ControlValue(int id) const {
  if (QScrollBar* bar = ScrollBar(id)) return bar->sliderPosition();
  return 0;
}

void QtControls::SetControlActive(int id, bool active) {
  if (QWidget* w = Widget(id)) w->setEnabled(active);
}

bool QtControls::ControlActive(int id) const {
  const QWidget* w = Widget(id);
  return w && w->isEnabled();
}

}  // namespace korvane::platform
