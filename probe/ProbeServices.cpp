#include "probe/ProbeServices.h"

#include "toolkit/Form.h"

namespace probe {

int DefaultAnswer(unsigned flags)
{
    return (flags & tk::mbButtonMask) == tk::mbYesNo ? tk::mrYes : tk::mrOk;
}

// As on the original desktop: Esc cancels a box with a Cancel button, confirms a box that has
// only OK, and does nothing to a Yes/No box.
int EscapeAnswer(unsigned flags)
{
    switch (flags & tk::mbButtonMask) {
    case tk::mbOk: return tk::mrOk;
    case tk::mbYesNo: return tk::mrNone;
    default: return tk::mrCancel;
    }
}

int ProbeDialogs::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    m_shown.push_back({text, caption, flags});
    if (!m_hold)
        return DefaultAnswer(flags);
    ModalFrame frame;
    frame.boxFlags = flags;
    m_modals.Push(frame);
    m_runner.RunUntil([&frame] { return frame.boxAnswer != tk::mrNone; });
    m_modals.Pop();
    // A script that ends while the box is open leaves it as the user would by pressing Esc.
    if (frame.boxAnswer == tk::mrNone)
        frame.boxAnswer = EscapeAnswer(flags) != tk::mrNone ? EscapeAnswer(flags) : tk::mrNo;
    return frame.boxAnswer;
}

std::vector<tk::RecordedMessageBox> ProbeDialogs::TakeShown()
{
    std::vector<tk::RecordedMessageBox> shown;
    shown.swap(m_shown);
    return shown;
}

void ProbeMessageLoop::RunModal(tk::TForm& form)
{
    ModalFrame frame;
    frame.form = &form;
    m_modals.Push(frame);
    m_runner.RunUntil([&form] { return form.ModalResult() != tk::mrNone || !form.Visible(); });
    m_modals.Pop();
}

}  // namespace probe
