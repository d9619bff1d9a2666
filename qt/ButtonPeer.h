#pragma once

#include "qt/WidgetPeer.h"

class QPushButton;

namespace tk {
class TButton;
}

namespace qtui {

// A push button; its clicks come from the button itself, so the keyboard can press it too.
class ButtonPeer : public ControlPeer<tk::TButtonPeer> {
public:
    ButtonPeer(tk::TButton& button, QtBackend& backend);

    void SetDefault(bool) override { Changed(DefaultChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned DefaultChange = OwnChange<0>;

    tk::TButton& m_button;
    QPushButton* m_pushButton;
};

}  // namespace qtui
