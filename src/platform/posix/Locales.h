#pragma once
// The locales installed on this machine, as the C library finds them.

#include <string>
#include <string_view>

namespace korvane::platform::posix {

// The name of an installed locale whose character set is ISO 8859-1: first
// the language and territory of `preferred` (a locale name such as
// "fr_FR.UTF-8"), then American English; empty when none is installed.
std::string InstalledLatin1Locale(std::string_view preferred);

// The locale the user's programs run in: LC_ALL, else LC_CTYPE, else LANG
// (the first that is set and not empty); empty when none is.
std::string UserLocaleName();

}  // namespace korvane::platform::posix
