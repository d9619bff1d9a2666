#pragma once

#include "qt/WidgetPeer.h"

class QLineEdit;

namespace tk {
class TEdit;
}

namespace qtui {

// A one-line edit with the sunken frame of that desktop. The user's typing enters the model as
// InputText; the model's text comes back only where it differs, so the caret stays where it is.
class EditPeer : public ControlPeer<tk::TEditPeer> {
public:
    EditPeer(tk::TEdit& edit, QtBackend& backend);

    QLineEdit* LineEdit() const { return m_lineEdit; }
    void SetReadOnly(bool) override { Changed(ReadOnlyChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned ReadOnlyChange = OwnChange<0>;

    tk::TEdit& m_edit;
    QLineEdit* m_lineEdit;
};

}  // namespace qtui
