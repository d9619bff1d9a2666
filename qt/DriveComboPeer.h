#pragma once

#include "qt/WidgetPeer.h"

#include <QIcon>

class QComboBox;

namespace tk {
class TDriveComboBox;
}

namespace qtui {

// The drive box: the drives, each with a drive icon, the chosen one shown. The user's choice
// enters the model as InputChoose.
class DriveComboPeer : public ControlPeer<tk::TDriveComboBoxPeer> {
public:
    DriveComboPeer(tk::TDriveComboBox& drives, QtBackend& backend);

    void ItemsChanged() override { Changed(ItemsChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned ItemsChange = OwnChange<0>;

    void UserChose(int index);
    void ApplyItems();

    tk::TDriveComboBox& m_drives;
    QComboBox* m_combo;
    QIcon m_driveIcon;
};

}  // namespace qtui
