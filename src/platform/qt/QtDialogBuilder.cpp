#include "platform/qt/QtDialogBuilder.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>
#include <algorithm>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

QString FromMacRoman(const std::string& text) { return QString::fromStdString(Utf8FromMacRoman(text)); }

// The width of `chars` average characters of the widget's font, with the
// frame a field draws around its text.
int WidthForChars(const QWidget& w, int chars) { return w.fontMetrics().averageCharWidth() * chars + 16; }

constexpr int kShortField = 12;

QWidget* MakeControl(QWidget& parent, const ControlDescription& c, QtControls& controls,
                     const std::function<void(int)>& hit) {
  const QString text = FromMacRoman(c.title);
  const int number = c.number;
  QWidget* w = nullptr;
  ControlKind kind = ControlKind::StaticText;
  if (c.kind == "button") {
    auto* b = new QPushButton(text, &parent);
    b->setAutoDefault(false);
    b->setDefault(c.isDefault);
    if (number) QObject::connect(b, &QPushButton::clicked, b, [hit, number] { hit(number); });
    w = b;
    kind = ControlKind::PushButton;
  } else if (c.kind == "checkbox") {
    auto* b = new QCheckBox(text, &parent);
    if (number) QObject::connect(b, &QCheckBox::clicked, b, [hit, number] { hit(number); });
    w = b;
    kind = ControlKind::CheckBox;
  } else if (c.kind == "radio") {
    // The program keeps each group's one choice.
    auto* b = new QRadioButton(text, &parent);
    b->setAutoExclusive(false);
    if (number) QObject::connect(b, &QRadioButton::clicked, b, [hit, number] { hit(number); });
    w = b;
    kind = ControlKind::RadioButton;
  } else if (c.kind == "text") {
    auto* f = new QLineEdit(text, &parent);
    if (c.password) f->setEchoMode(QLineEdit::Password);
    if (c.monospaced) f->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // textEdited is the user's typing, cutting and pasting alone.
    if (number) QObject::connect(f, &QLineEdit::textEdited, f, [hit, number] { hit(number); });
    if (c.chars > 0) f->setMinimumWidth(WidthForChars(*f, c.chars));
    // A short field (a port, a delay, a character) keeps its width.
    if (c.chars > 0 && c.chars <= kShortField) f->setMaximumWidth(WidthForChars(*f, c.chars));
    w = f;
    kind = ControlKind::EditText;
  } else if (c.kind == "popup") {
    auto* box = new QComboBox(&parent);
    for (const std::string& item : c.items) box->addItem(FromMacRoman(item));
    box->setCurrentIndex(-1);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // activated is the user's choice; a value the program sets is not.
    if (number) QObject::connect(box, &QComboBox::activated, box, [hit, number] { hit(number); });
    w = box;
    kind = ControlKind::PopupMenu;
  } else if (c.kind == "slider") {
    auto* s = new QSlider(Qt::Horizontal, &parent);
    if (number) QObject::connect(s, &QSlider::actionTriggered, s, [hit, number] { hit(number); });
    if (c.chars > 0) s->setMinimumWidth(WidthForChars(*s, c.chars));
    w = s;
    kind = ControlKind::Slider;
  } else {
    auto* label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(c.wrap);
    if (c.heading) {
      QFont f = label->font();
      f.setBold(true);
      f.setPointSizeF(f.pointSizeF() * 1.5);
      label->setFont(f);
    }
    if (c.chars > 0) label->setMinimumWidth(WidthForChars(*label, c.chars));
    if (c.lines > 1) label->setMinimumHeight(label->fontMetrics().lineSpacing() * c.lines);
    w = label;
  }
  if (!c.takesFocus) w->setFocusPolicy(Qt::NoFocus);
  if (c.hidden) w->setVisible(false);
  w->setProperty("korvaneControl", number);
  if (number) controls.Adopt(number, kind, w);
  return w;
}

struct Builder {
  QWidget& top;
  const WindowDescription& d;
  QtControls& controls;
  const std::function<void(int)>& hit;

  QLayout* Layout(const LayoutNode& node, QWidget& parent) {
    switch (node.kind) {
      case LayoutNode::Kind::Grid: {
        auto* grid = new QGridLayout;
        const int columns = std::max(node.columns, 1);
        for (std::size_t i = 0; i < node.children.size(); ++i) {
          const int row = static_cast<int>(i) / columns, column = static_cast<int>(i) % columns;
          const LayoutNode& cell = node.children[i];
          if (cell.kind == LayoutNode::Kind::Control) {
            QWidget* w = Control(cell, parent);
            // Fields that keep their width, texts and buttons stand at the
            // left of their cell; the others fill it.
            const bool keepsWidth =
                w->maximumWidth() < QWIDGETSIZE_MAX || qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
            grid->addWidget(w, row, column, keepsWidth ? Qt::AlignLeft | Qt::AlignVCenter : Qt::Alignment());
          } else if (cell.kind == LayoutNode::Kind::Stretch) {
            grid->setColumnStretch(column, 1);
          } else if (cell.kind != LayoutNode::Kind::Spacing) {
            grid->addLayout(Layout(cell, parent), row, column);
          }
        }
        // Captions keep to their width; the last column takes what is left.
        grid->setColumnStretch(columns - 1, 1);
        return grid;
      }
      case LayoutNode::Kind::Row:
      case LayoutNode::Kind::Column: {
        auto* box =
            new QBoxLayout(node.kind == LayoutNode::Kind::Row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
        for (const LayoutNode& child : node.children) Add(*box, child, parent);
        return box;
      }
      default: {
        // A single item stands in a column of its own.
        auto* box = new QVBoxLayout;
        Add(*box, node, parent);
        return box;
      }
    }
  }

  QWidget* Control(const LayoutNode& node, QWidget& parent) {
    return MakeControl(parent, d.controls.at(static_cast<std::size_t>(node.control)), controls, hit);
  }

  void Add(QBoxLayout& box, const LayoutNode& node, QWidget& parent) {
    switch (node.kind) {
      case LayoutNode::Kind::Control: box.addWidget(Control(node, parent)); break;
      case LayoutNode::Kind::Stretch: box.addStretch(1); break;
      case LayoutNode::Kind::Spacing: box.addSpacing(node.size); break;
      case LayoutNode::Kind::Group: {
        auto* group = new QGroupBox(FromMacRoman(node.title), &parent);
        if (!node.children.empty()) {
          QLayout* body = Layout(node.children.front(), *group);
          // A group's contents keep to its top left corner when it is stretched.
          if (auto* inner = qobject_cast<QBoxLayout*>(body)) inner->addStretch(1);
          group->setLayout(body);
        }
        box.addWidget(group);
        break;
      }
      default: box.addLayout(Layout(node, parent)); break;
    }
  }
};

}  // namespace

void BuildDialogWindow(QWidget& top, const WindowDescription& d, QtControls& controls,
                       const std::function<void(int)>& hit) {
  if (d.hasLayout) {
    Builder builder{top, d, controls, hit};
    auto* outer = new QVBoxLayout(&top);
    // The window takes the size its contents need, in whatever language.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addLayout(builder.Layout(d.layout, top));
    return;
  }
  top.setFixedSize(d.width, d.height);
  for (const ControlDescription& c : d.controls) {
    QWidget* w = MakeControl(top, c, controls, hit);
    w->setGeometry(c.bounds.left, c.bounds.top, std::max(c.bounds.Width(), 1), std::max(c.bounds.Height(), 1));
  }
}

}  // namespace korvane::platform
