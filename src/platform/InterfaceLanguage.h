#pragma once
// The language of the interface: English or French. The user's locale
// decides (the first of LC_ALL, LC_MESSAGES and LANG that is set: French when
// it starts with "fr"), unless the settings folder holds a "language" file
// that names the language ("French" or "fr", "English" or "en").

#include <functional>
#include <string>

namespace korvane::platform {

// The name of the string table of the language: "fr" or "en".
// `environment` reads an environment variable (null when it is not set);
// `languageFile` is the text of the settings folder's "language" file, empty
// when there is none.
std::string InterfaceLanguageName(const std::function<const char*(const char*)>& environment,
                                  const std::string& languageFile);

}  // namespace korvane::platform
