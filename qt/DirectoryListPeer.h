#pragma once

#include "qt/WidgetPeer.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QListView>

#include <functional>

namespace tk {
class TDirectoryListBox;
}

namespace qtui {

// The folder lines of a folder list: the caption, an open or a closed folder icon, the level.
class FolderListModel : public QAbstractListModel {
public:
    static constexpr int LevelRole = Qt::UserRole;

    FolderListModel(const tk::TDirectoryListBox& list, QObject* parent);

    // Takes the list's present lines: one reset.
    void Reload();
    // The list is going (its widget goes a little later): the model empties and reads it no more.
    void Forget();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const tk::TDirectoryListBox& m_list;
    int m_rows = 0;
    QIcon m_open;
    QIcon m_closed;
};

// The folder list as that desktop drew it: each line indented by its level, the folders on the
// path open, the subfolders closed, the current folder's line highlighted. A double-click or
// Enter on a line opens that folder.
class FolderListWidget : public QListView {
public:
    FolderListWidget(const tk::TDirectoryListBox& list, QWidget* parent);

    FolderListModel* Model() const { return m_model; }
    // Highlights the line and scrolls it into sight; the user's own choice of line stays until
    // then.
    void ShowCurrent(int row);

    std::function<void(int row)> OnOpen;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FolderListModel* m_model;
};

class DirectoryListPeer : public ControlPeer<tk::TDirectoryListBoxPeer> {
public:
    DirectoryListPeer(tk::TDirectoryListBox& list, QtBackend& backend);
    ~DirectoryListPeer() override;

    void ItemsChanged() override { Changed(ItemsChange); }

protected:
    void Apply(unsigned changes) override;

private:
    static constexpr unsigned ItemsChange = OwnChange<0>;

    tk::TDirectoryListBox& m_list;
    FolderListWidget* m_view;
};

}  // namespace qtui
