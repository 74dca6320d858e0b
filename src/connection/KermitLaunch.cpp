// Starting the external kermit program from the shell: its folder, its
// options, the terminal name, the transfer folder and, for telnet, the
// connection it opens.

#include <array>
#include <string>
#include <vector>

#include "connection/FieldChecks.h"
#include "connection/SessionChild.h"

namespace korvane {
namespace {

constexpr std::array<std::string_view, 17> kKermitOptionFlags = {"-0", "-8", "-A", "-D", "-H", "-I", "-M", "-Q", "-R",
                                                                 "-T", "-V", "-Y", "-d", "-p", "-q", "-v", "-z"};

constexpr std::array<const char*, 9> kTelnetRefusals = {"set telopt new-environment refuse",
                                                        "set telopt authentication refuse",
                                                        "set telopt kermit refuse",
                                                        "set telopt naws refuse",
                                                        "set telopt forward-x refuse",
                                                        "set telopt com-port-control refuse",
                                                        "set telnet echo remote",
                                                        "set telopt echo refuse",
                                                        "set telnet newline-mode raw"};

}  // namespace

bool SessionChild::KermitOptionsTyped() const {
  for (std::string_view flag : kKermitOptionFlags)
    if (Opt.TelnetOptions.find(flag) != std::string::npos) return true;
  return false;
}

bool SessionChild::FindKermit(KermitPlace& place) {
  // The program's own kermit folder first, then the kermit installed on the
  // system.
  if (processes.IsExecutableFile(programs.KermitAppFolder + "/kermit")) {
    place.folder = programs.KermitAppFolder;
    place.inAppFolder = true;
  } else {
    const std::string found = processes.FindOnPath("kermit");
    if (found.empty()) {
      ReportMissing("Cannot start kermit: it is neither in " + programs.KermitAppFolder + " nor on the PATH.");
      return false;
    }
    place.folder = found.substr(0, found.rfind('/'));
    if (place.folder.empty()) place.folder = "/";
    place.inAppFolder = false;
  }
  for (const std::string& folder : {place.folder, programs.DocumentsFolder}) {
    if (IsTypeablePath(folder)) continue;
    Refuse("The folder \"" + folder + "\" cannot be used with kermit.",
           "Folder names given to kermit may hold only letters, digits, \"/\", \".\", \"_\", \"-\" and \"+\".");
    return false;
  }
  return true;
}

std::vector<SessionChild::TypedLine> SessionChild::KermitLines(KermitKind kind, const std::string& termName,
                                                               const KermitPlace& place) const {
  std::vector<TypedLine> lines;
  // In the shell: to kermit's folder, and start it.
  lines.push_back({"cd " + place.folder, 100});
  lines.push_back({"chmod +x kermit", 100});
  lines.push_back({"./kermit", 100});
  // From here on the lines are kermit's commands.
  if (kind != KermitKind::LocalShell && KermitOptionsTyped()) lines.push_back({"kermit " + Opt.TelnetOptions, 100});
  lines.push_back({"set telnet terminal-type " + termName, 100});
  if (kind == KermitKind::Telnet && Opt.KermitRefuseTelopts)
    for (const char* refusal : kTelnetRefusals) lines.push_back({refusal, 100});
  lines.push_back({"set file collision overwrite", 100});
  const std::string& documents = programs.DocumentsFolder;
  if (!place.inAppFolder) {
    lines.push_back({"CD " + documents, 100});
  } else if (kind == KermitKind::LocalShell) {
    lines.push_back({"cd " + documents, 100});
  } else {
    // From the root, then down to the Documents folder, without pauses.
    lines.push_back({"cd /", 0});
    lines.push_back({"cd " + documents.substr(1), 0});
  }
  lines.push_back({"mkdir kermit_transfers", 100});
  lines.push_back({"cd kermit_transfers", 100});
  if (kind == KermitKind::Telnet)
    lines.push_back({"set host /connect /nowait " + Opt.TelnetHost + " " + Opt.TelnetPort + " /telnet", 100});
  return lines;
}

}  // namespace korvane
