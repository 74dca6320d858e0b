#include "platform/qt/InterfaceFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
  for (const QJsonValue& v : items) {
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

bool ReadWindow(const QJsonObject& o, WindowDescription& w, std::string& error) {
  w.name = o.value("name").toString().toStdString();
  w.title = Text(o.value("title"));
  w.width = o.value("width").toInt(400);
  w.height = o.value("height").toInt(200);
  if (w.name.empty()) {
    error = "a window has no name";
    return false;
  }
  for (const QJsonValue& v : o.value("controls").toArray()) {
    const QJsonObject c = v.toObject();
    ControlDescription d;
    d.number = c.value("number").toInt(0);
    d.kind = c.value("kind").toString().toStdString();
    d.title = Text(c.value("title"));
    const QJsonArray r = c.value("rect").toArray();
    if (r.size() == 4) d.bounds = {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
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
  for (const QJsonValue& v : root.value("menuBar").toArray()) d.menuBar.push_back(v.toInt());
  for (const QJsonValue& v : root.value("menus").toArray()) {
    MenuDescription m;
    if (!ReadMenu(v.toObject(), m, error)) return false;
    d.menus.push_back(std::move(m));
  }
  for (const QJsonValue& v : root.value("windows").toArray()) {
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
