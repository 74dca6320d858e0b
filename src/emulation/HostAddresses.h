#pragma once
// Addresses a host asks to have opened, made harmless before the desktop
// sees them.

#include <string>

namespace korvane {

// A mailto: address keeps only the fields of a plain message (to, cc, bcc,
// subject, body, in-reply-to); any other field, such as attach= or file=,
// which some mail programs take as a local file to send, is taken out.
// Another address comes back unchanged.
std::string WithoutFileParameters(const std::string& address);

}  // namespace korvane
