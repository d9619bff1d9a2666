#pragma once

// Conversions between the model's values and Qt's: code page 932 texts, fonts, colours and
// cursors. This file and everything it includes stay ASCII-only (see qt/CMakeLists.txt).

#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/Types.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>

#include <string>

namespace qtui {

QString ToQString(const std::string& cp932);
std::string ToCp932(const QString& text);

// The RGB colour a model colour stands for, system colours in their classic values.
QColor ToQColor(tk::TColor color);

// The face of this desktop that stands in for a face of the original one; other names pass
// through unchanged.
QString MapFontFamily(const QString& family);
// The font at the model's pixel size, with its style bits.
QFont ToQFont(const tk::TFont& font);

Qt::CursorShape ToCursorShape(tk::TCursor cursor);

// The part of a hint that a tooltip shows: the text before "|".
QString ShortHint(const std::string& hint);

}  // namespace qtui
