#pragma once

// The system's reasons for a failure (errno values) as the user reads them: in Japanese, as the
// desktop's toolkit gave them, in code page 932.

#include <string>
#include <string_view>

namespace platform {

// The C library's own Japanese text when the ja_JP.UTF-8 locale is installed; otherwise the
// program's table, in the same words, for the errors files and folders meet (a missing file, no
// permission, a folder, too many links, a full or read-only disk ...); the English text for the
// rest. Without a full stop, to follow a sentence of the caller's.
std::string SystemErrorText(int error);

// The table alone (empty for an error it does not hold), for the tests' sake.
std::string OwnSystemErrorText(int error);

// Why the file at a host path cannot be opened to read, in the same words: nothing there, a
// link whose target is missing, a folder, no regular file, or what the system says when opening
// it. Empty when it opens after all.
std::string OpenFailureReason(const std::string& hostPath);

class DriveMap;
// The same for a DOS path; a path no drive holds has nothing there.
std::string OpenFailureReason(const DriveMap& drives, std::string_view dosPath);

}  // namespace platform
