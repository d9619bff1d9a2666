#pragma once

// The words of a command read as numbers, buttons, keys and components; each reader throws the
// command's error when the word does not fit.

#include "probe/Commands.h"
#include "toolkit/Types.h"

#include <cstdint>

namespace tk {
class TComponent;
class TControl;
class TWinControl;
class TForm;
}  // namespace tk

namespace probe {

int IntegerArgument(const Words& words, size_t index, const char* what);
tk::TMouseButton ButtonArgument(const Words& words, size_t index);
tk::TShiftState ButtonFlag(tk::TMouseButton button);
// A decimal virtual-key code or one of Enter, Esc, Up, Down, Left, Right, Home, End.
uint16_t KeyArgument(const Words& words, size_t index);

// The component the word names in the running program.
tk::TComponent& ComponentArgument(Probe& probe, const Words& words, size_t index);
tk::TForm& FormArgument(Probe& probe, const Words& words, size_t index);
// A control the user can reach with the mouse: showing and enabled, its parents too.
tk::TControl& InputControlArgument(Probe& probe, const Words& words, size_t index);
// A control that takes the keyboard.
tk::TWinControl& KeyControlArgument(Probe& probe, const Words& words, size_t index);

}  // namespace probe
