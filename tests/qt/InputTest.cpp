// The user's input on the widgets reaches the model through its input entries, with the click,
// double-click and key semantics of the original desktop.

#include "InputEvents.h"
#include "QtFixture.h"

#include "qt/FormWidget.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/StdCtrls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <string>
#include <vector>

using namespace tk;

namespace {

// Writes down the pointer and key events of controls as short lines.
struct EventLog {
    std::vector<std::string> lines;

    static const char* ButtonName(TMouseButton button)
    {
        return button == TMouseButton::mbLeft ? "left" : button == TMouseButton::mbRight ? "right" : "middle";
    }

    void Watch(TControl& control)
    {
        control.OnClick = [this](TObject*) { lines.push_back("click"); };
        control.OnDblClick = [this](TObject*) { lines.push_back("dblclick"); };
        control.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
            lines.push_back(std::string("down ") + ButtonName(button) + " " + std::to_string(x) + "," +
                            std::to_string(y) + ((shift & ssDouble) ? " double" : ""));
        };
        control.OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
            lines.push_back(std::string("up ") + ButtonName(button) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        control.OnMouseMove = [this](TObject*, TShiftState shift, int x, int y) {
            lines.push_back("move " + std::to_string(x) + "," + std::to_string(y) + ((shift & ssLeft) ? " left" : ""));
        };
    }

    void WatchKeys(TWinControl& control)
    {
        control.OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) {
            lines.push_back("keydown " + std::to_string(key) + ((shift & ssCtrl) ? " ctrl" : ""));
        };
        control.OnKeyUp = [this](TObject*, uint16_t& key, TShiftState) {
            lines.push_back("keyup " + std::to_string(key));
        };
        control.OnKeyPress = [this](TObject*, char& key) { lines.push_back(std::string("keypress ") + key); };
    }
};

using Lines = std::vector<std::string>;

class Input : public QtFixture {
protected:
    Input()
    {
        form = ShownForm(300, 200);
        panel = Child<TPanel>(*form);
        panel->SetBounds(20, 30, 100, 50);
        Turn();
        log.Watch(*panel);
    }

    TForm* form;
    TPanel* panel;
    EventLog log;
};

TEST_F(Input, ClickGivesDownUpThenClickWithWidgetCoordinates)
{
    QWidget& widget = *WidgetOf(*panel);
    Press(widget, QPoint(5, 7));
    Release(widget, QPoint(6, 8));
    EXPECT_EQ(log.lines, (Lines{"down left 5,7", "up left 6,8", "click"}));
}

TEST_F(Input, ReleaseOutsideGivesNoClick)
{
    QWidget& widget = *WidgetOf(*panel);
    Press(widget, QPoint(5, 7));
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, QPoint(150, -3), Qt::LeftButton);
    Release(widget, QPoint(150, -3));
    EXPECT_EQ(log.lines, (Lines{"down left 5,7", "move 150,-3 left", "up left 150,-3"}));
}

TEST_F(Input, DoubleClickGivesOneClickThenDblClickAndDownWithoutSecondClick)
{
    QWidget& widget = *WidgetOf(*panel);
    Press(widget, QPoint(1, 2));
    Release(widget, QPoint(1, 2));
    SendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(1, 2), Qt::LeftButton);
    Release(widget, QPoint(1, 2));
    EXPECT_EQ(log.lines, (Lines{"down left 1,2", "up left 1,2", "click", "dblclick", "down left 1,2 double",
                                "up left 1,2"}));
}

TEST_F(Input, RightButtonGivesNoClick)
{
    QWidget& widget = *WidgetOf(*panel);
    Press(widget, QPoint(3, 4), Qt::RightButton);
    Release(widget, QPoint(3, 4), Qt::RightButton);
    EXPECT_EQ(log.lines, (Lines{"down right 3,4", "up right 3,4"}));
}

TEST_F(Input, PointerMovesArriveWithoutAButtonAndOnTheFormInClientCoordinates)
{
    QWidget& widget = *WidgetOf(*panel);
    EXPECT_TRUE(widget.hasMouseTracking());
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton, QPoint(9, 11), Qt::NoButton);
    EventLog formLog;
    formLog.Watch(*form);
    QWidget* canvas = widget.parentWidget();
    SendMouse(*canvas, QEvent::MouseMove, Qt::NoButton, QPoint(250, 150), Qt::NoButton);
    EXPECT_EQ(log.lines, (Lines{"move 9,11"}));
    EXPECT_EQ(formLog.lines, (Lines{"move 250,150"}));
}

TEST_F(Input, DisabledControlLeavesThePointerToItsParent)
{
    EventLog formLog;
    formLog.Watch(*form);
    panel->SetEnabled(false);
    Turn();
    QWidget& widget = *WidgetOf(*panel);
    Press(widget, QPoint(5, 5));
    Release(widget, QPoint(5, 5));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(formLog.lines, (Lines{"down left 25,35", "up left 25,35", "click"}));
}

TEST_F(Input, HeldKeyRepeatsKeyDownsAndGivesOneKeyUp)
{
    EventLog keys;
    keys.WatchKeys(*form);
    QWidget& window = *WidgetOf(*form);
    SendKey(window, QEvent::KeyPress, Qt::Key_A, QStringLiteral("a"), false);
    for (int i = 0; i < 2; ++i) {
        SendKey(window, QEvent::KeyRelease, Qt::Key_A, QStringLiteral("a"), true);
        SendKey(window, QEvent::KeyPress, Qt::Key_A, QStringLiteral("a"), true);
    }
    SendKey(window, QEvent::KeyRelease, Qt::Key_A, QStringLiteral("a"), false);
    EXPECT_EQ(keys.lines, (Lines{"keydown 65", "keypress a", "keydown 65", "keypress a", "keydown 65", "keypress a",
                                 "keyup 65"}));
}

TEST_F(Input, KeysMapToTheVirtualKeyCodesOfTheOriginalDesktop)
{
    EventLog keys;
    keys.WatchKeys(*form);
    QWidget& window = *WidgetOf(*form);
    const std::pair<int, int> keysAndCodes[] = {
        {Qt::Key_Down, 40}, {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_F5, 116},
        {Qt::Key_7, 55},    {Qt::Key_Home, 36},   {Qt::Key_Delete, 46},
    };
    for (const auto& [key, code] : keysAndCodes) {
        keys.lines.clear();
        Type(window, key);
        EXPECT_EQ(keys.lines, (Lines{"keydown " + std::to_string(code), "keyup " + std::to_string(code)}))
            << "Qt key " << key;
    }
    keys.lines.clear();
    SendKey(window, QEvent::KeyPress, Qt::Key_C, QStringLiteral("\x03"), false, Qt::ControlModifier);
    EXPECT_EQ(keys.lines.front(), "keydown 67 ctrl");
}

TEST_F(Input, ButtonClickComesFromTheButtonOnce)
{
    auto* button = Child<TButton>(*form);
    button->SetBounds(150, 100, 75, 25);
    Turn();
    EventLog buttonLog;
    buttonLog.Watch(*button);
    auto& widget = *WidgetOf<QPushButton>(*button);
    Press(widget, QPoint(10, 10));
    Release(widget, QPoint(10, 10));
    EXPECT_EQ(buttonLog.lines, (Lines{"down left 10,10", "up left 10,10", "click"}));
}

TEST_F(Input, ButtonThatEndsAModalFormFreesItWithoutTrouble)
{
    auto dialog = application.NewForm<TForm>();
    auto* button = Child<TButton>(*dialog);
    button->SetModalResult(mrOk);
    TModalResult result = mrNone;
    QTimer::singleShot(0, [&] {
        auto* widget = WidgetOf<QPushButton>(*button);
        ASSERT_NE(widget, nullptr);
        Press(*widget, QPoint(5, 5));
        Release(*widget, QPoint(5, 5));
    });
    result = dialog->ShowModal();
    dialog.reset();
    Turn();
    EXPECT_EQ(result, mrOk);
}

TEST_F(Input, UserScrollingEntersTheModelAndTheModelsPositionComesBack)
{
    auto* bar = Child<TScrollBar>(*form);
    bar->SetParams(0, 0, 100);
    std::vector<int> changes;
    bar->OnChange = [&](TObject*) {
        changes.push_back(bar->Position());
        if (bar->Position() > 50)
            bar->SetPosition(50);
    };
    Turn();
    auto& widget = *WidgetOf<QScrollBar>(*bar);
    widget.setValue(30);
    EXPECT_EQ(bar->Position(), 30);
    widget.setValue(80);
    Turn();
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(widget.value(), 50) << "the bar shows what the handler decided";
    EXPECT_EQ(changes, (std::vector<int>{30, 80, 50}));
}

TEST_F(Input, UserResizingMovingAndClosingTheWindowReachTheForm)
{
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = TCloseAction::caNone;
    };
    QWidget& window = *WidgetOf(*form);
    window.resize(420, 310);
    EXPECT_EQ(form->ClientWidth(), 420);
    EXPECT_EQ(form->ClientHeight(), 310);
    EXPECT_EQ(resizes, 1);
    window.move(70, 80);
    EXPECT_EQ(form->Left(), 70);
    EXPECT_EQ(form->Top(), 80);
    EXPECT_FALSE(window.close()) << "the close box leaves the closing to the model";
    EXPECT_TRUE(closed);
    Turn();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(resizes, 1) << "applying the model's own size is no user resize";
}

TEST_F(Input, AutoScrollFormShowsItsBarsAndScrollingMovesTheChildren)
{
    form->SetAutoScroll(true);
    form->VertScrollBar().SetRange(600);
    Turn();
    auto* window = dynamic_cast<qtui::FormWidget*>(WidgetOf(*form));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->VertScrollBar()->isVisible());
    EXPECT_FALSE(window->HorzScrollBar()->isVisible());
    EXPECT_EQ(window->VertScrollBar()->maximum(), 400);

    window->VertScrollBar()->setValue(120);
    EXPECT_EQ(form->VertScrollBar().Position(), 120);
    QWidget* panelWidget = WidgetOf(*panel);
    EXPECT_EQ(panelWidget->mapTo(window, QPoint(0, 0)), QPoint(20, 30 - 120));
    EXPECT_EQ(panel->Top(), 30) << "the model keeps the child's place";

    form->VertScrollBar().SetRange(100);
    Turn();
    EXPECT_FALSE(window->VertScrollBar()->isVisible());
    EXPECT_EQ(panelWidget->mapTo(window, QPoint(0, 0)), QPoint(20, 30));
}

}  // namespace
