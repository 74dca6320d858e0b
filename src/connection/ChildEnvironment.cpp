#include "connection/ChildEnvironment.h"

namespace korvane {

bool SessionShowsLatin1(const SessionOptions& opt) {
  const bool eightBits = opt.EmuPrism ? opt.PrismSevenBit == 0 : opt.NationalCharsOff == 1;
  return eightBits && opt.DecMultinational == 1;
}

EnvironmentVariables ChildEnvironment(const SessionOptions& opt, const ChildPrograms& programs,
                                      const std::string& term) {
  EnvironmentVariables env;
  env.emplace_back("TERM", term.empty() ? std::string("dumb") : term);
  if (!programs.TerminfoFolder.empty()) {
    // An empty entry stands for the system's own folders.
    env.emplace_back("TERMINFO_DIRS", programs.TerminfoFolder + ":" + programs.InheritedTerminfoDirs);
  }
  const std::string locale =
      SessionShowsLatin1(opt) && !programs.Latin1Locale.empty() ? programs.Latin1Locale : std::string("C");
  env.emplace_back("LANG", locale);
  env.emplace_back("LC_ALL", locale);
  return env;
}

}  // namespace korvane
