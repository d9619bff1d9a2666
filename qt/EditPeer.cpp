#include "qt/EditPeer.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QLineEdit>

namespace qtui {

EditPeer::EditPeer(tk::TEdit& edit, QtBackend& backend)
    : ControlPeer(edit, backend), m_edit(edit), m_lineEdit(new QLineEdit(ParentContainer()))
{
    Attach(m_lineEdit, InputRouter::ClickStyle::Watched);
    // `textEdited` comes from the user only, never from the model's own changes. The model may
    // keep another text than the one typed (a handler rewrote it): the widget shows the model's.
    auto type = [this](const QString& text) { m_edit.InputText(ToCp932(text)); };
    QObject::connect(m_lineEdit, &QLineEdit::textEdited, m_lineEdit, WhileAttached(type, TextChange));
}

void EditPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ColorChange) {
        QPalette palette = m_lineEdit->palette();
        palette.setColor(QPalette::Base, ToQColor(m_edit.Color()));
        m_lineEdit->setPalette(palette);
    }
    if (changes & ReadOnlyChange)
        m_lineEdit->setReadOnly(m_edit.ReadOnly());
    // A text the program sets shows from its start, as the original edit showed it; while the
    // user types, the caret stays where it was.
    if (changes & TextChange) {
        QString text = ToQString(m_edit.Text());
        if (m_lineEdit->text() != text) {
            int caret = m_lineEdit->hasFocus() ? m_lineEdit->cursorPosition() : 0;
            m_lineEdit->setText(text);
            m_lineEdit->setCursorPosition(caret);
        }
    }
}

}  // namespace qtui
