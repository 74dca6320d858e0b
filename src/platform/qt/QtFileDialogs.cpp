#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

const char* KindName(FileKind kind) {
  switch (kind) {
    case FileKind::Text: return "Text files";
    case FileKind::Settings: return "Settings documents";
    case FileKind::FunctionKeys: return "Function-key documents";
    case FileKind::QuickDial: return "QuickDial services";
    case FileKind::Application: return "Applications";
    case FileKind::Any: break;
  }
  return "All files";
}

QString FromMacRoman(const std::string& text) { return QString::fromStdString(Utf8FromMacRoman(text)); }

}  // namespace

std::vector<std::string> QtFileDialogs::NameFilters(const std::vector<FileKind>& kinds) const {
  std::vector<std::string> filters;
  auto name = [this](FileKind kind) {
    const std::string english = KindName(kind);
    return localise_ ? Utf8FromMacRoman(localise_(english)) : english;
  };
  for (FileKind kind : kinds) {
    const auto extensions = ExtensionsOf(kind);
    if (extensions.empty()) continue;
    std::string patterns;
    for (const auto& e : extensions) patterns += (patterns.empty() ? "*." : " *.") + e;
    filters.push_back(name(kind) + " (" + patterns + ")");
  }
  filters.push_back(name(FileKind::Any) + " (*)");
  return filters;
}

std::optional<std::string> QtFileDialogs::Run(QFileDialog& dialog) {
  if (onShow) onShow(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return chosen.front().toStdString();
}

std::optional<std::string> QtFileDialogs::ChooseFile(const std::vector<FileKind>& kinds, const std::string& prompt) {
  QFileDialog dialog(QApplication::activeWindow(), FromMacRoman(prompt));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const auto& f : NameFilters(kinds)) filters << QString::fromStdString(f);
  dialog.setNameFilters(filters);
  return Run(dialog);
}

std::optional<std::string> QtFileDialogs::ChooseNewFile(FileKind kind, const std::string& prompt,
                                                        const std::string& proposedName) {
  QFileDialog dialog(QApplication::activeWindow(), FromMacRoman(prompt));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const auto& f : NameFilters({kind})) filters << QString::fromStdString(f);
  dialog.setNameFilters(filters);
  const auto extensions = ExtensionsOf(kind);
  if (!extensions.empty()) dialog.setDefaultSuffix(QString::fromStdString(extensions.front()));
  if (!proposedName.empty()) dialog.selectFile(FromMacRoman(proposedName));
  return Run(dialog);
}

}  // namespace korvane::platform
