#pragma once

// The texts of the framework's error reports, in Japanese as the toolkit of a Japanese desktop
// gave them (code page 932). A reason the caller has (the system's, a decoder's) follows the
// report as a sentence of its own.

#include <string>

namespace tk {

// ファイル "NAME" を開けません。REASON。
std::string CannotOpenFileText(const std::string& fileName, const std::string& reason);

// メディア ファイル "NAME" を開けません。REASON。
std::string CannotOpenMediaFileText(const std::string& fileName, const std::string& reason);

// The sentence, then the reason ended by a full stop unless it ends a sentence itself (the media
// system's own reasons come with theirs): "。" after Japanese, "." after an English reason (a
// decoder's or the media system's, which stay in their own words). An empty reason adds nothing.
std::string WithReason(std::string sentence, const std::string& reason);

}  // namespace tk
