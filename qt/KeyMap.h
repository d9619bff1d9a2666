#pragma once

// Keys and modifier states as the original desktop reported them.

#include "toolkit/Types.h"

#include <QFlags>
#include <Qt>

#include <cstdint>

namespace qtui {

// The virtual-key code of a Qt key; 0 for a key that desktop had no code for.
uint16_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The shift state of an input event: the modifier keys and the buttons held.
tk::TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

}  // namespace qtui
