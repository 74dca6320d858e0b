#include "platform/posix/Locales.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace korvane::platform::posix {

namespace {

// True when `name` is an installed locale whose character set is ISO 8859-1.
bool IsLatin1Locale(const std::string& name) {
  locale_t loc = newlocale(LC_CTYPE_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return false;
  const char* codeset = nl_langinfo_l(CODESET, loc);
  const bool latin1 = codeset && std::strcmp(codeset, "ISO-8859-1") == 0;
  freelocale(loc);
  return latin1;
}

}  // namespace

std::string InstalledLatin1Locale(std::string_view preferred) {
  // "ll_TT" of "ll_TT.codeset@modifier".
  const std::string_view base = preferred.substr(0, preferred.find_first_of(".@"));
  std::vector<std::string> candidates;
  auto forms = [&](std::string_view languageTerritory) {
    if (languageTerritory.size() < 2 || languageTerritory == "C" || languageTerritory == "POSIX") return;
    const std::string lt(languageTerritory);
    candidates.push_back(lt + ".ISO-8859-1");
    candidates.push_back(lt + ".iso88591");
    candidates.push_back(lt);
  };
  forms(base);
  forms("en_US");
  for (const std::string& name : candidates)
    if (IsLatin1Locale(name)) return name;
  return {};
}

std::string UserLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace korvane::platform::posix
