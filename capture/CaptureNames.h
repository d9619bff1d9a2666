#pragma once

// The names the capture gives its pictures in the cache folder: the document's path flattened
// into one name ("C:\work\a.xls" gives "C#!work!a.xls") followed by ".bmp".

#include <string_view>

namespace orvane {

// Whether a file name in the cache folder has the form of a captured picture: a drive letter,
// "#!", the rest of the flattened path, and ".bmp" (in any case, as the folder search matches
// it). Every other file there is the user's: the trim neither counts nor deletes it.
bool IsCaptureFileName(std::string_view name);

}  // namespace orvane
