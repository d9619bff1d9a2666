#pragma once

// The texts of the framework's error reports, in Japanese as the toolkit of a Japanese desktop
// gave them (code page 932). A reason the caller has (the system's, a decoder's) follows the
// report as a sentence of its own. The Japanese wording is in ErrorTexts.cpp: headers stay ASCII.

#include <string>

namespace tk {

// "The file "NAME" cannot be opened." in Japanese, then the reason.
std::string CannotOpenFileText(const std::string& fileName, const std::string& reason);

// "The media file "NAME" cannot be opened." in Japanese, then the reason.
std::string CannotOpenMediaFileText(const std::string& fileName, const std::string& reason);

// The sentence, then the reason ended by a full stop unless it ends a sentence itself (the media
// system's own reasons come with theirs): the ideographic full stop after a Japanese reason, "."
// after an English one (a decoder's or the media system's, which stay in their own words). An
// empty reason adds nothing.
std::string WithReason(std::string sentence, const std::string& reason);

}  // namespace tk
