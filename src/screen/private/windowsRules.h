#pragma once

// Rules of Windows file names, of where a Windows user's files live and of the clipboard's line
// ends. Plain text rules,
// built on every system so that the tests check them everywhere.

#include <string>
#include <string_view>

namespace screen::windowsRules {

// A name Windows opens as a device in any folder and with any extension: CON, PRN, AUX, NUL,
// COM0-9 and LPT0-9 (also with a superscript digit), CONIN$ and CONOUT$, in any letter case
// and with blanks or points before the extension. `path` may hold folders, either slash.
bool isDeviceName(std::string_view path);

// The folder `--data-dir` without a directory means: Quillo in the user's application data
// folder; empty when that folder is not known.
std::string userDataDirectory(std::string_view appData);

// The file the installer puts beside the program: an installed program keeps its files in the
// user's application data folder, as the program's own folder is shared by all users.
constexpr std::string_view INSTALLED_MARKER = "quilloInstalled.txt";

// Where the files live when no data directory is asked for: an installed program, or one whose
// folder cannot be written to (an unpacked zip in a protected place), uses userDataDirectory;
// an unpacked zip the program's folder. Empty when neither is known.
std::string defaultDataDirectory(bool installed, bool programFolderWritable,
                                 std::string_view programFolder, std::string_view appData);

// The clipboard holds lines ended by CR LF: each line feed without its carriage return gets one
// on the way in, and each CR LF becomes a line feed on the way out, as the program's own text has.
std::string crlfLineEnds(std::string_view text);
std::string lfLineEnds(std::string_view text);

}  // namespace screen::windowsRules
