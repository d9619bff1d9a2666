// Forms and the application object: creation order, frame metrics, the resize event, showing,
// modal forms, closing, message boxes and the general error report.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "toolkit/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {

struct HeadlessApplication {
    TApplication application;
    RecordingDialogs dialogs;
    ScriptedMessageLoop loop;
    HeadlessApplication()
    {
        application.SetTitle("Orvane");
        application.SetDialogs(&dialogs);
        application.SetMessageLoop(&loop);
    }
};

// A form whose creation event checks that its instance is already published.
class TProbeForm : public TForm {
public:
    TProbeForm(TComponent* owner, TProbeForm*& instance, std::vector<std::string>& log) : TForm(owner)
    {
        OnCreate = [&instance, &log, this](TObject*) {
            log.push_back(instance == this ? "created, published" : "created, not published");
        };
    }
};

}  // namespace

TEST(CreateForm, FormsComeInOrderTheFirstIsMainAndOnCreateFindsItsInstance)
{
    HeadlessApplication app;
    std::vector<std::string> log;
    TProbeForm* first = nullptr;
    TProbeForm* second = nullptr;
    app.application.CreateForm(first, first, log);
    app.application.CreateForm(second, second, log);
    EXPECT_EQ(app.application.MainForm(), first);
    EXPECT_EQ(app.application.Forms(), (std::vector<TForm*>{first, second}));
    EXPECT_EQ(log, (std::vector<std::string>{"created, published", "created, published"}));
    EXPECT_FALSE(first->Visible()) << "a form is hidden until shown";
}

TEST(FrameMetrics, OuterAndClientSizesDifferByTheFixedFrame)
{
    TForm form(nullptr);
    form.SetBounds(212, 311, 476, 212);
    EXPECT_EQ(form.ClientWidth(), 468);
    EXPECT_EQ(form.ClientHeight(), 189);
    form.SetClientWidth(594);
    form.SetClientHeight(336);
    EXPECT_EQ(form.Width(), 602);
    EXPECT_EQ(form.Height(), 359);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    EXPECT_EQ(form.ClientWidth(), 594) << "changing the frame keeps the client size";
    EXPECT_EQ(form.Width(), 594);
}

TEST(Resize, OnResizeRunsWhenTheSizeChangesButNotDuringDesignOrOnAMove)
{
    HeadlessApplication app;
    auto form = std::make_unique<TForm>(&app.application);
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetClientWidth(300);
    EXPECT_EQ(resizes, 0) << "the design state raises no events";
    form->AfterConstruction();
    form->InputMove(10, 20);
    EXPECT_EQ(resizes, 0);
    form->InputResize(400, 300);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 300);
    form->InputBounds(0, 0, form->Width(), form->Height());
    EXPECT_EQ(resizes, 1);
    form->SetHeight(100);
    EXPECT_EQ(resizes, 2);
}

TEST(Show, CentredFormsAreCentredOnTheDesktopWhenFirstShown)
{
    HeadlessApplication app;
    app.application.SetDesktopSize(1024, 768);
    auto form = app.application.NewForm<TForm>();
    form->SetClientWidth(594);
    form->SetClientHeight(336);
    form->SetPosition(TFormPosition::poScreenCenter);
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    form->Show();
    EXPECT_EQ(form->Left(), (1024 - 602) / 2);
    EXPECT_EQ(form->Top(), (768 - 359) / 2);
    form->Hide();
    form->SetLeft(5);
    form->Show();
    EXPECT_EQ(form->Left(), 5) << "the position rule applies at the first show only";
    EXPECT_EQ(shows, 2);
}

TEST(Modal, ShowModalReturnsTheResultThatClosedItAndHidesTheForm)
{
    HeadlessApplication app;
    auto dialog = app.application.NewForm<TForm>();
    auto* ok = new TButton(dialog.get());
    ok->SetParent(dialog.get());
    ok->SetModalResult(mrOk);
    std::vector<std::string> seen;
    ok->OnClick = [&](TObject*) { seen.push_back("ok clicked"); };
    dialog->OnClose = [&](TObject*, TCloseAction&) { seen.push_back("closed"); };
    app.loop.OnModal = [&](TForm& form) {
        EXPECT_EQ(&form, dialog.get());
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(app.application.ModalForms(), (std::vector<TForm*>{dialog.get()}));
        ok->InputClick();
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(app.application.ModalForms().empty());
    EXPECT_EQ(seen, (std::vector<std::string>{"ok clicked", "closed"}));
}

TEST(Modal, CloseEndsAModalFormWithCancelAndAVisibleFormCannotGoModal)
{
    HeadlessApplication app;
    auto dialog = app.application.NewForm<TForm>();
    app.loop.OnModal = [&](TForm& form) { form.InputClose(); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST(Modal, ACloseHandlerThatRefusesKeepsTheFormOpen)
{
    HeadlessApplication app;
    auto dialog = app.application.NewForm<TForm>();
    int rounds = 0;
    app.loop.OnModal = [&](TForm& form) {
        ++rounds;
        form.SetModalResult(rounds == 1 ? mrOk : mrCancel);
    };
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        if (rounds == 1)
            action = TCloseAction::caNone;
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(rounds, 2);
}

TEST(Close, ClosingTheMainFormEndsTheApplicationAnotherFormIsOnlyHidden)
{
    HeadlessApplication app;
    TForm* main = nullptr;
    TForm* other = nullptr;
    app.application.CreateForm(main);
    app.application.CreateForm(other);
    app.application.Run();
    EXPECT_TRUE(main->Visible());
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(app.application.Terminated());

    std::vector<std::string> seen;
    main->OnClose = [&](TObject*, TCloseAction& action) { seen.push_back("close handler"); };
    main->InputClose();
    EXPECT_EQ(seen, (std::vector<std::string>{"close handler"}));
    EXPECT_TRUE(app.application.Terminated());
    EXPECT_TRUE(app.loop.quitRequested);
}

TEST(Close, AWindowWithoutACloseBoxRefusesTheUsersCloseButTheProgramHidesIt)
{
    HeadlessApplication app;
    TForm* main = nullptr;
    TForm* viewer = nullptr;
    TForm* dialog = nullptr;
    app.application.CreateForm(main);
    app.application.CreateForm(viewer);
    app.application.CreateForm(dialog);
    app.application.Run();
    viewer->SetBorderIcons(biMinimize | biMaximize);
    int closeHandlers = 0;
    viewer->OnClose = [&](TObject*, TCloseAction&) { ++closeHandlers; };
    viewer->Show();
    viewer->InputClose();
    EXPECT_TRUE(viewer->Visible()) << "a close request from the window manager or a taskbar is refused";
    EXPECT_EQ(closeHandlers, 0);
    viewer->Close();
    EXPECT_FALSE(viewer->Visible()) << "the program itself still closes it";

    // Without the system menu a modal dialog's close request still cancels it.
    dialog->SetBorderIcons(0);
    app.loop.OnModal = [&](TForm& form) { form.InputClose(); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(app.application.Terminated());
}

TEST(ErrorReport, AnExceptionEndsItsHandlerAndIsShownWithTheApplicationTitle)
{
    HeadlessApplication app;
    auto form = app.application.NewForm<TForm>();
    std::vector<std::string> seen;
    form->OnClick = [&](TObject*) {
        seen.push_back("before");
        throw EInOutError("ファイルを開けません");
        seen.push_back("after");
    };
    form->InputClick();
    form->InputClick();
    EXPECT_EQ(seen, (std::vector<std::string>{"before", "before"})) << "the program goes on after an error";
    ASSERT_EQ(app.dialogs.boxes.size(), 2u);
    EXPECT_EQ(app.dialogs.boxes[0].caption, "Orvane");
    EXPECT_EQ(app.dialogs.boxes[0].text, "ファイルを開けません");
    EXPECT_EQ(app.dialogs.boxes[0].flags & mbButtonMask, unsigned(mbOk));

    form->OnClick = [](TObject*) { throw std::runtime_error("plain error"); };
    form->InputClick();
    EXPECT_EQ(app.dialogs.boxes.back().text, "plain error");
}

TEST(ErrorReport, AnErrorInOnCreateOrOnShowIsReportedAndTheFormStillComesUp)
{
    HeadlessApplication app;
    TForm* form = nullptr;
    auto make = [&] {
        auto* f = new TForm(&app.application);
        f->OnCreate = [](TObject*) { throw Exception("create failed"); };
        f->OnShow = [](TObject*) { throw Exception("show failed"); };
        return f;
    };
    form = make();
    form->AfterConstruction();
    form->Show();
    EXPECT_TRUE(form->Visible());
    ASSERT_EQ(app.dialogs.boxes.size(), 2u);
    EXPECT_EQ(app.dialogs.boxes[0].text, "create failed");
    EXPECT_EQ(app.dialogs.boxes[1].text, "show failed");
}

TEST(MessageBoxes, TheAnswerOfTheDialogServiceIsReturned)
{
    HeadlessApplication app;
    EXPECT_EQ(app.application.MessageBox("text", "Error", mbOk), mrOk);
    app.dialogs.Answer = [](const RecordedMessageBox&) { return mrCancel; };
    EXPECT_EQ(app.application.MessageBox("text", "Error", mbOkCancel), mrCancel);
    TApplication bare;
    EXPECT_EQ(bare.MessageBox("text", "caption", mbOk), mrOk) << "without a dialog service a box answers OK";
}

TEST(Show, TheFirstShowRunsTheResizeEventBeforeTheShowEvent)
{
    HeadlessApplication app;
    auto form = app.application.NewForm<TForm>();
    std::vector<std::string> seen;
    form->OnResize = [&](TObject*) { seen.push_back("resize"); };
    form->OnShow = [&](TObject*) { seen.push_back("show"); };
    form->Show();
    form->Hide();
    form->Show();
    EXPECT_EQ(seen, (std::vector<std::string>{"resize", "show", "show"}));
}

TEST(Modal, EnterAndEscPressTheDefaultAndCancelButtons)
{
    HeadlessApplication app;
    auto dialog = app.application.NewForm<TForm>();
    auto* ok = new TButton(dialog.get());
    ok->SetParent(dialog.get());
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(dialog.get());
    cancel->SetParent(dialog.get());
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* field = new TPanel(dialog.get());
    field->SetParent(dialog.get());
    int pressed = 0;
    field->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        if (key == vk::Escape && ++pressed == 1)
            key = 0;
    };
    app.loop.OnModal = [&](TForm& form) {
        EXPECT_EQ(field->InputKeyDown(vk::Escape, 0), 0);
        EXPECT_EQ(form.ModalResult(), mrNone) << "a key a handler took presses nothing";
        field->InputKeyDown(vk::Return, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    app.loop.OnModal = [&](TForm&) { field->InputKeyDown(vk::Escape, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}
