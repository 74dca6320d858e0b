#pragma once
// Checks of the values that the session set-ups type into a shell, a telnet
// client or kermit. A value that passes cannot end a line, start a command,
// expand, glob or quote: each check allows a small set of characters and
// nothing else. Empty values pass where the set-up types them unchanged.

#include <string_view>

namespace korvane {

// Letters, digits, ".", "-" and ":", or an IPv6 address in "[ ]"; not
// starting with "-".
bool IsValidHostName(std::string_view host);
// Digits only, at most five.
bool IsValidPort(std::string_view port);
// The POSIX portable user-name set (letters, digits, ".", "_", "-"), not
// starting with "-", and not empty.
bool IsValidUserName(std::string_view user);
// Letters, digits, "-", "+" and ".".
bool IsValidTerminalName(std::string_view name);
// Options of a client: letters, digits, blanks and - = . , _ / : @ + % ^ ~
// (no "~" but at the start of a word, where it means a home folder).
bool IsValidOptionText(std::string_view options);
// Secure-shell options that make the client run a program of this machine
// (ProxyCommand, LocalCommand, KnownHostsCommand ...).
bool NamesLocalCommand(std::string_view sshOptions);
// An absolute path of letters, digits, "/", ".", "_", "-" and "+".
bool IsTypeablePath(std::string_view path);

}  // namespace korvane
