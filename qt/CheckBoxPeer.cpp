#include "qt/CheckBoxPeer.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QCheckBox>

namespace qtui {

CheckBoxPeer::CheckBoxPeer(tk::TCheckBox& checkBox, QtBackend& backend)
    : ControlPeer(checkBox, backend), m_checkBox(checkBox), m_box(new QCheckBox(ParentContainer()))
{
    Attach(m_box, InputRouter::ClickStyle::Native);
    // The box has toggled itself already; the model toggles on the click, and a handler that set
    // the state back is shown at the flush.
    auto click = [this](bool checked) {
        if (checked != m_checkBox.Checked())
            m_checkBox.InputClick();
    };
    QObject::connect(m_box, &QCheckBox::clicked, m_box, WhileAttached(click, CheckedChange));
}

void CheckBoxPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & TextChange)
        m_box->setText(ToQString(m_checkBox.Caption()));
    if (changes & CheckedChange)
        m_box->setChecked(m_checkBox.Checked());
}

}  // namespace qtui
