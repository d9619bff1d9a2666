#pragma once

// A rich edit's document as a Qt text document: paragraphs with their alignment, indents, spacing
// and tab stops, runs in the desktop's faces for the original ones, at the original desktop's
// 96 pixels per inch.

#include "toolkit/Font.h"
#include "toolkit/RichText.h"

class QTextDocument;

namespace qtui {

// Fills the document anew. Runs that name no face, size or colour take those of the defaults.
void FillDocument(QTextDocument& target, const tk::TRichDocument& document, const tk::TFont& defaults);

// Twips (1/1440 inch) and half points as pixels of that desktop.
int TwipsToPixels(int twips);
int HalfPointsToPixels(int halfPoints);

}  // namespace qtui
