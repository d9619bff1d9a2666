#pragma once

// The file types the program shows besides its own tables: pictures, sound and video of today's
// formats, and PDF documents. They count only for extensions that neither the built-in tables nor
// the user's capture and text lists name, so everything classified before keeps its display.

#include <string>

namespace orvane {

enum class TMoreKind {
    None,
    Picture,  // shown like a BMP, by the picture loader
    Page,     // a document, whose first page is shown as a picture as wide as the pane
    Media,    // played like a WAV or an AVI file
};

// The kind of an upper-cased extension; None for one of no such type.
TMoreKind MoreKindOf(const std::string& extension);

}  // namespace orvane
