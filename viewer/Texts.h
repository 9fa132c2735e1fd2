#pragma once
// Message texts of the viewer and the print dialog, in Windows-1252 as every
// text the program hands to platform::Messages.

namespace viewer {

inline constexpr const char* kCannotOpenPicture =
    "Konnte die Bilddatei nicht \xF6"
    "ffnen!";
inline constexpr const char* kNoPrinter = "Kein Drucker installiert.";
inline constexpr const char* kJobNotStarted = "Der Druckauftrag konnte nicht gestartet werden.";
inline constexpr const char* kJobFailed = "Der Druckauftrag ist fehlgeschlagen.";

}  // namespace viewer
