#pragma once

#include "qt/WidgetPeer.h"

class QCheckBox;

namespace tk {
class TCheckBox;
}

namespace qtui {

// A check box with its caption. The user's click enters the model as a click, which toggles it;
// the box shows the model's state after every flush.
class CheckBoxPeer : public ControlPeer<tk::TCheckBoxPeer> {
public:
    CheckBoxPeer(tk::TCheckBox& checkBox, QtBackend& backend);

    QCheckBox* Box() const { return m_box; }
    void SetChecked(bool) override { Changed(CheckedChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned CheckedChange = OwnChange<0>;

    tk::TCheckBox& m_checkBox;
    QCheckBox* m_box;
};

}  // namespace qtui
