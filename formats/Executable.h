#pragma once

// Icons inside Windows executables and libraries (EXE, DLL, SCR, CPL, ...): the 32- and 64-bit
// Portable Executable format and the 16-bit New Executable of Windows 3.x. Their icon groups hold
// the same images an .ico file does, under a directory of resource identifiers.

#include "formats/Bytes.h"
#include "formats/Icon.h"
#include "formats/Result.h"

namespace formats {

// Whether the data starts like an executable ("MZ").
bool IsExecutable(ByteView file);

// How many icon groups the file holds.
Result<int> CountIconGroups(ByteView file);

// The icon group that `number` names, the way ExtractIconA counts: a number from 0 up is the
// position among the groups in the order of the resource directory; a negative number is minus
// the group's resource identifier. The entries point into `file`.
Result<IconDirectory> ReadIconGroup(ByteView file, int number);

}  // namespace formats
