#include "qt/ButtonPeer.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QPalette>
#include <QPushButton>

namespace qtui {

ButtonPeer::ButtonPeer(tk::TButton& button, QtBackend& backend)
    : ControlPeer(button, backend), m_button(button), m_pushButton(new QPushButton(ParentContainer()))
{
    m_pushButton->setAutoDefault(false);
    m_pushButton->setFocusPolicy(button.TabStop() ? Qt::StrongFocus : Qt::NoFocus);
    Attach(m_pushButton, InputRouter::ClickStyle::Native);
    // A button whose peer is gone (the click closed its form) stays quiet.
    QObject::connect(m_pushButton, &QPushButton::clicked, m_pushButton,
                     WhileAttached([this] { m_button.InputClick(); }));
}

void ButtonPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & TextChange)
        m_pushButton->setText(ToQString(m_button.Caption()));
    // The caption takes the font's colour while the button can be pressed (the sort key's red
    // button, the media panel's live button); a disabled button keeps the style's grey.
    if (changes & FontChange) {
        QPalette palette = m_pushButton->palette();
        QColor colour = ToQColor(m_button.Font().Color());
        palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
        m_pushButton->setPalette(palette);
    }
    if (changes & DefaultChange)
        m_pushButton->setDefault(m_button.Default());
}

}  // namespace qtui
