#pragma once
// The file a host names when it asks for an upload (ESC STX 'U' ...): the
// host's name turned into a file of the user's Documents folder, and every
// name that could reach anything else refused before a byte is read.
//
// A DOS drive letter ("C:\") is dropped and "\" and "/" separate folders as
// ":" does. A bare name lies in Documents/pick, a name with folders below
// Documents. The name must end in ".txt"; an empty folder name (which on the
// host's side steps up), ".", "..", a control character, or a symbolic link
// that leads out of the Documents folder is refused, and so is anything but a
// plain file.

#include <string>

namespace korvane::output {

struct UploadFile {
  enum class Result {
    Found,     // `path` is the file to send
    NoTxt,     // the name does not end in ".txt"
    Refused,   // the name leads outside the Documents folder, or to no plain file
    NotFound,  // the name is acceptable but no such file exists
  };
  Result result = Result::Refused;
  std::string path;  // the local path (when Found or NotFound)
};

// The host's name as the Part's rules turn it (drive letter dropped, "\" and
// "/" as ":").
std::string NormaliseUploadName(const std::string& hostName);

UploadFile ResolveUploadName(const std::string& hostName, const std::string& documents);

}  // namespace korvane::output
