#pragma once
// Where the scripting service lives on the user's session bus. Shared by the
// service, its command-line client and the tests.

namespace korvane::scripting {

inline constexpr const char* kBusName = "org.korvane.Korvane";
inline constexpr const char* kObjectPath = "/org/korvane/Korvane";
// Every suite is an interface named kBusName + "." + the suite's name.
inline constexpr const char* kInterfacePrefix = "org.korvane.Korvane.";
// The generic method: Send(eventClass, eventId, directText) -> (reply, error).
inline constexpr const char* kGenericSuite = "Script";
inline constexpr const char* kGenericMethod = "Send";
// The documents a second start of the program hands to the running one.
inline constexpr const char* kApplicationSuite = "Application";
inline constexpr const char* kOpenDocumentsMethod = "OpenDocuments";

}  // namespace korvane::scripting
