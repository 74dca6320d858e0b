#include "platform/qt/QtFonts.h"

#include <fontconfig/fontconfig.h>

#include <QFile>
#include <QFontDatabase>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace korvane::platform {

std::string QtFonts::FindFontFile(const std::string& family) {
  if (family.empty() || !FcInit()) return {};
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), FcPatternDestroy);
  std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
      FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_SLANT, nullptr), FcObjectSetDestroy);
  if (!pattern || !objects) return {};
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> set(FcFontList(nullptr, pattern.get(), objects.get()),
                                                              FcFontSetDestroy);
  if (!set) return {};
  // The upright face nearest to the regular weight.
  std::string best;
  int bestDistance = 0;
  for (int i = 0; i < set->nfont; ++i) {
    FcChar8* file = nullptr;
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch || !file) continue;
    FcPatternGetInteger(set->fonts[i], FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(set->fonts[i], FC_SLANT, 0, &slant);
    if (slant != FC_SLANT_ROMAN) continue;
    const int distance = std::abs(weight - FC_WEIGHT_REGULAR);
    if (best.empty() || distance < bestDistance) {
      best = reinterpret_cast<const char*>(file);
      bestDistance = distance;
    }
  }
  return best;
}

int QtFonts::ActivateFontFile(const std::string& path) {
  const QString file = QString::fromStdString(path);
  if (!QFile::exists(file)) return ENOENT;
  return QFontDatabase::addApplicationFont(file) < 0 ? EINVAL : 0;
}

}  // namespace korvane::platform
