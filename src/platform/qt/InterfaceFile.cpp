#include "platform/qt/InterfaceFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cctype>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

constexpr int kMostItems = 99;

std::string Text(const QJsonValue& v) { return MacRomanFromUtf8(v.toString().toStdString()); }

bool ReadMenu(const QJsonObject& o, MenuDescription& menu, std::string& error) {
  menu.number = o.value("number").toInt(0);
  menu.title = Text(o.value("title"));
  if (menu.number <= 0) {
    error = "a menu has no number";
    return false;
  }
  const QJsonArray items = o.value("items").toArray();
  for (const QJsonValue v : items) {
    const QJsonObject item = v.toObject();
    const int n = item.value("item").toInt(0);
    if (n < 1 || n > kMostItems) {
      error = "menu " + std::to_string(menu.number) + " has an item without a number from 1 to 99";
      return false;
    }
    if (n <= static_cast<int>(menu.items.size())) {
      error = "menu " + std::to_string(menu.number) + " lists item " + std::to_string(n) + " out of order";
      return false;
    }
    while (static_cast<int>(menu.items.size()) < n - 1) {
      MenuItem gap;
      gap.separator = true;
      gap.enabled = false;
      menu.items.push_back(gap);
    }
    MenuItem m;
    m.text = Text(item.value("text"));
    m.submenu = item.value("submenu").toInt(0);
    const std::string key = item.value("key").toString().toStdString();
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) m.shortcut = key[0];
    m.enabled = item.value("enabled").toBool(true);
    menu.items.push_back(m);
  }
  return true;
}

const char* const kControlKinds[] = {"button", "checkbox", "radio", "text", "label", "popup", "slider"};

bool ReadControl(const QJsonObject& c, ControlDescription& d, std::string& error) {
  d.number = c.value("number").toInt(0);
  d.kind = c.value("kind").toString().toStdString();
  if (c.contains("label")) {
    d.kind = "label";
    d.title = Text(c.value("label"));
  } else {
    d.title = Text(c.value("title"));
  }
  bool known = false;
  for (const char* k : kControlKinds) known = known || d.kind == k;
  if (!known) {
    error = "control " + std::to_string(d.number) + " is of no known kind (\"" + d.kind + "\")";
    return false;
  }
  for (const QJsonValue item : c.value("items").toArray()) d.items.push_back(Text(item));
  d.chars = c.value("chars").toInt(0);
  d.lines = std::max(1, c.value("lines").toInt(1));
  d.password = c.value("password").toBool(false);
  d.takesFocus = c.value("focus").toBool(true);
  d.hidden = c.value("hidden").toBool(false);
  d.wrap = c.value("wrap").toBool(false);
  d.monospaced = c.value("monospaced").toBool(false);
  d.isDefault = c.value("default").toBool(false);
  d.heading = c.value("heading").toBool(false);
  const QJsonArray r = c.value("rect").toArray();
  if (r.size() == 4) d.bounds = {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
  return true;
}

bool ReadLayout(const QJsonValue& v, WindowDescription& w, LayoutNode& node, std::string& error);

bool ReadChildren(const QJsonArray& list, WindowDescription& w, LayoutNode& node, std::string& error) {
  for (const QJsonValue v : list) {
    LayoutNode child;
    if (!ReadLayout(v, w, child, error)) return false;
    node.children.push_back(std::move(child));
  }
  return true;
}

// A node: a column, row, grid or group of nodes, a stretch, a spacing, or a
// control (which joins the window's list of controls).
bool ReadLayout(const QJsonValue& v, WindowDescription& w, LayoutNode& node, std::string& error) {
  if (v.isNull()) {  // an empty grid cell
    node.kind = LayoutNode::Kind::Spacing;
    return true;
  }
  const QJsonObject o = v.toObject();
  if (o.contains("group")) {
    node.kind = LayoutNode::Kind::Group;
    node.title = Text(o.value("group"));
    QJsonObject inner = o;
    inner.remove("group");
    LayoutNode body;
    if (!ReadLayout(inner, w, body, error)) return false;
    node.children.push_back(std::move(body));
    return true;
  }
  if (o.contains("column") || o.contains("row")) {
    node.kind = o.contains("column") ? LayoutNode::Kind::Column : LayoutNode::Kind::Row;
    return ReadChildren(o.value(o.contains("column") ? "column" : "row").toArray(), w, node, error);
  }
  if (o.contains("grid")) {
    node.kind = LayoutNode::Kind::Grid;
    const QJsonArray rows = o.value("grid").toArray();
    for (const QJsonValue row : rows) node.columns = std::max(node.columns, static_cast<int>(row.toArray().size()));
    for (const QJsonValue row : rows) {
      const QJsonArray cells = row.toArray();
      if (!ReadChildren(cells, w, node, error)) return false;
      for (int i = static_cast<int>(cells.size()); i < node.columns; ++i) {
        LayoutNode empty;
        empty.kind = LayoutNode::Kind::Spacing;
        node.children.push_back(empty);
      }
    }
    return true;
  }
  if (o.contains("stretch")) {
    node.kind = LayoutNode::Kind::Stretch;
    return true;
  }
  if (o.contains("spacing")) {
    node.kind = LayoutNode::Kind::Spacing;
    node.size = o.value("spacing").toInt(0);
    return true;
  }
  ControlDescription d;
  if (!ReadControl(o, d, error)) {
    error = "window \"" + w.name + "\": " + error;
    return false;
  }
  if (d.number != 0 && w.FindControl(d.number)) {
    error = "window \"" + w.name + "\" has two controls numbered " + std::to_string(d.number);
    return false;
  }
  node.kind = LayoutNode::Kind::Control;
  node.control = static_cast<int>(w.controls.size());
  w.controls.push_back(std::move(d));
  return true;
}

bool ReadWindow(const QJsonObject& o, WindowDescription& w, std::string& error) {
  w.name = o.value("name").toString().toStdString();
  w.title = Text(o.value("title"));
  w.width = o.value("width").toInt(400);
  w.height = o.value("height").toInt(200);
  if (w.name.empty()) {
    error = "a window has no name";
    return false;
  }
  if (o.contains("layout")) {
    w.hasLayout = true;
    return ReadLayout(o.value("layout"), w, w.layout, error);
  }
  for (const QJsonValue v : o.value("controls").toArray()) {
    ControlDescription d;
    if (!ReadControl(v.toObject(), d, error)) {
      error = "window \"" + w.name + "\": " + error;
      return false;
    }
    w.controls.push_back(d);
  }
  return true;
}

}  // namespace

bool ParseInterfaceDescription(const std::string& json, InterfaceDescription& out, std::string& error) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parseError);
  if (doc.isNull() || !doc.isObject()) {
    error = "not a valid interface description: " + parseError.errorString().toStdString();
    return false;
  }
  const QJsonObject root = doc.object();
  InterfaceDescription d;
  for (const QJsonValue v : root.value("menuBar").toArray()) d.menuBar.push_back(v.toInt());
  for (const QJsonValue v : root.value("menus").toArray()) {
    MenuDescription m;
    if (!ReadMenu(v.toObject(), m, error)) return false;
    d.menus.push_back(std::move(m));
  }
  for (const QJsonValue v : root.value("windows").toArray()) {
    WindowDescription w;
    if (!ReadWindow(v.toObject(), w, error)) return false;
    d.windows.push_back(std::move(w));
  }
  for (int number : d.menuBar) {
    if (!d.FindMenu(number)) {
      error = "the menu bar names menu " + std::to_string(number) + ", which is not described";
      return false;
    }
  }
  out = std::move(d);
  return true;
}

bool LoadInterfaceDescription(const std::string& path, InterfaceDescription& out, std::string& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = path + ": " + file.errorString().toStdString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (!ParseInterfaceDescription(bytes.toStdString(), out, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace korvane::platform
