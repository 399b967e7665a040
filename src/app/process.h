// Process-wide preparations that must come before the QApplication exists: the page URL scheme,
// the settings' organisation and application names, the shared GL contexts of the web engine.
#pragma once

namespace dravo {

// The URL scheme under which the program serves its generated pages.
inline constexpr char kPageScheme[] = "dravo";

// Call once, first thing in main() (and in every test program), before the QApplication.
void PrepareProcess();

} // namespace dravo
