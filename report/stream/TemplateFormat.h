#pragma once
// Constants of the template stream and the texts its reader shows.

#include <cstdint>

inline constexpr int TemplateVersion = 24;

// Record tags; 00 to 0A introduce object records (the object kind).
inline constexpr uint8_t TagPage = 0xFF;
inline constexpr uint8_t TagDictionary = 0xFE;
inline constexpr uint8_t TagExtension = 0xFD;

// The built-in virtual printer is stored under this one-character name.
inline constexpr const char* VirtualPrinterMark = "\x01";
inline constexpr int VirtualPrinterText = 55007;

namespace TemplateText {
inline constexpr const char* Unsupported = "Unsupported RQF format";
inline constexpr const char* Truncated = "Unsupported RQF format: the template ends in the middle of a record (the file is incomplete)";
inline constexpr const char* NonPlugged = "Report contains the following non-plugged components:";
inline constexpr const char* IncludeComponents = "You must include these components into your project.";
}  // namespace TemplateText
