// Dialogs and message boxes opened by the program read the following script lines while they
// are open. The program opens none of its own yet, so these tests open them from outside.

#include "probe/Probe.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/StdCtrls.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class ProbeDialogs : public ::testing::Test {
protected:
    // Runs the script up to and including `start`; the rest waits for the dialogs.
    void Begin(const std::string& script)
    {
        m_input.str(script);
        m_probe = std::make_unique<probe::Probe>(m_input, m_output);
        m_probe->RunUntil([this] { return m_probe->Started(); });
        ASSERT_TRUE(m_probe->Started()) << m_output.str();
    }
    tk::TApplication& App() { return m_probe->Running().Application(); }

    // A dialog with a button of the same name as a component of the main window.
    std::unique_ptr<tk::TForm> MakeDialog()
    {
        auto dialog = App().NewForm<tk::TForm>();
        dialog->SetName("Dlg");
        auto* button = new tk::TButton(dialog.get());
        button->SetName("UpDoor");
        button->SetParent(dialog.get());
        button->SetModalResult(tk::mrOk);
        return dialog;
    }

    std::istringstream m_input;
    std::ostringstream m_output;
    std::unique_ptr<probe::Probe> m_probe;
};

TEST_F(ProbeDialogs, MessageBoxClosesAtOnceWithItsFirstButton)
{
    Begin("start\nmessages\n");
    EXPECT_EQ(App().MessageBox("Done", "Orvane", tk::mbOk), tk::mrOk);
    EXPECT_EQ(App().MessageBox("Sure?", "Orvane", tk::mbYesNo | tk::mbIconQuestion), tk::mrYes);
    EXPECT_EQ(m_probe->Run(), 0);
    EXPECT_EQ(m_output.str(), "msgbox title=\"Orvane\" text=\"Done\" buttons=ok\n"
                              "msgbox title=\"Orvane\" text=\"Sure?\" buttons=yesno\n");
}

TEST_F(ProbeDialogs, HeldMessageBoxRunsTheScriptUntilClosed)
{
    Begin("msgbox hold\nstart\nget ImageForm.Visible\nmodal cancel\nget ImageForm.Left\n");
    EXPECT_EQ(App().MessageBox("Go on?", "Orvane", tk::mbOkCancel), tk::mrCancel);
    EXPECT_EQ(m_output.str(), "ImageForm.Visible=true\n");
    EXPECT_EQ(m_probe->Run(), 0);
    EXPECT_EQ(m_output.str(), "ImageForm.Visible=true\nImageForm.Left=211\n");
}

TEST_F(ProbeDialogs, HeldMessageBoxRefusesButtonsItLacks)
{
    Begin("msgbox hold\nstart\nmodal cancel\nmodal yes\n");
    EXPECT_EQ(App().MessageBox("Delete?", "Orvane", tk::mbYesNo), tk::mrYes);
    EXPECT_EQ(m_output.str(), "error: 3: modal: the message box has no Cancel button\n");
}

TEST_F(ProbeDialogs, ModalFormComponentsComeBeforeTheMainWindow)
{
    Begin("start\nget Dlg.Visible\nclick UpDoor\nget Dlg.Visible\n");
    auto dialog = MakeDialog();
    EXPECT_EQ(dialog->ShowModal(), tk::mrOk);
    EXPECT_EQ(m_output.str(), "Dlg.Visible=true\n");
    // Once the dialog has closed, the name is the main window's again.
    m_output.str("");
    EXPECT_EQ(m_probe->Run(), 0);
    EXPECT_EQ(m_output.str(), "Dlg.Visible=false\n");
}

TEST_F(ProbeDialogs, ModalCommandClosesTheInnermostFirst)
{
    Begin("msgbox hold\nstart\nmodal ok\nget Dlg.ModalResult\nmodal cancel\nget Dlg.Visible\n");
    auto dialog = MakeDialog();
    int boxAnswer = tk::mrNone;
    dialog->OnShow = [&](tk::TObject*) { boxAnswer = App().MessageBox("Hello", "Dlg", tk::mbOkCancel); };
    EXPECT_EQ(dialog->ShowModal(), tk::mrCancel);
    EXPECT_EQ(boxAnswer, tk::mrOk);
    EXPECT_EQ(m_output.str(), "Dlg.ModalResult=0\n");
}

TEST_F(ProbeDialogs, ScriptEndingWhileOpenCancels)
{
    Begin("msgbox hold\nstart\n");
    auto dialog = MakeDialog();
    EXPECT_EQ(dialog->ShowModal(), tk::mrCancel);
    EXPECT_EQ(App().MessageBox("Stop?", "Orvane", tk::mbOkCancel), tk::mrCancel);
    EXPECT_EQ(App().MessageBox("Done", "Orvane", tk::mbOk), tk::mrOk);
}

}  // namespace
