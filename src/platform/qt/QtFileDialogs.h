#pragma once
// The open and save dialogs on Qt (QFileDialog), with a name filter for each
// kind of file asked for and one for every file.

#include <functional>
#include <string>

#include "platform/FileDialogs.h"

class QFileDialog;

namespace korvane::platform {

class QtFileDialogs final : public FileDialogs {
 public:
  // `localise` gives the filter names in the user's language.
  explicit QtFileDialogs(std::function<std::string(const std::string&)> localise = {})
      : localise_(std::move(localise)) {}

  std::optional<std::string> ChooseFile(const std::vector<FileKind>& kinds, const std::string& prompt) override;
  std::optional<std::string> ChooseNewFile(FileKind kind, const std::string& prompt,
                                           const std::string& proposedName) override;

  // The name filters offered for the kinds (the last is every file), for tests.
  std::vector<std::string> NameFilters(const std::vector<FileKind>& kinds) const;

  // Called with each dialog before it runs (tests answer it there).
  std::function<void(QFileDialog&)> onShow;

 private:
  std::optional<std::string> Run(QFileDialog& dialog);
  std::function<std::string(const std::string&)> localise_;
};

}  // namespace korvane::platform
