#include "qt/EditPeer.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QLineEdit>
#include <QPointer>

namespace qtui {

EditPeer::EditPeer(tk::TEdit& edit, QtBackend& backend)
    : ControlPeer(edit, backend), m_edit(edit), m_lineEdit(new QLineEdit(ParentContainer()))
{
    Attach(m_lineEdit, InputRouter::ClickStyle::Watched);
    QPointer<InputRouter> router(Router());
    // `textEdited` comes from the user only, never from the model's own changes.
    QObject::connect(m_lineEdit, &QLineEdit::textEdited, m_lineEdit, [this, router](const QString& text) {
        if (!router || !router->Attached())
            return;
        m_edit.InputText(ToCp932(text));
        // The model may keep another text than the one typed (a handler rewrote it); the widget
        // then shows the model's at the next flush, unless the handler took the peer away.
        if (router && router->Attached())
            Changed(TextChange);
    });
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
