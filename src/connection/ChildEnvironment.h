#pragma once
// The environment a session's child starts with: the terminal name the
// session announces (TERM), where the terminal descriptions Korvane ships
// are found (TERMINFO_DIRS, before the system's own), and a locale whose
// character set the session can show (LANG and LC_ALL: C, or an installed
// ISO 8859-1 locale where the session shows those characters; never UTF-8,
// which a character terminal shows as garbage). The secure-shell client
// passes LANG and LC_ALL on as its SendEnv setting allows.

#include <string>
#include <utility>
#include <vector>

#include "connection/ChildPrograms.h"
#include "settings/SessionOptions.h"

namespace korvane {

using EnvironmentVariables = std::vector<std::pair<std::string, std::string>>;

// True when the session shows received bytes above 127 as the characters of
// the DEC multinational set (nearly ISO 8859-1): they keep their eighth bit
// and the multinational setting is on.
bool SessionShowsLatin1(const SessionOptions& opt);

// The variables for a child of a session that announces `term` (empty: the
// session has no terminal name, and "dumb" is announced).
EnvironmentVariables ChildEnvironment(const SessionOptions& opt, const ChildPrograms& programs,
                                      const std::string& term);

}  // namespace korvane
