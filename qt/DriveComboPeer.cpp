#include "qt/DriveComboPeer.h"

#include "qt/Convert.h"
#include "qt/FolderIcons.h"
#include "toolkit/FileCtrls.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace qtui {

DriveComboPeer::DriveComboPeer(tk::TDriveComboBox& drives, QtBackend& backend)
    : ControlPeer(drives, backend), m_drives(drives), m_combo(new QComboBox(ParentContainer())), m_driveIcon(DriveIcon())
{
    m_combo->setEditable(false);
    m_combo->setIconSize(QSize(16, 16));
    Attach(m_combo, InputRouter::ClickStyle::Native);
    // Only the user's choice raises `activated`; the model's own changes are set with it quiet.
    QObject::connect(m_combo, &QComboBox::activated, m_combo, WhileAttached([this](int index) { UserChose(index); }));
}

void DriveComboPeer::UserChose(int index)
{
    if (index != m_drives.ItemIndex())
        m_drives.InputChoose(index);
}

void DriveComboPeer::ApplyItems()
{
    QSignalBlocker blocker(m_combo);
    const std::vector<std::string>& items = m_drives.Items();
    bool same = m_combo->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < m_combo->count(); ++i)
        same = m_combo->itemText(i) == ToQString(items[i]);
    if (!same) {
        m_combo->clear();
        for (const std::string& item : items)
            m_combo->addItem(m_driveIcon, ToQString(item));
    }
    m_combo->setCurrentIndex(m_drives.ItemIndex());
}

void DriveComboPeer::Apply(unsigned changes)
{
    WidgetPeer::Apply(changes);
    if (changes & ItemsChange)
        ApplyItems();
}

}  // namespace qtui
