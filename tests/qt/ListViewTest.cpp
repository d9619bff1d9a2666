// The list view's peer: rows, columns and images mirrored into the views of each style, a long
// listing in one reset, the selection both ways, and the user's clicks and keys reaching the
// model with the selection already moved.

#include "InputEvents.h"
#include "Pixels.h"
#include "QtFixture.h"

#include "qt/ListViewModel.h"
#include "qt/ListViewWidget.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"

#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QPointer>
#include <QScrollBar>

#include <string>
#include <vector>

using namespace tk;

namespace {

using Lines = std::vector<std::string>;

TIcon SolidIcon(int size, uint32_t argb)
{
    return TIcon(size, size, std::vector<uint32_t>(size_t(size) * size, argb));
}

class ListViewPeerTest : public QtFixture {
protected:
    ListViewPeerTest()
    {
        form = ShownForm(400, 300);
        small = new TImageList(form);
        small->SetSize(16, 16);
        small->Add(SolidIcon(16, 0xFFFF0000u));
        small->Add(SolidIcon(16, 0xFF00FF00u));
        large = new TImageList(form);
        large->SetSize(32, 32);
        large->Add(SolidIcon(32, 0xFF0000FFu));
        large->Add(SolidIcon(32, 0xFFFF00FFu));
        list = Child<TListView>(*form);
        list->SetBounds(0, 0, 400, 300);
        list->SetSmallImages(small);
        list->SetLargeImages(large);
        list->AddColumn("Name", 150, TAlignment::taLeftJustify);
        list->AddColumn("Size", 80, TAlignment::taRightJustify);
        list->AddColumn("Type", 80, TAlignment::taCenter);
        list->SetViewStyle(TViewStyle::vsReport);
        list->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(list->ItemIndex())); };
        list->OnClick = [this](TObject*) { log.push_back("click " + std::to_string(list->ItemIndex())); };
        list->OnDblClick = [this](TObject*) { log.push_back("dblclick " + std::to_string(list->ItemIndex())); };
        list->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
            log.push_back("keydown " + std::to_string(key));
            if (key == swallowedKey)
                key = 0;
        };
        list->OnKeyUp = [this](TObject*, uint16_t& key, TShiftState) {
            log.push_back("keyup " + std::to_string(key) + " at " + std::to_string(list->ItemIndex()));
        };
    }

    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i) {
            TListItem& item = list->Items().Add();
            item.SetCaption("file" + std::to_string(i) + ".txt");
            item.SetSubItems({std::to_string(i * 10), "txt \xCC\xA7\xB2\xD9", "", "B"});
            item.SetImageIndex(i % 2);
        }
    }

    qtui::ListViewWidget& View() { return *WidgetOf<qtui::ListViewWidget>(*list); }
    qtui::ListViewModel& Model() { return *View().Model(); }
    QString Text(int row, int column) { return Model().index(row, column).data().toString(); }
    QImage Shot() { return View().grab().toImage(); }
    // Where a row lies on the shown view's viewport.
    QRect RowRect(int row) { return View().ShownView()->visualRect(Model().index(row, 0)); }

    TForm* form;
    TImageList* small;
    TImageList* large;
    TListView* list;
    Lines log;
    uint16_t swallowedKey = 0;
};

TEST_F(ListViewPeerTest, ReportShowsColumnsTextsAndSmallImages)
{
    AddRows(3);
    Turn();
    qtui::ListViewWidget& view = View();
    ASSERT_EQ(view.ShownView(), view.ReportView());
    EXPECT_EQ(Model().rowCount(), 3);
    EXPECT_EQ(Model().columnCount(), 3) << "the hidden fourth sub-item has no column";
    EXPECT_EQ(Text(1, 0), QStringLiteral("file1.txt"));
    EXPECT_EQ(Text(2, 1), QStringLiteral("20"));
    EXPECT_EQ(Text(0, 2), QString::fromUtf16(u"txt \uFF8C\uFF67\uFF72\uFF99")) << "converted from code page 932";

    QHeaderView* header = view.ReportView()->header();
    EXPECT_TRUE(header->isVisible());
    EXPECT_EQ(Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Size"));
    EXPECT_EQ(header->sectionSize(0), 150);
    EXPECT_EQ(header->sectionSize(2), 80);
    EXPECT_EQ(Model().index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(Model().index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);

    QImage shot = Shot();
    QPoint origin = view.ReportView()->viewport()->mapTo(&view, QPoint(0, 0));
    EXPECT_GT(CountColour(shot, RowRect(0).translated(origin), 0xFF0000), 200) << "row 0 has the red small image";
    EXPECT_GT(CountColour(shot, RowRect(1).translated(origin), 0x00FF00), 200) << "row 1 the green one";
    EXPECT_EQ(CountColour(shot, shot.rect(), 0x0000FF), 0) << "no large image in the report";
}

TEST_F(ListViewPeerTest, ColumnWidthsTheUserSetOutlastANewListing)
{
    AddRows(3);
    Turn();
    QHeaderView* header = View().ReportView()->header();
    header->resizeSection(0, 220);
    list->Items().Clear();
    AddRows(5);
    Turn();
    EXPECT_EQ(header->sectionSize(0), 220);
    list->AddColumn("Date", 120, TAlignment::taLeftJustify);
    Turn();
    EXPECT_EQ(header->sectionSize(0), 150) << "new columns take the list's widths";
    EXPECT_EQ(header->sectionSize(3), 120);
}

TEST_F(ListViewPeerTest, ListStyleArrangesSmallIconsInColumnsTopToBottom)
{
    AddRows(40);
    // "Hyouji tesuto" twice in kanji and katakana, the widest name.
    list->Items()[3].SetCaption("\x95\x5c\x8e\xa6\x83\x65\x83\x58\x83\x67\x95\x5c\x8e\xa6\x83\x65\x83\x58\x83\x67.txt");
    list->SetViewStyle(TViewStyle::vsList);
    Turn();
    qtui::ListViewWidget& view = View();
    ASSERT_EQ(view.ShownView(), view.IconView());
    EXPECT_EQ(view.IconView()->iconSize(), QSize(16, 16));
    QRect first = RowRect(0);
    QRect second = RowRect(1);
    EXPECT_EQ(second.left(), first.left());
    EXPECT_GT(second.top(), first.top()) << "the next name lies below";
    QString widest = QString::fromUtf16(u"\u8868\u793A\u30C6\u30B9\u30C8\u8868\u793A\u30C6\u30B9\u30C8.txt");
    EXPECT_GE(first.width(), view.fontMetrics().horizontalAdvance(widest) + 16)
        << "every column is as wide as the widest name";
    QRect last = RowRect(39);
    EXPECT_GT(last.left(), first.left()) << "a full column wraps into the next one on the right";
    EXPECT_GT(CountColour(Shot(), first, 0xFF0000), 200);
}

TEST_F(ListViewPeerTest, IconStylePutsLargeImagesLeftToRightWithNamesBelow)
{
    AddRows(12);
    list->SetViewStyle(TViewStyle::vsIcon);
    Turn();
    qtui::ListViewWidget& view = View();
    ASSERT_EQ(view.ShownView(), view.IconView());
    EXPECT_EQ(view.IconView()->iconSize(), QSize(32, 32));
    QRect first = RowRect(0);
    QRect second = RowRect(1);
    EXPECT_EQ(second.top(), first.top());
    EXPECT_GT(second.left(), first.left()) << "the next icon lies to the right";
    EXPECT_GT(first.height(), 32 + view.fontMetrics().height());

    QImage shot = Shot();
    QRect blue = first;
    EXPECT_EQ(CountColour(shot, blue, 0x0000FF), 32 * 32) << "the whole large image";
    EXPECT_EQ(CountColour(shot, second, 0xFF00FF), 32 * 32);
    EXPECT_EQ(CountColour(shot, shot.rect(), 0xFF0000), 0) << "no small image";
    // The name sits under the icon: dark text pixels below the icon's bottom, none beside it.
    int iconBottom = first.top();
    for (int y = first.top(); y <= first.bottom(); ++y)
        if (CountColour(shot, QRect(first.left(), y, first.width(), 1), 0x0000FF) > 0)
            iconBottom = y;
    EXPECT_GT(CountDark(shot, QRect(first.left(), iconBottom + 1, first.width(), first.bottom() - iconBottom)), 10);

    // A name without blanks too long for one line breaks between characters onto a second.
    list->Items()[1].SetCaption("abcdefghijklmnopqrstuvwxyz");
    Turn();
    shot = Shot();
    int lineHeight = view.fontMetrics().height();
    QRect firstLine(second.left(), iconBottom + 4, second.width(), lineHeight);
    EXPECT_GT(CountDark(shot, firstLine), 20);
    EXPECT_GT(CountDark(shot, firstLine.translated(0, lineHeight)), 20) << "the name goes on on a second line";
}

TEST_F(ListViewPeerTest, SmallIconStyleArrangesRowsLeftToRight)
{
    AddRows(12);
    list->SetViewStyle(TViewStyle::vsSmallIcon);
    Turn();
    EXPECT_EQ(View().IconView()->iconSize(), QSize(16, 16));
    QRect first = RowRect(0);
    QRect second = RowRect(1);
    EXPECT_EQ(second.top(), first.top());
    EXPECT_GT(second.left(), first.left());
    EXPECT_LT(first.height(), 32);
}

TEST_F(ListViewPeerTest, HundredThousandRowsInOneHandlerReachTheViewsWithOneReset)
{
    AddRows(10);
    Turn();
    int resets = 0;
    // Counted while the test runs: the list's end resets the model once more, after `resets` is gone.
    QObject counting;
    QObject::connect(&Model(), &QAbstractItemModel::modelReset, &counting, [&] { ++resets; });
    list->Items().Clear();
    list->SetViewStyle(TViewStyle::vsList);
    list->Items().Reserve(100000);
    AddRows(100000);
    list->SetViewStyle(TViewStyle::vsReport);
    list->SetItemIndex(99999);
    EXPECT_EQ(resets, 0) << "nothing reaches the views inside the handler";
    EXPECT_EQ(Model().rowCount(), 10);

    Turn();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(Model().rowCount(), 100000);
    EXPECT_EQ(Text(99999, 0), QStringLiteral("file99999.txt"));
    EXPECT_EQ(View().SelectedRow(), 99999);
    EXPECT_TRUE(View().ReportView()->viewport()->rect().intersects(RowRect(99999)))
        << "the selected last row is scrolled into sight";
}

TEST_F(ListViewPeerTest, RowsRewrittenBeforeTheResetAreNeverReadPastTheList)
{
    AddRows(50);
    Turn();
    list->Items().Truncate(5);
    EXPECT_EQ(Model().rowCount(), 50) << "the views still count the old rows";
    EXPECT_FALSE(Model().index(30, 0).data().isValid());
    View().grab();
    Turn();
    EXPECT_EQ(Model().rowCount(), 5);
}

TEST_F(ListViewPeerTest, TheModelsSelectionShowsAndStaysInSight)
{
    AddRows(500);
    Turn();
    list->SetItemIndex(400);
    Turn();
    EXPECT_EQ(View().SelectedRow(), 400);
    EXPECT_TRUE(View().ReportView()->viewport()->rect().intersects(RowRect(400)));
    list->SetItemIndex(-1);
    Turn();
    EXPECT_EQ(View().SelectedRow(), -1);
    EXPECT_EQ(log, (Lines{"change 400", "change -1"}));

    list->SetItemIndex(3);
    list->SetViewStyle(TViewStyle::vsIcon);
    Turn();
    EXPECT_EQ(View().SelectedRow(), 3) << "the selection survives the change of style";
}

TEST_F(ListViewPeerTest, TheUsersSelectionEntersTheModelAndTheModelsAnswerComesBack)
{
    AddRows(20);
    Turn();
    QItemSelectionModel* selection = View().ReportView()->selectionModel();
    selection->setCurrentIndex(Model().index(7, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(list->ItemIndex(), 7);
    EXPECT_EQ(log, (Lines{"change 7"})) << "selecting does not click";

    list->OnChange = [this](TObject*) {
        if (list->ItemIndex() == 9)
            list->SetItemIndex(2);
    };
    selection->setCurrentIndex(Model().index(9, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Turn();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(View().SelectedRow(), 2) << "the view shows what the handler decided";
}

TEST_F(ListViewPeerTest, ClickSelectsOnThePressAndClicksOnTheRelease)
{
    AddRows(8);
    Turn();
    QWidget& viewport = *View().ReportView()->viewport();
    QPoint row3 = RowRect(3).center();
    Press(viewport, row3);
    EXPECT_EQ(log, (Lines{"change 3"}));
    Release(viewport, row3);
    EXPECT_EQ(log, (Lines{"change 3", "click 3"}));

    log.clear();
    DoubleClick(viewport, RowRect(5).center());
    EXPECT_EQ(log, (Lines{"change 5", "click 5", "dblclick 5"}));

    log.clear();
    QPoint belowRows(10, viewport.height() - 5);
    Press(viewport, belowRows);
    Release(viewport, belowRows);
    EXPECT_EQ(log, (Lines{"change -1", "click -1"})) << "a press on no row deselects";
}

TEST_F(ListViewPeerTest, ClickInTheIconStylesGoesThroughTheIconView)
{
    AddRows(20);
    list->SetViewStyle(TViewStyle::vsIcon);
    Turn();
    QWidget& viewport = *View().IconView()->viewport();
    QPoint row2 = RowRect(2).center();
    Press(viewport, row2);
    Release(viewport, row2);
    EXPECT_EQ(log, (Lines{"change 2", "click 2"}));
}

TEST_F(ListViewPeerTest, KeysMoveTheSelectionBeforeTheirKeyUp)
{
    AddRows(300);
    list->SetItemIndex(0);
    list->SetFocus();
    Turn();
    log.clear();
    QWidget& view = *View().ReportView();
    ASSERT_TRUE(view.hasFocus());
    Type(view, Qt::Key_Down);
    EXPECT_EQ(log, (Lines{"keydown 40", "change 1", "keyup 40 at 1"}));

    Type(view, Qt::Key_End);
    EXPECT_EQ(list->ItemIndex(), 299);
    Type(view, Qt::Key_Home);
    EXPECT_EQ(list->ItemIndex(), 0);
    Type(view, Qt::Key_PageDown);
    EXPECT_GT(list->ItemIndex(), 5);

    log.clear();
    Type(view, Qt::Key_F, QStringLiteral("f"));
    Type(view, Qt::Key_I, QStringLiteral("i"));
    Type(view, Qt::Key_L, QStringLiteral("l"));
    Type(view, Qt::Key_E, QStringLiteral("e"));
    Type(view, Qt::Key_2, QStringLiteral("2"));
    Type(view, Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(list->Selected()->Caption(), "file25.txt") << "typing a name's first letters jumps to it";
    EXPECT_EQ(log.back(), "keyup 53 at 25");
}

TEST_F(ListViewPeerTest, TypingFindsNamesAfterAClickOnAnotherColumn)
{
    AddRows(20);
    list->SetFocus();
    Turn();
    QWidget& view = *View().ReportView();
    QPoint typeColumn = View().ReportView()->visualRect(Model().index(3, 2)).center();
    Press(*View().ReportView()->viewport(), typeColumn);
    Release(*View().ReportView()->viewport(), typeColumn);
    ASSERT_EQ(list->ItemIndex(), 3);
    Type(view, Qt::Key_F, QStringLiteral("f"));
    Type(view, Qt::Key_I, QStringLiteral("i"));
    Type(view, Qt::Key_L, QStringLiteral("l"));
    Type(view, Qt::Key_E, QStringLiteral("e"));
    Type(view, Qt::Key_7, QStringLiteral("7"));
    EXPECT_EQ(list->Selected()->Caption(), "file7.txt");
}

TEST_F(ListViewPeerTest, ASwallowedKeyDownLeavesTheSelection)
{
    AddRows(10);
    list->SetItemIndex(4);
    list->SetFocus();
    swallowedKey = vk::Down;
    Turn();
    log.clear();
    Type(*View().ReportView(), Qt::Key_Down);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(log, (Lines{"keydown 40", "keyup 40 at 4"}));
}

TEST_F(ListViewPeerTest, ImagesAreMadeAgainWhenTheListIsRefilled)
{
    AddRows(2);
    Turn();
    QIcon before = Model().index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(before.pixmap(16, 16).toImage().pixel(8, 8) & 0xFFFFFF, 0xFF0000u);
    small->Clear();
    small->Add(SolidIcon(16, 0xFF00FFFFu));
    small->Add(SolidIcon(16, 0xFF00FF00u));
    list->Items()[0].SetCaption("again");
    Turn();
    QIcon after = Model().index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(after.pixmap(16, 16).toImage().pixel(8, 8) & 0xFFFFFF, 0x00FFFFu);
    small->Clear();
    EXPECT_TRUE(Model().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull()) << "a bad index has no image";
}

TEST_F(ListViewPeerTest, AFreedListLeavesItsViewsNothingToRead)
{
    AddRows(30);
    Turn();
    QPointer<QWidget> widget = WidgetOf(*list);
    qtui::ListViewModel* model = View().Model();
    delete list;
    ASSERT_FALSE(widget.isNull()) << "the widget goes on the next turn";
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_FALSE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).isValid());
    Turn();
    EXPECT_TRUE(widget.isNull());
}

}  // namespace
