// The folder list's and the drive box's peers over a folder service that the test makes up:
// lines, levels, icons and the current folder mirrored, and the user's choices entering the
// model.

#include "InputEvents.h"
#include "QtFixture.h"

#include "tests/FakeFolders.h"
#include "qt/DirectoryListPeer.h"
#include "toolkit/FileCtrls.h"

#include <QComboBox>
#include <QImage>

#include <map>
#include <string>
#include <vector>

using namespace tk;

namespace {

using testing_support::FakeFolders;

class FileCtrlsPeerTest : public QtFixture {
protected:
    FileCtrlsPeerTest()
    {
        application.SetFolders(&folders);
        form = ShownForm(300, 240);
        drives = Child<TDriveComboBox>(*form);
        drives->SetBounds(5, 5, 145, 19);
        list = Child<TDirectoryListBox>(*form);
        list->SetBounds(5, 30, 145, 200);
        drives->SetDirList(list);
        list->OnChange = [this](TObject*) { log.push_back("change " + list->Directory()); };
        list->OnDblClick = [this](TObject*) { log.push_back("dblclick"); };
        list->OnKeyUp = [this](TObject*, uint16_t& key, TShiftState) { log.push_back("keyup " + std::to_string(key)); };
        Turn();
    }

    qtui::FolderListWidget& Lines() { return *WidgetOf<qtui::FolderListWidget>(*list); }
    QModelIndex Line(int row) { return Lines().Model()->index(row, 0); }
    QComboBox& Combo() { return *WidgetOf<QComboBox>(*drives); }

    // The first column of a line that is not the list's background.
    int InkStart(const QImage& shot, int row)
    {
        QRect rect = Lines().visualRect(Line(row));
        int y = rect.center().y();
        QRgb background = shot.pixel(shot.width() - 3, y);
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != background)
                return x;
        return -1;
    }

    FakeFolders folders;
    TForm* form;
    TDriveComboBox* drives;
    TDirectoryListBox* list;
    std::vector<std::string> log;
};

TEST_F(FileCtrlsPeerTest, FolderLinesShowThePathOpenAndTheSubfoldersClosedIndentedByLevel)
{
    qtui::FolderListWidget& lines = Lines();
    ASSERT_EQ(lines.Model()->rowCount(), 4);
    EXPECT_EQ(Line(0).data().toString(), QStringLiteral("C:\\"));
    EXPECT_EQ(Line(1).data().toString(), QStringLiteral("work"));
    EXPECT_EQ(Line(3).data().toString(), QString::fromUtf16(u"\u8868\u793A"));
    EXPECT_EQ(Line(3).data(qtui::FolderListModel::LevelRole).toInt(), 2);

    auto icon = [&](int row) { return Line(row).data(Qt::DecorationRole).value<QIcon>(); };
    EXPECT_FALSE(icon(0).isNull());
    EXPECT_EQ(icon(0).cacheKey(), icon(1).cacheKey()) << "the path's folders are open";
    EXPECT_EQ(icon(2).cacheKey(), icon(3).cacheKey()) << "the subfolders are closed";
    EXPECT_NE(icon(1).cacheKey(), icon(2).cacheKey());

    EXPECT_EQ(lines.currentIndex().row(), 1) << "the current folder's line";
    EXPECT_TRUE(lines.selectionModel()->isSelected(Line(1)));

    QImage shot = lines.viewport()->grab().toImage();
    int root = InkStart(shot, 0);
    EXPECT_GE(root, 0);
    EXPECT_GT(InkStart(shot, 2), root) << "a subfolder lies further right than the root";
    EXPECT_EQ(InkStart(shot, 2), InkStart(shot, 3)) << "lines of one level line up";
}

TEST_F(FileCtrlsPeerTest, DoubleClickOpensTheLineAndTheListFollowsTheModel)
{
    qtui::FolderListWidget& lines = Lines();
    QPoint docs = lines.visualRect(Line(2)).center();
    Press(*lines.viewport(), docs);
    Release(*lines.viewport(), docs);
    EXPECT_TRUE(log.empty()) << "a click only moves the highlight";
    EXPECT_EQ(list->Directory(), "C:\\work");

    SendMouse(*lines.viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, docs, Qt::LeftButton);
    Release(*lines.viewport(), docs);
    EXPECT_EQ(log, (std::vector<std::string>{"dblclick", "change C:\\work\\docs"}));
    Turn();
    ASSERT_EQ(lines.Model()->rowCount(), 3);
    EXPECT_EQ(Line(2).data().toString(), QStringLiteral("docs"));
    EXPECT_EQ(lines.currentIndex().row(), 2);
}

TEST_F(FileCtrlsPeerTest, EnterOpensTheLineTheArrowsMovedTo)
{
    list->SetFocus();
    Turn();
    qtui::FolderListWidget& lines = Lines();
    ASSERT_TRUE(lines.hasFocus());
    Type(lines, Qt::Key_Down);
    Type(lines, Qt::Key_Down);
    EXPECT_EQ(list->Directory(), "C:\\work");
    Type(lines, Qt::Key_Return);
    EXPECT_EQ(list->Directory(), "C:\\work\\\x95\x5c\x8e\xa6");
    EXPECT_EQ(log, (std::vector<std::string>{"keyup 40", "keyup 40", "change C:\\work\\\x95\x5c\x8e\xa6", "keyup 13"}));
}

TEST_F(FileCtrlsPeerTest, DriveBoxShowsTheDrivesAndTheUsersChoiceMovesTheFolderList)
{
    QComboBox& combo = Combo();
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("c: home"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("d: stick"));
    EXPECT_FALSE(combo.itemIcon(1).isNull());
    EXPECT_EQ(combo.currentIndex(), 0);

    emit combo.activated(1);
    EXPECT_EQ(drives->Drive(), 'D');
    EXPECT_EQ(list->Directory(), "D:\\");
    Turn();
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(Line(1).data().toString(), QStringLiteral("photos"));

    drives->SetDrive('C');
    Turn();
    EXPECT_EQ(combo.currentIndex(), 0) << "the model's choice shows";
}

}  // namespace
