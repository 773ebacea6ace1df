// The program's identity and the texts of its Info box, defined once.
#pragma once

#include <string>

#include "app/version.h"

namespace kw::program {

inline constexpr const char* kTitle = "Kopplungswacht";
inline constexpr int kVersionMajor = KW_VERSION_MAJOR;
inline constexpr int kVersionMinor = KW_VERSION_MINOR;

// The lines of the Info box below the version.
inline constexpr const char* kWebAddress = "den Entwicklern von Kopplungswacht";
inline constexpr const char* kNotice = "Ohne Gewähr: Benutzung auf eigene Verantwortung.";
inline constexpr const char* kContact = "Kontakt: über den Issue-Tracker des Projekts";

// "Kopplungswacht 1.2"
std::string TitleWithVersion();

}  // namespace kw::program
