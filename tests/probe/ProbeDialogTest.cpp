// Dialogs and message boxes opened by the program read the following script lines while they
// are open. The program opens none of its own yet, so these tests open them from outside.

#include "probe/Probe.h"
#include "toolkit/Application.h"
#include "toolkit/ComCtrls.h"
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

// The commands on the dialog controls, each on a control of its kind; a control on a page that is
// not shown takes no input.
TEST_F(ProbeDialogs, TypeCheckChooseAndUpDownReachTheControlsOfTheOpenDialog)
{
    Begin("start\n"
          "type Edit 12\n"
          "type Combo \xe8\xa1\xa8\xe7\xa4\xba\n"
          "choose Combo #1\n"
          "check Box\ncheck Box\nuncheck Box\n"
          "updown Arrows 500\n"
          "keydown Edit Up\n"
          "type Locked 3\n"
          "choose Pages Second\n"
          "type Locked 3\n"
          "choose Pages #0\n"
          "get Dlg.Edit.Text\nget Dlg.Combo.ItemIndex\nget Dlg.Box.Checked\nget Dlg.Pages.ActivePage\n"
          "keydown Edit Esc\n");
    auto dialog = App().NewForm<tk::TForm>();
    dialog->SetName("Dlg");
    std::vector<std::string> events;
    auto note = [&](const std::string& what) { return [&events, what](tk::TObject*) { events.push_back(what); }; };
    auto* pages = new tk::TPageControl(dialog.get());
    pages->SetName("Pages");
    pages->SetParent(dialog.get());
    auto* first = new tk::TTabSheet(dialog.get());
    first->SetName("First");
    first->SetPageControl(pages);
    auto* second = new tk::TTabSheet(dialog.get());
    second->SetName("Second");
    second->SetCaption("Second");
    second->SetPageControl(pages);
    auto* edit = new tk::TEdit(dialog.get());
    edit->SetName("Edit");
    edit->SetParent(first);
    auto* arrows = new tk::TUpDown(dialog.get());
    arrows->SetName("Arrows");
    arrows->SetAssociate(edit);
    auto* combo = new tk::TComboBox(dialog.get());
    combo->SetName("Combo");
    combo->SetParent(first);
    combo->SetItems({"\x95\x5c\x8e\xa6\x82\xb5\x82\xc8\x82\xa2", "\x95\x5c\x8e\xa6\x82\xb7\x82\xe9"});
    combo->OnChange = [&](tk::TObject*) { events.push_back("combo " + combo->Text()); };
    auto* box = new tk::TCheckBox(dialog.get());
    box->SetName("Box");
    box->SetParent(first);
    box->OnClick = note("box");
    auto* locked = new tk::TEdit(dialog.get());
    locked->SetName("Locked");
    locked->SetParent(second);
    locked->SetReadOnly(true);
    auto* cancel = new tk::TButton(dialog.get());
    cancel->SetParent(dialog.get());
    cancel->SetCancel(true);
    cancel->SetModalResult(tk::mrCancel);
    EXPECT_EQ(dialog->ShowModal(), tk::mrCancel);
    EXPECT_EQ(edit->Text(), "100") << "one step up from the top of the range stays there";
    EXPECT_EQ(events, (std::vector<std::string>{"combo \x95\x5c\x8e\xa6", "combo \x95\x5c\x8e\xa6\x82\xb7\x82\xe9",
                                                "box", "box"}));
    EXPECT_EQ(m_output.str(), "error: 10: type: Locked is not showing\n"
                              "error: 12: type: Locked is read-only\n"
                              "Dlg.Edit.Text=100\n"
                              "Dlg.Combo.ItemIndex=1\n"
                              "Dlg.Box.Checked=false\n"
                              "Dlg.Pages.ActivePage=First\n");
}

}  // namespace
