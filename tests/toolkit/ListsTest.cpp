// List views, image lists and string grids.

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace tk;

namespace {

class CountingListPeer : public TListViewPeer {
public:
    explicit CountingListPeer(int& itemChanges) : m_itemChanges(itemChanges) {}
    void ItemsChanged() override { ++m_itemChanges; }

private:
    int& m_itemChanges;
};

class ListFactory : public IPeerFactory {
public:
    std::unique_ptr<TFormPeer> CreatePeer(TForm&) override { return std::make_unique<TFormPeer>(); }
    std::unique_ptr<TPanelPeer> CreatePeer(TPanel&) override { return nullptr; }
    std::unique_ptr<TLabelPeer> CreatePeer(TLabel&) override { return nullptr; }
    std::unique_ptr<TButtonPeer> CreatePeer(TButton&) override { return nullptr; }
    std::unique_ptr<TImagePeer> CreatePeer(TImage&) override { return nullptr; }
    std::unique_ptr<TScrollBarPeer> CreatePeer(TScrollBar&) override { return nullptr; }
    std::unique_ptr<TListViewPeer> CreatePeer(TListView&) override
    {
        return std::make_unique<CountingListPeer>(itemChanges);
    }
    int itemChanges = 0;
};

uint32_t Solid(uint8_t r, uint8_t g, uint8_t b)
{
    return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

}  // namespace

TEST(ListItems, RowsAreAddedRewrittenAndCutWithTheirIndexes)
{
    TListView list(nullptr);
    for (int i = 0; i < 10; ++i) {
        TListItem& item = list.Items().Add();
        item.SetCaption("row" + std::to_string(i));
        item.SetSubItem(3, "B");
    }
    EXPECT_EQ(list.Items()[4].SubItems(), (std::vector<std::string>{"", "", "", "B"}))
        << "setting sub-item 3 makes the ones before it";
    EXPECT_EQ(list.Items()[4].SubItem(7), "");
    list.Items().Delete(2);
    EXPECT_EQ(list.Items()[2].Caption(), "row3");
    EXPECT_EQ(list.Items()[2].Index(), 2);
    list.Items().Truncate(3);
    EXPECT_EQ(list.Items().Count(), 3);
    list.Items().Truncate(5);
    EXPECT_EQ(list.Items().Count(), 3) << "truncating to more rows than there are changes nothing";
}

// Row p becomes the row that was at order[p]; the rows move in place along the permutation's
// cycles, so every kind of permutation is checked, and an order that is no permutation still loses
// no row and doubles none.
TEST(ListItems, ReorderPutsEachRowWhereTheOrderSaysAndLosesNone)
{
    auto listOf = [](int count) {
        auto list = std::make_unique<TListView>(nullptr);
        for (int i = 0; i < count; ++i) {
            list->Items().Add().SetCaption("row" + std::to_string(i));
            list->Items()[i].SetSubItems({std::to_string(i), "x", std::string(40, char('a' + i % 26))});
        }
        return list;
    };
    auto captions = [](const TListView& list) {
        std::vector<std::string> all;
        for (int i = 0; i < list.Items().Count(); ++i)
            all.push_back(list.Items()[i].Caption());
        return all;
    };
    std::vector<std::vector<int>> orders = {{0}, {1, 0}, {0, 1, 2, 3}, {3, 2, 1, 0}, {1, 2, 3, 0}, {2, 0, 1, 4, 3}};
    std::vector<int> shuffled(1000);
    for (int i = 0; i < 1000; ++i)
        shuffled[i] = (i * 7919) % 1000;
    orders.push_back(shuffled);
    for (const std::vector<int>& order : orders) {
        const int count = static_cast<int>(order.size()) + 2;
        auto list = listOf(count);
        list->Items().Reorder(order);
        for (int p = 0; p < count; ++p) {
            const int was = p < static_cast<int>(order.size()) ? order[p] : p;
            ASSERT_EQ(list->Items()[p].Caption(), "row" + std::to_string(was)) << "row " << p << " of " << count;
            ASSERT_EQ(list->Items()[p].SubItem(0), std::to_string(was));
            ASSERT_EQ(list->Items()[p].SubItem(2), std::string(40, char('a' + was % 26)));
            ASSERT_EQ(list->Items()[p].Index(), p);
        }
    }
    for (const std::vector<int>& broken : std::vector<std::vector<int>>{{1, 1, 0}, {2, -1, 0}, {0, 9, 1}}) {
        auto list = listOf(4);
        list->Items().Reorder(broken);
        std::vector<std::string> after = captions(*list);
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, (std::vector<std::string>{"row0", "row1", "row2", "row3"})) << "every row once";
    }
}

TEST(ListItems, SelectionIsClearedWhenItsRowGoes)
{
    TListView list(nullptr);
    for (int i = 0; i < 5; ++i)
        list.Items().Add().SetCaption(std::to_string(i));
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.InputSelect(4);
    ASSERT_NE(list.Selected(), nullptr);
    EXPECT_EQ(list.Selected()->Caption(), "4");
    list.Items().Truncate(3);
    EXPECT_EQ(list.Selected(), nullptr);
    list.SetItemIndex(9);
    EXPECT_EQ(list.ItemIndex(), -1) << "an index past the rows selects nothing";
    EXPECT_EQ(changes, 2);

    TPropertyList properties;
    list.SetItemIndex(1);
    list.DescribeProperties(properties);
    EXPECT_EQ(properties.Find("Selected")->text, "1");
    EXPECT_EQ(properties.Find("Items.Count")->number, 3);
}

TEST(ListItems, ThePeerHearsOfRowChangesButUnchangedValuesAreSilent)
{
    TApplication application;
    ListFactory factory;
    application.SetPeerFactory(&factory);
    TForm form(&application);
    auto* list = new TListView(&form);
    list->SetParent(&form);
    form.Show();
    factory.itemChanges = 0;
    TListItem& item = list->Items().Add();
    item.SetCaption("a");
    item.SetCaption("a");
    item.SetSubItem(0, "");
    item.SetImageIndex(-1);
    EXPECT_EQ(factory.itemChanges, 3) << "add, caption, and the new sub-item";
}

TEST(ImageLists, ImagesAreScaledToTheListSizeAndCopiedBetweenLists)
{
    TImageList small(nullptr), large(nullptr);
    small.SetSize(16, 16);
    large.SetSize(32, 32);
    TBitmap red(32, 32);
    red.Canvas().SetBrushColor(TColor::Rgb(255, 0, 0));
    red.Canvas().FillRect(TRect{0, 0, 32, 32});
    EXPECT_EQ(small.Add(red), 0);
    EXPECT_EQ(small.Image(0).Width(), 16);
    EXPECT_EQ(small.Image(0).Pixels()[0], Solid(255, 0, 0));
    EXPECT_EQ(large.AddImage(small, 0), 0);
    EXPECT_EQ(large.Image(0).Width(), 32);
    EXPECT_EQ(large.Image(0).Pixels()[32 * 16 + 16], Solid(255, 0, 0)) << "a small image grown keeps its colour";
    EXPECT_EQ(large.AddImage(small, 5), -1);
    EXPECT_EQ(large.Add(TBitmap()), -1) << "an empty graphic is not added";
    EXPECT_EQ(large.Count(), 1);
    EXPECT_TRUE(large.Image(7).Empty());
    small.Clear();
    EXPECT_EQ(small.Count(), 0);
}

TEST(ImageLists, ShrinkingAveragesColourByCoverageAndKeepsTransparency)
{
    // Two columns: opaque blue and fully transparent; shrunk to one pixel, the colour stays blue
    // (transparent pixels add no colour) and the pixel becomes half transparent.
    std::vector<uint32_t> pixels = {Solid(0, 0, 255), 0x00FF0000, Solid(0, 0, 255), 0x00FF0000};
    auto scaled = ScalePixels(pixels, 2, 2, 1, 1);
    ASSERT_EQ(scaled.size(), 1u);
    EXPECT_EQ(scaled[0], 0x800000FFu);
    EXPECT_EQ(ScalePixels(pixels, 2, 2, 0, 5).size(), 0u);
    EXPECT_EQ(ScalePixels({}, 2, 2, 1, 1), std::vector<uint32_t>(1, 0)) << "too few pixels give a blank image";
    EXPECT_EQ(ScalePixels({}, 2, 2, 2, 2), std::vector<uint32_t>(4, 0)) << "at the same size too";
    EXPECT_EQ(ScalePixels(pixels, 2, 2, 2, 2), pixels) << "the same size is a copy";
    std::vector<uint32_t> longer = pixels;
    longer.push_back(Solid(1, 2, 3));
    EXPECT_EQ(ScalePixels(longer, 2, 2, 2, 2), pixels) << "of the image's own pixels";
}

TEST(StringGrids, CellsBeyondTheGridsSizeKeepTheirText)
{
    TStringGrid grid(nullptr);
    grid.SetColCount(2);
    grid.SetRowCount(5);
    grid.SetCell(1, 7, "DOC");
    EXPECT_EQ(grid.Cell(1, 7), "DOC");
    EXPECT_EQ(grid.RowCount(), 5) << "writing a far cell does not grow the grid";
    EXPECT_EQ(grid.Cell(0, 7), "");
    EXPECT_EQ(grid.Cell(-1, 0), "");
    grid.SetRowCount(2);
    EXPECT_EQ(grid.Cell(1, 7), "DOC") << "shrinking the grid keeps the cells";
    grid.SetFixedRows(9);
    EXPECT_EQ(grid.FixedRows(), 2);
}

TEST(StringGrids, TypingIntoACellRunsTheEditEvent)
{
    TStringGrid grid(nullptr);
    std::vector<std::string> seen;
    grid.OnSetEditText = [&](TObject*) { seen.push_back(grid.Cell(1, 2)); };
    grid.InputCell(1, 2, "jpg");
    EXPECT_EQ(seen, (std::vector<std::string>{"jpg"}));
}
