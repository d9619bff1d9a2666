#pragma once

// The look of the original desktop: its widget style, its system colours as a palette, and the
// one-pixel bevels and captions that panels and labels draw by hand.

#include "toolkit/Types.h"

#include <QPalette>
#include <QRect>

class QApplication;
class QPainter;
class QString;

namespace qtui {

QPalette ClassicPalette();
// The "Windows" style, the classic palette and the default face of the program's windows.
void ApplyClassicLook(QApplication& application);

// A raised bevel has a white top-left edge and a dark grey bottom-right one; a lowered bevel the
// reverse. Returns the rectangle inside the bevel.
QRect DrawBevel(QPainter& painter, const QRect& rect, tk::TBevelCut bevel);

// Qt alignment flags for a caption: horizontally as given, vertically centred or at the top.
enum class VerticalPlacement { Centre, Top };
int CaptionFlags(tk::TAlignment alignment, VerticalPlacement placement);

}  // namespace qtui
