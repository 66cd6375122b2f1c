#pragma once
// Where the programs, and other programs that link our libraries, find the
// files installed with them: the font configuration, the report templates and
// the audit module.
//
// Everything is found from the place of the runtime library itself, never from
// the current directory or the executable, so it holds for any program and any
// working directory:
// - in the build tree, programs, libraries, the module, fonts.conf and the
//   built templates all lie in one directory (bin/);
// - installed, under any prefix, the library lies in the library directory,
//   the module in its "stockin" subdirectory, fonts.conf in the data directory's
//   "stockin" and the templates in "stockin/templates" there (the paths between
//   them are fixed when the build is configured).
// fonts.conf beside the library is what tells the build tree from an installation.

#include <filesystem>

// The directory of fonts.conf.
std::filesystem::path InstalledDataDirectory();
// The directory of the report templates (*.rqf).
std::filesystem::path InstalledTemplateDirectory();
// The directory of the audit module (libstockin_audit.so).
std::filesystem::path InstalledModuleDirectory();
