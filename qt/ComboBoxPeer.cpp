#include "qt/ComboBoxPeer.h"

#include "qt/Convert.h"
#include "toolkit/StdCtrls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace qtui {

ComboBoxPeer::ComboBoxPeer(tk::TComboBox& combo, QtBackend& backend)
    : ControlPeer(combo, backend), m_combo(combo), m_box(new QComboBox(ParentContainer()))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setCompleter(nullptr);
    Attach(m_box, InputRouter::ClickStyle::Native);
    // The field has the focus while the user types: Enter and Esc reach the form from it.
    Router()->WatchKeys(*m_box->lineEdit());
    auto type = [this](const QString& text) { m_combo.InputText(ToCp932(text)); };
    QObject::connect(m_box->lineEdit(), &QLineEdit::textEdited, m_box, WhileAttached(type, TextChange));
    auto choose = [this](int index) { m_combo.InputChoose(index); };
    QObject::connect(m_box, &QComboBox::activated, m_box, WhileAttached(choose, ItemsChange | TextChange));
}

void ComboBoxPeer::ApplyItems()
{
    const std::vector<std::string>& items = m_combo.Items();
    bool same = m_box->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < m_box->count(); ++i)
        same = m_box->itemText(i) == ToQString(items[i]);
    if (!same) {
        m_box->clear();
        for (const std::string& item : items)
            m_box->addItem(ToQString(item));
    }
    m_box->setCurrentIndex(m_combo.ItemIndex());
}

// An editable box shows its chosen item's text in the field; a typed text that is no item, or an
// empty one, is set after the index.
void ComboBoxPeer::ApplyText()
{
    QString text = ToQString(m_combo.Text());
    if (m_box->currentText() != text)
        m_box->setEditText(text);
}

void ComboBoxPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    QSignalBlocker blocker(m_box);
    if (changes & ColorChange) {
        QPalette palette = m_box->palette();
        palette.setColor(QPalette::Base, ToQColor(m_combo.Color()));
        m_box->setPalette(palette);
    }
    if (changes & ItemsChange)
        ApplyItems();
    if (changes & (ItemsChange | TextChange))
        ApplyText();
}

}  // namespace qtui
