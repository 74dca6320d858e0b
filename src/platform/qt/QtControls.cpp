#include "platform/qt/QtControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVariant>
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

// The property every numbered control carries: its number.
constexpr const char* kControlProperty = "korvaneControl";

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
  for (auto& [id, w] : widgets_)
    if (!adopted_.count(id)) delete w.data();
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
  kinds_.erase(id);
  adopted_.erase(id);
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
    kinds_[id] = ControlKind::BevelButton;
    button->setProperty(kControlProperty, id);
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
    // Opaque: the window leaves the text under it out of its repaints.
    bar->setAutoFillBackground(true);
    bar->setRange(0, 0);
    // actionTriggered comes only from the user (arrows, track, thumb). At that
    // moment the slider position already holds the new value, which is what
    // ControlValue reads.
    QObject::connect(bar, &QScrollBar::actionTriggered, bar, [this, id](int action) {
      if (onUserAction) onUserAction(id, PartOfAction(action));
    });
    widgets_[id] = bar;
    kinds_[id] = ControlKind::ScrollBar;
    bar->setProperty(kControlProperty, id);
  }
  bar->setGeometry(ToQRect(bounds));
  bar->show();
}

void QtControls::MakeImageWell(int id, Rect bounds) {
  auto* well = qobject_cast<QLabel*>(Widget(id));
  if (!well || kinds_[id] != ControlKind::ImageWell) {
    Forget(id);
    well = new QLabel(parent_);
    well->setFocusPolicy(Qt::NoFocus);
    // The picture lies over the text: clicks and drags reach the window.
    well->setAttribute(Qt::WA_TransparentForMouseEvents);
    well->setScaledContents(true);
    widgets_[id] = well;
    kinds_[id] = ControlKind::ImageWell;
    well->setProperty(kControlProperty, id);
  }
  well->setGeometry(ToQRect(bounds));
  well->show();
  well->raise();
}

bool QtControls::SetImageWellPicture(int id, const std::string& path) {
  auto* well = qobject_cast<QLabel*>(Widget(id));
  if (!well || kinds_[id] != ControlKind::ImageWell) return false;
  QImageReader reader(QString::fromStdString(path));
  // Decoded at the size it is shown, however large the file's picture is.
  if (well->width() > 0 && well->height() > 0) reader.setScaledSize(well->size());
  const QImage image = reader.read();
  if (image.isNull()) {
    well->clear();
    return false;
  }
  well->setPixmap(QPixmap::fromImage(image));
  well->raise();
  return true;
}

void QtControls::MoveControl(int id, Rect bounds) {
  if (QWidget* w = Widget(id)) w->setGeometry(ToQRect(bounds));
}

void QtControls::ShowControl(int id, bool shown) {
  if (QWidget* w = Widget(id)) w->setVisible(shown);
}

void QtControls::CloseControl(int id) { Forget(id); }

void QtControls::SetScrollBarRange(int id, int minimum, int maximum, int page) {
  auto* slider = qobject_cast<QAbstractSlider*>(Widget(id));
  if (!slider) return;
  const QSignalBlocker block(slider);
  slider->setRange(minimum, std::max(minimum, maximum));
  slider->setPageStep(std::max(page, 1));
}

void QtControls::SetControlValue(int id, int value) {
  QWidget* w = Widget(id);
  if (!w) return;
  const QSignalBlocker block(w);
  if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
    slider->setValue(value);
  } else if (auto* box = qobject_cast<QComboBox*>(w)) {
    box->setCurrentIndex(std::clamp(value, 0, box->count()) - 1);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
    button->setChecked(value != 0);
  }
}

int QtControls::ControlValue(int id) const {
  QWidget* w = Widget(id);
  if (auto* slider = qobject_cast<QAbstractSlider*>(w)) return slider->sliderPosition();
  if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentIndex() + 1;
  if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
    return button->isChecked() ? 1 : 0;
  return 0;
}

void QtControls::SetControlActive(int id, bool active) {
  if (QWidget* w = Widget(id)) w->setEnabled(active);
}

bool QtControls::ControlActive(int id) const {
  const QWidget* w = Widget(id);
  return w && w->isEnabled();
}

int QtControls::RuntimeControlNumber(const QWidget* widget) {
  if (!widget) return 0;
  const QVariant number = widget->property(kControlProperty);
  return number.isValid() ? number.toInt() : 0;
}

void QtControls::Adopt(int id, ControlKind kind, QWidget* widget) {
  widget->setProperty(kControlProperty, id);
  widgets_[id] = widget;
  kinds_[id] = kind;
  adopted_[id] = true;
}

bool QtControls::KindOf(int id, ControlKind& kind) const {
  if (!Widget(id)) return false;
  kind = kinds_.at(id);
  return true;
}

void QtControls::SetControlText(int id, const std::string& text) {
  QWidget* w = Widget(id);
  if (!w) return;
  const QSignalBlocker block(w);
  const QString t = TitleText(text);
  if (auto* field = qobject_cast<QLineEdit*>(w)) {
    field->setText(t);
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(w)) {
    area->setPlainText(t);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(t);
  } else if (auto* box = qobject_cast<QComboBox*>(w)) {
    const int index = box->findText(t);
    if (index >= 0) box->setCurrentIndex(index);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(t);
  }
}

std::string QtControls::ControlText(int id) const {
  QWidget* w = Widget(id);
  QString t;
  if (auto* field = qobject_cast<QLineEdit*>(w))
    t = field->text();
  else if (auto* area = qobject_cast<QPlainTextEdit*>(w))
    t = area->toPlainText();
  else if (auto* label = qobject_cast<QLabel*>(w))
    t = label->text();
  else if (auto* box = qobject_cast<QComboBox*>(w))
    t = box->currentIndex() >= 0 ? box->currentText() : QString();
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    t = button->text();
  return MacRomanFromUtf8(t.toStdString());
}

void QtControls::SetPopupItems(int id, const std::vector<std::string>& items) {
  auto* box = qobject_cast<QComboBox*>(Widget(id));
  if (!box) return;
  const QSignalBlocker block(box);
  const int value = box->currentIndex() + 1;
  box->clear();
  for (const std::string& item : items) box->addItem(TitleText(item));
  box->setCurrentIndex(std::clamp(value, 0, box->count()) - 1);
}

void QtControls::SetTextSelection(int id, TextSelection selection) {
  auto* field = qobject_cast<QLineEdit*>(Widget(id));
  if (!field) return;
  const QSignalBlocker block(field);
  const int length = static_cast<int>(field->text().size());
  const int start = std::clamp(selection.start, 0, length);
  const int end = std::clamp(selection.end, start, length);
  if (end > start)
    field->setSelection(start, end - start);
  else
    field->setCursorPosition(start);
}

TextSelection QtControls::ControlTextSelection(int id) const {
  auto* field = qobject_cast<QLineEdit*>(Widget(id));
  if (!field) return {};
  if (field->hasSelectedText()) {
    const int start = field->selectionStart();
    return {start, start + static_cast<int>(field->selectedText().size())};
  }
  return {field->cursorPosition(), field->cursorPosition()};
}

int QtControls::FocusedControlNumber() const {
  if (!parent_) return 0;
  // The focus within this window, even while another window is in front.
  for (QWidget* w = parent_->window()->focusWidget(); w; w = w->parentWidget())
    if (const int id = RuntimeControlNumber(w); id != 0 && Widget(id) == w) return id;
  return 0;
}

void QtControls::SetKeyboardFocus(int id) {
  if (id == 0 && parent_) {
    if (QWidget* focused = parent_->window()->focusWidget()) focused->clearFocus();
    return;
  }
  if (QWidget* w = Widget(id)) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace korvane::platform
