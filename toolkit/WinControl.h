#pragma once

#include "toolkit/Control.h"

#include <vector>

namespace tk {

// A control that holds other controls and takes the keyboard. Its children are kept in stacking
// order: the first lies at the bottom, the last on top.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const std::vector<TControl*>& Controls() const { return m_controls; }

    // The area docked controls share, in the control's own coordinates.
    virtual TRect ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }
    // Places the docked children: those along the top, bottom, left and right edges in that
    // order, each in its stacking order, then the ones that fill what is left.
    void AlignControls();
    int ControlCount() const { return static_cast<int>(m_controls.size()); }

    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);
    bool Focused() const;
    // Makes this control the active control of its form.
    void SetFocus();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Keyboard input. A held key repeats key-downs only and gives one key-up at its release.
    // The key-down answers the key as the handlers left it: 0 when one of them swallowed it, and
    // then no key press follows. A key the handlers leave is then offered as a dialog key to the
    // control and its parents up to the form (Enter, Esc, Ctrl+Tab); one that takes it swallows it.
    uint16_t InputKeyDown(uint16_t key, TShiftState shift);
    void InputKeyUp(uint16_t key, TShiftState shift);
    void InputKeyPress(char key);
    // The control gains or loses the input focus.
    void InputEnter();
    void InputExit();
    // The user put the input focus on the control: it becomes its form's active control.
    void InputFocus();

    // The first control in tab order inside this one (itself not included) that can take the
    // focus: a tab stop, shown and enabled with every parent up to this one; none when there is none.
    TWinControl* FirstTabStop() const;

protected:
    void InitializePeer() override;
    void CreateChildPeers() override;
    void FontChanged() override;
    void ColorChanged() override;
    void ShowHintChanged() override;

    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Takes a dialog key that went to `focused`, a control inside this one or this one itself;
    // true when it did something with it.
    virtual bool DialogKey(uint16_t key, TShiftState shift, TWinControl& focused);

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControl(TControl* control, bool toFront);

    std::vector<TControl*> m_controls;
    bool m_tabStop = false;
    bool m_aligning = false;
};

}  // namespace tk
