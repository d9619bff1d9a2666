#pragma once

#include "qt/FormWidget.h"
#include "qt/WidgetPeer.h"

namespace tk {
class TForm;
}

namespace qtui {

// A form's window. Left and Top place its frame, the client area gets the form's client size;
// the title, the frame's buttons, staying on top and modality follow the form.
class FormPeer : public ControlPeer<tk::TFormPeer> {
public:
    FormPeer(tk::TForm& form, QtBackend& backend);

    QWidget* Container() const override;
    FormWidget* Window() const { return m_window; }

    void SetVisible(bool visible) override;
    void SetFormStyle(tk::TFormStyle) override { Changed(FlagsChange); }
    void SetBorderIcons(tk::TBorderIcons) override { Changed(FlagsChange); }
    void SetBorderStyle(tk::TFormBorderStyle) override { Changed(FlagsChange | BoundsChange); }
    void SetScrolling() override { Changed(ScrollingChange); }
    void BringToFront() override { Changed(FrontChange); }

protected:
    void Apply(unsigned changes) override;
    void ApplyVisible() override;

private:
    static constexpr unsigned FlagsChange = OwnChange<0>;
    static constexpr unsigned ScrollingChange = OwnChange<1>;
    static constexpr unsigned FrontChange = OwnChange<2>;

    Qt::WindowFlags WindowFlags() const;
    bool Sizeable() const;
    void ApplyBounds();
    void ApplyScrolling();
    void UserResized(int clientWidth, int clientHeight);
    void UserMoved(int left, int top);
    void UserScrolled(Qt::Orientation orientation, int position);

    tk::TForm& m_form;
    FormWidget* m_window;
};

}  // namespace qtui
