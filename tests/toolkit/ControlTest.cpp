// Controls: ownership, parents and stacking, inherited fonts and colours, the mouse and key
// entries, and peers mirroring the model.

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "toolkit/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {

// A peer that writes down every call it receives.
class RecordingPeer : public TPanelPeer {
public:
    explicit RecordingPeer(std::vector<std::string>& log) : m_log(log) {}
    ~RecordingPeer() override { m_log.push_back("destroyed"); }
    void SetBounds(const TRect& r) override
    {
        m_log.push_back("bounds " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                        std::to_string(r.Width()) + "," + std::to_string(r.Height()));
    }
    void SetVisible(bool visible) override { m_log.push_back(visible ? "show" : "hide"); }
    void SetText(const std::string& text) override { m_log.push_back("text " + text); }
    void SetBevelOuter(TBevelCut bevel) override { m_log.push_back(std::string("bevel ") + BevelName(bevel)); }
    void Restack() override { m_log.push_back("restack"); }

private:
    std::vector<std::string>& m_log;
};

class RecordingFactory : public IPeerFactory {
public:
    std::unique_ptr<TFormPeer> CreatePeer(TForm&) override { return std::make_unique<TFormPeer>(); }
    std::unique_ptr<TPanelPeer> CreatePeer(TPanel& panel) override
    {
        log.push_back("create " + panel.Name());
        return std::make_unique<RecordingPeer>(log);
    }
    std::unique_ptr<TLabelPeer> CreatePeer(TLabel&) override { return nullptr; }
    std::unique_ptr<TButtonPeer> CreatePeer(TButton&) override { return nullptr; }
    std::unique_ptr<TImagePeer> CreatePeer(TImage&) override { return nullptr; }
    std::unique_ptr<TScrollBarPeer> CreatePeer(TScrollBar&) override { return nullptr; }

    std::vector<std::string> log;
};

TPanel* MakePanel(TForm& form, TWinControl* parent, const char* name)
{
    auto* panel = new TPanel(&form);
    panel->SetName(name);
    panel->SetParent(parent);
    return panel;
}

}  // namespace

TEST(Ownership, OwnerFreesWhatItOwnsAndAnEarlyFreeLeavesTheList)
{
    TApplication application;
    auto* form = new TForm(&application);
    auto* first = new TPanel(form);
    first->SetName("First");
    auto* second = new TPanel(form);
    second->SetName("Second");
    second->SetParent(first);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->FindComponent("Second"), second);

    delete second;
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(first->ControlCount(), 0) << "a freed child must leave its parent";
    EXPECT_EQ(application.Forms().size(), 1u);
    delete form;
    EXPECT_TRUE(application.Forms().empty());
}

TEST(Stacking, ChildrenKeepCreationOrderAndMoveToFrontOrBack)
{
    TApplication application;
    TForm form(&application);
    TPanel* a = MakePanel(form, &form, "A");
    TPanel* b = MakePanel(form, &form, "B");
    TPanel* c = MakePanel(form, &form, "C");
    ASSERT_EQ(form.Controls(), (std::vector<TControl*>{a, b, c}));
    a->BringToFront();
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{b, c, a}));
    c->SendToBack();
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{c, b, a}));
    EXPECT_EQ(a->ParentForm(), &form);
}

TEST(Inheritance, ChildrenFollowTheParentFontUntilGivenTheirOwn)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(panel);

    form.Font().SetPixelHeight(19);
    EXPECT_EQ(panel->Font().PixelHeight(), 19);
    EXPECT_EQ(label->Font().PixelHeight(), 19) << "the font passes down through every level";

    label->Font().SetColor(clRed);
    EXPECT_FALSE(label->ParentFont());
    form.Font().SetPixelHeight(24);
    EXPECT_EQ(label->Font().PixelHeight(), 19) << "a control with its own font keeps it";
    EXPECT_EQ(panel->Font().PixelHeight(), 24);
}

TEST(Inheritance, LabelsTakeTheParentColourPanelsKeepTheirOwn)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    panel->SetColor(clBlack);
    EXPECT_EQ(label->Color(), clBlack);
    form.SetColor(clWhite);
    EXPECT_EQ(panel->Color(), clBlack);
}

TEST(Inheritance, HintsShowWhereTheParentShowsThemUntilAControlSaysOtherwise)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    form.SetShowHint(true);
    EXPECT_TRUE(label->ShowHint()) << "a dialog that shows hints shows those of its controls";
    panel->SetShowHint(false);
    EXPECT_FALSE(panel->ParentShowHint());
    EXPECT_FALSE(label->ShowHint());
    form.SetShowHint(false);
    form.SetShowHint(true);
    EXPECT_FALSE(panel->ShowHint()) << "a control with its own setting keeps it";
    auto* late = new TLabel(&form);
    late->SetParent(&form);
    EXPECT_TRUE(late->ShowHint()) << "a control placed later takes its parent's setting";
    panel->SetParentShowHint(true);
    EXPECT_TRUE(label->ShowHint());
}

TEST(Fonts, PointSizeFollowsThePixelHeightAtNinetySixDotsPerInch)
{
    TFont font;
    font.SetSize(18);
    EXPECT_EQ(font.PixelHeight(), 24);
    font.SetSize(10);
    EXPECT_EQ(font.PixelHeight(), 13);
    EXPECT_EQ(font.Size(), 10);
    font.SetPixelHeight(12);
    EXPECT_EQ(font.Size(), 9);
    font.SetPixelHeight(19);
    EXPECT_EQ(font.Size(), 14);
}

TEST(MouseInput, EventsReachTheirHandlersWithSenderButtonAndPosition)
{
    TPanel panel(nullptr);
    std::vector<std::string> seen;
    panel.OnMouseDown = [&](TObject* sender, TMouseButton button, TShiftState, int x, int y) {
        EXPECT_EQ(sender, &panel);
        seen.push_back("down " + std::to_string(int(button)) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    panel.OnMouseMove = [&](TObject*, TShiftState shift, int x, int y) {
        seen.push_back("move " + std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    panel.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) { seen.push_back("up"); };
    panel.OnClick = [&](TObject*) { seen.push_back("click"); };
    panel.OnDblClick = [&](TObject*) { seen.push_back("dblclick"); };

    panel.InputMouseDown(TMouseButton::mbRight, ssRight, 3, -4);
    panel.InputMouseMove(ssRight, 10, 20);
    panel.InputMouseUp(TMouseButton::mbRight, 0, 10, 20);
    panel.InputClick();
    panel.InputDblClick();
    EXPECT_EQ(seen, (std::vector<std::string>{"down 1 3,-4", "move 16 10,20", "up", "click", "dblclick"}));
}

TEST(KeyInput, KeyUpPassesTheVirtualKeyAndEnterExitRun)
{
    TPanel panel(nullptr);
    std::vector<int> keys;
    int entered = 0, exited = 0;
    panel.OnKeyUp = [&](TObject*, uint16_t& key, TShiftState) { keys.push_back(key); };
    panel.OnEnter = [&](TObject*) { ++entered; };
    panel.OnExit = [&](TObject*) { ++exited; };
    panel.InputKeyUp(vk::Return, 0);
    panel.InputKeyUp(vk::Down, 0);
    panel.InputEnter();
    panel.InputExit();
    EXPECT_EQ(keys, (std::vector<int>{13, 40}));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
}

TEST(Focus, MovingTheActiveControlRunsExitThenEnter)
{
    TApplication application;
    auto* form = application.NewForm<TForm>().release();
    TPanel* a = MakePanel(*form, form, "A");
    TPanel* b = MakePanel(*form, form, "B");
    std::vector<std::string> seen;
    a->OnExit = [&](TObject*) { seen.push_back("exit A"); };
    b->OnEnter = [&](TObject*) { seen.push_back("enter B"); };
    a->SetFocus();
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(seen, (std::vector<std::string>{"exit A", "enter B"}));
    delete b;
    EXPECT_EQ(form->ActiveControl(), nullptr) << "a freed control must not stay active";
    delete form;
}

TEST(Peers, ANewPeerGetsTheWholeStateAndLaterOnlyChanges)
{
    TApplication application;
    RecordingFactory factory;
    application.SetPeerFactory(&factory);
    TForm form(&application);
    TPanel* panel = MakePanel(form, &form, "Panel");
    panel->SetBounds(1, 2, 30, 40);
    panel->SetCaption("abc");
    panel->SetBevelOuter(TBevelCut::bvLowered);
    EXPECT_TRUE(factory.log.empty()) << "no peer exists before the form is shown";

    form.Show();
    ASSERT_FALSE(factory.log.empty());
    EXPECT_EQ(factory.log.front(), "create Panel");
    auto has = [&](const std::string& entry) {
        return std::find(factory.log.begin(), factory.log.end(), entry) != factory.log.end();
    };
    EXPECT_TRUE(has("bounds 1,2,30,40"));
    EXPECT_TRUE(has("text abc"));
    EXPECT_TRUE(has("bevel bvLowered"));

    factory.log.clear();
    panel->SetCaption("abc");
    panel->SetLeft(1);
    EXPECT_TRUE(factory.log.empty()) << "setting a property to its value tells the peer nothing";
    panel->SetLeft(5);
    EXPECT_EQ(factory.log, (std::vector<std::string>{"bounds 5,2,30,40"}));

    factory.log.clear();
    TPanel* late = MakePanel(form, &form, "Late");
    EXPECT_EQ(factory.log.front(), "create Late") << "a control added to a shown form gets its peer at once";
    factory.log.clear();
    panel->BringToFront();
    EXPECT_EQ(factory.log, (std::vector<std::string>{"restack"}));
    factory.log.clear();
    delete late;
    EXPECT_EQ(factory.log, (std::vector<std::string>{"destroyed"}));
}

TEST(Labels, AutoSizeFollowsCaptionAndFont)
{
    TLabel label(nullptr);
    label.Font().SetPixelHeight(12);
    label.SetCaption("Orvane");
    EXPECT_EQ(label.Width(), 36);
    EXPECT_EQ(label.Height(), 12);
    label.SetCaption("ﾌｧｲﾙ表示");
    EXPECT_EQ(label.Width(), 4 * 6 + 2 * 12) << "half-width katakana are half as wide as kanji";
    label.SetAutoSize(false);
    label.SetCaption("a much longer caption than before");
    EXPECT_EQ(label.Width(), 48);
}

TEST(Docking, EdgesFirstInOrderThenTheRestFilledAndResizingRedocks)
{
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* top = new TPanel(&form);
    top->SetHeight(50);
    top->SetAlign(TAlign::alTop);
    top->SetParent(&form);
    auto* fill = new TPanel(&form);
    fill->SetAlign(TAlign::alClient);
    fill->SetParent(&form);
    auto* left = new TPanel(&form);
    left->SetWidth(40);
    left->SetAlign(TAlign::alLeft);
    left->SetParent(&form);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 50));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 50, 40, 150));
    EXPECT_EQ(fill->BoundsRect(), Bounds(40, 50, 260, 150)) << "the filling control takes what the edges leave";

    form.SetClientWidth(500);
    EXPECT_EQ(top->Width(), 500);
    EXPECT_EQ(fill->Width(), 460);
    top->SetVisible(false);
    EXPECT_EQ(fill->Top(), 0) << "a hidden control leaves its edge to the others";

    auto* inner = new TPanel(&form);
    inner->SetAlign(TAlign::alClient);
    inner->SetParent(fill);
    fill->SetBevelOuter(TBevelCut::bvLowered);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1, 1, 458, 198)) << "a panel's bevel is not part of its client area";
}
