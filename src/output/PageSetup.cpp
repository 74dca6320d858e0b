#include "output/PageSetup.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "output/PrintText.h"

namespace korvane::output {

namespace {

constexpr const char* kFirstLine = "Korvane page setup 1";
constexpr std::size_t kFileMax = 4096;

std::string Number(double v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3);
  std::string s(buffer, r.ptr);
  // 595.276 rather than 595.276000; whole numbers without a point.
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

bool ReadNumber(std::string_view text, double& v) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  return r.ec == std::errc() && std::isfinite(v);
}

}  // namespace

PageSetup::PageSetup(platform::Printing& printing, platform::Files& files, platform::Alerts& alerts,
                     std::string preferencesFolder)
    : printing_(printing), files_(files), alerts_(alerts), folder_(std::move(preferencesFolder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

std::string PageSetup::FilePath() const { return folder_ + kFileName; }

int PageSetup::GetWindowPageFormat(int window, platform::PageFormat& format) {
  const auto it = formats_.find(window);
  if (it == formats_.end()) {
    format = printing_.DefaultPageFormat();
    formats_[window] = format;
    return 0;
  }
  const int status = printing_.ValidatePageFormat(it->second);
  if (status != 0) {
    formats_.erase(it);
    format = {};
    return status;
  }
  format = it->second;
  return 0;
}

int PageSetup::DoPageSetupDialog(int window) {
  if (window == 0) return 0;
  platform::PageFormat format;
  if (const int status = GetWindowPageFormat(window, format); status != 0) {
    ShowPrintError(alerts_, {status, false, {}});
    return status;
  }
  const platform::PrintResult result = printing_.PageSetupDialog(format);
  if (result.status != 0) {
    ShowPrintError(alerts_, result);
    return result.status;
  }
  if (!result.cancelled) formats_[window] = format;
  return 0;
}

std::string PageSetup::PageFormatText(const platform::PageFormat& f) {
  std::string s = kFirstLine;
  s += "\npaper=" + f.paperName;
  s += "\nwidth=" + Number(f.paperWidth);
  s += "\nheight=" + Number(f.paperHeight);
  s += std::string("\norientation=") + (f.landscape ? "landscape" : "portrait");
  s += "\nmargins=" + Number(f.marginLeft) + " " + Number(f.marginTop) + " " + Number(f.marginRight) + " " +
       Number(f.marginBottom) + "\n";
  return s;
}

bool PageSetup::ParsePageFormat(const std::string& text, platform::PageFormat& format) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kFirstLine) return false;
  platform::PageFormat f;
  bool width = false, height = false, orientation = false, margins = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string_view value = std::string_view(line).substr(eq + 1);
    if (key == "paper") {
      f.paperName = std::string(value);
    } else if (key == "width") {
      width = ReadNumber(value, f.paperWidth) && f.paperWidth > 0;
    } else if (key == "height") {
      height = ReadNumber(value, f.paperHeight) && f.paperHeight > 0;
    } else if (key == "orientation") {
      orientation = value == "portrait" || value == "landscape";
      f.landscape = value == "landscape";
    } else if (key == "margins") {
      std::istringstream m{std::string(value)};
      std::string a, b, c, d;
      m >> a >> b >> c >> d;
      margins = ReadNumber(a, f.marginLeft) && ReadNumber(b, f.marginTop) && ReadNumber(c, f.marginRight) &&
                ReadNumber(d, f.marginBottom) && f.marginLeft >= 0 && f.marginTop >= 0 && f.marginRight >= 0 &&
                f.marginBottom >= 0;
    }
  }
  if (!width || !height || !orientation || !margins) return false;
  format = f;
  return true;
}

void PageSetup::LoadPageSetupFile(int window) {
  if (window == 0) return;
  std::string bytes;
  if (files_.ReadFile(FilePath(), bytes, kFileMax) != 0) return;
  platform::PageFormat format;
  if (ParsePageFormat(bytes, format)) formats_[window] = format;
}

void PageSetup::SavePageSetupFile(int window) {
  if (window == 0) return;
  const auto it = formats_.find(window);
  if (it == formats_.end()) return;
  if (!folder_.empty()) files_.MakeFolders(folder_.substr(0, folder_.size() - 1));
  // The file is replaced whole, so a failed save leaves the old one; the
  // user is told, since the page setup would otherwise be lost unnoticed.
  if (const int error = files_.ReplaceFile(FilePath(), PageFormatText(it->second)); error != 0)
    alerts_.Show(platform::AlertKind::Stop, 0, "The page setup could not be saved.", "\r",
                 FilePath() + ": " + platform::FileErrorText(error));
}

}  // namespace korvane::output
