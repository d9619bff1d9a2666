// Windows, time, dialogs and media.

#include "probe/Arguments.h"
#include "probe/Probe.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

#include <algorithm>

namespace probe {

namespace {
tk::TForm& MainForm(Probe& probe, const Words& words)
{
    tk::TForm* main = probe.Running().Application().MainForm();
    if (!main)
        throw ProbeError(words[0] + ": there is no main window");
    return *main;
}

int ModalResultArgument(const Words& words)
{
    const std::string& word = words[1];
    if (word == "ok")
        return tk::mrOk;
    if (word == "cancel")
        return tk::mrCancel;
    if (word == "yes")
        return tk::mrYes;
    if (word == "no")
        return tk::mrNo;
    throw ProbeError("modal: RESULT must be ok, cancel, yes or no, not \"" + word + "\"");
}

// The answer a message box gives when the script closes it with `result`: ok presses its first
// button, cancel presses Esc, yes and no their buttons of a Yes/No box.
int BoxAnswer(unsigned flags, int result)
{
    bool yesNo = (flags & tk::mbButtonMask) == tk::mbYesNo;
    switch (result) {
    case tk::mrOk:
        return DefaultAnswer(flags);
    case tk::mrCancel:
        if (EscapeAnswer(flags) == tk::mrNone)
            throw ProbeError("modal: the message box has no Cancel button");
        return EscapeAnswer(flags);
    default:
        if (!yesNo)
            throw ProbeError("modal: the message box has no Yes and No buttons");
        return result;
    }
}
}  // namespace

void Close(Probe& probe, const Words& words)
{
    MainForm(probe, words).InputClose();
}

void Resize(Probe& probe, const Words& words)
{
    int width = IntegerArgument(words, 1, "W");
    int height = IntegerArgument(words, 2, "H");
    MainForm(probe, words).InputResize(width, height);
}

void Move(Probe& probe, const Words& words)
{
    tk::TForm& form = FormArgument(probe, words, 1);
    if (!form.Visible())
        throw ProbeError("move: " + words[1] + " is not showing");
    int left = IntegerArgument(words, 2, "L");
    int top = IntegerArgument(words, 3, "T");
    int width = IntegerArgument(words, 4, "W");
    int height = IntegerArgument(words, 5, "H");
    form.InputBounds(left, top, width, height);
}

void Tick(Probe& probe, const Words& words)
{
    int ms = IntegerArgument(words, 1, "MS");
    if (ms < 0)
        throw ProbeError("tick: MS must not be negative");
    // Time passes in steps that stop where the medium that plays reaches its end, so that its
    // notice comes in order with the timers.
    Session& session = probe.Running();
    int64_t left = ms;
    while (left > 0 && !session.Ended()) {
        int64_t step = left;
        if (auto toEnd = session.Media().TimeToEnd())
            step = std::min(step, std::max<int64_t>(*toEnd, 0));
        session.Clock().Advance(step);
        session.Media().Advance(step);
        session.RunPosted();
        left -= step;
    }
}

void Timer(Probe& probe, const Words& words)
{
    auto* timer = dynamic_cast<tk::TTimer*>(&ComponentArgument(probe, words, 1));
    if (!timer)
        throw ProbeError("timer: " + words[1] + " is not a timer");
    timer->Fire();
}

void Modal(Probe& probe, const Words& words)
{
    int result = ModalResultArgument(words);
    ModalFrame* frame = probe.Modals().Innermost();
    if (!frame)
        throw ProbeError("modal: no dialog is open");
    if (frame->form)
        frame->form->SetModalResult(result);
    else
        frame->boxAnswer = BoxAnswer(frame->boxFlags, result);
}

void Media(Probe& probe, const Words& words)
{
    if (words[1] != "end")
        throw ProbeError("usage: media end");
    if (!probe.Running().Media().EndNow())
        throw ProbeError("media: nothing is playing");
}

void MsgBox(Probe& probe, const Words& words)
{
    if (words[1] != "hold")
        throw ProbeError("usage: msgbox hold");
    probe.Dialogs().Hold();
}

}  // namespace probe
