#pragma once

#include "qt/WidgetPeer.h"

class QComboBox;

namespace tk {
class TComboBox;
}

namespace qtui {

// A combo box whose field takes typed text as well as a choice from its list. Typing enters the
// model as InputText, a choice from the list as InputChoose; the list never grows by what is typed
// and nothing is completed for the user.
class ComboBoxPeer : public ControlPeer<tk::TComboBoxPeer> {
public:
    ComboBoxPeer(tk::TComboBox& combo, QtBackend& backend);

    QComboBox* Box() const { return m_box; }
    void ItemsChanged() override { Changed(ItemsChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned ItemsChange = OwnChange<0>;

    void ApplyItems();
    void ApplyText();

    tk::TComboBox& m_combo;
    QComboBox* m_box;
};

}  // namespace qtui
