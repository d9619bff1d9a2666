// The pointer and the keyboard, through the components' input entries. The probe remembers the
// buttons held down, so that a move between mousedown and mouseup carries them as a real pointer
// would.

#include "probe/Arguments.h"
#include "probe/Probe.h"
#include "toolkit/Form.h"

namespace probe {

void Click(Probe& probe, const Words& words)
{
    InputControlArgument(probe, words, 1).InputClick();
}

void DblClick(Probe& probe, const Words& words)
{
    InputControlArgument(probe, words, 1).InputDblClick();
}

void MouseDown(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    tk::TMouseButton button = ButtonArgument(words, 2);
    int x = IntegerArgument(words, 3, "X");
    int y = IntegerArgument(words, 4, "Y");
    probe.HeldButtons() |= ButtonFlag(button);
    control.InputMouseDown(button, probe.HeldButtons(), x, y);
}

void MouseMove(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    int x = IntegerArgument(words, 2, "X");
    int y = IntegerArgument(words, 3, "Y");
    control.InputMouseMove(probe.HeldButtons(), x, y);
}

// The released button is no longer held when its event arrives.
void MouseUp(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    tk::TMouseButton button = ButtonArgument(words, 2);
    int x = IntegerArgument(words, 3, "X");
    int y = IntegerArgument(words, 4, "Y");
    probe.HeldButtons() &= ~ButtonFlag(button);
    control.InputMouseUp(button, probe.HeldButtons(), x, y);
}

void Drag(Probe& probe, const Words& words)
{
    tk::TControl& control = InputControlArgument(probe, words, 1);
    tk::TMouseButton button = ButtonArgument(words, 2);
    int dx = IntegerArgument(words, 3, "DX");
    int dy = IntegerArgument(words, 4, "DY");
    tk::TShiftState& held = probe.HeldButtons();
    held |= ButtonFlag(button);
    control.InputMouseDown(button, held, 0, 0);
    control.InputMouseMove(held, dx, dy);
    held &= ~ButtonFlag(button);
    control.InputMouseUp(button, held, dx, dy);
}

// A key pressed, which goes no further than its key-down: Enter and Esc press a dialog's default
// and cancel buttons, arrows step an up-down control's edit.
void KeyDown(Probe& probe, const Words& words)
{
    tk::TWinControl& control = KeyControlArgument(probe, words, 1);
    control.InputKeyDown(KeyArgument(words, 2), 0);
}

void KeyUp(Probe& probe, const Words& words)
{
    tk::TWinControl& control = KeyControlArgument(probe, words, 1);
    control.InputKeyUp(KeyArgument(words, 2), 0);
}

// Losing the focus through the form keeps its active control true to what the user sees.
void Leave(Probe& probe, const Words& words)
{
    auto* control = dynamic_cast<tk::TWinControl*>(&ComponentArgument(probe, words, 1));
    if (!control)
        throw ProbeError("leave: " + words[1] + " does not take the keyboard");
    tk::TForm* form = control->ParentForm();
    if (form && form->ActiveControl() == control)
        form->SetActiveControl(nullptr);
    else
        control->InputExit();
}

}  // namespace probe
