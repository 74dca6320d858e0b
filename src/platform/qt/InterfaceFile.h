#pragma once
// Reads the interface description (the menu bar and the dialog windows) from
// its JSON file. Texts in the file are UTF-8; the description holds them as
// the program does, in Mac Roman. Menu items carry their numbers; a number
// the file leaves out is a separator.

#include <string>

#include "platform/InterfaceDescription.h"

namespace korvane::platform {

// False, with a reason in `error`, when the file cannot be read or is not a
// valid description.
bool LoadInterfaceDescription(const std::string& path, InterfaceDescription& out, std::string& error);
bool ParseInterfaceDescription(const std::string& json, InterfaceDescription& out, std::string& error);

}  // namespace korvane::platform
