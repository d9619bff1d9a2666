// A list view of a few hundred rows in a real X display: what the screen shows of it in the
// report and the large-icon styles is drawn, texts and icons included. With ORVANE_SCREENSHOTS
// naming a folder, the shots are kept there.

#include "platform/Display.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"

#include "tests/qt/ScreenApplication.h"
#include "tests/qt/Pixels.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTreeView>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// A document icon: a white page with a black edge on a transparent ground, its face coloured.
tk::TIcon PageIcon(int size, uint32_t face)
{
    std::vector<uint32_t> pixels(size_t(size) * size, 0);
    for (int y = 1; y < size - 1; ++y)
        for (int x = size / 6; x < size - size / 6; ++x) {
            bool edge = y == 1 || y == size - 2 || x == size / 6 || x == size - size / 6 - 1;
            pixels[size_t(y) * size + x] = edge ? 0xFF000000u : face;
        }
    return tk::TIcon(size, size, pixels);
}

bool WaitExposed(QWidget& window)
{
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && timer.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return window.windowHandle() && window.windowHandle()->isExposed();
}

TEST(ListViewWindow, ReportAndIconStylesShowTheirRows)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;
    tk::TApplication application;
    screen.backend.Install(application);

    tk::TForm* form = nullptr;
    application.CreateForm(form);
    form->SetClientWidth(600);
    form->SetClientHeight(400);
    auto* small = new tk::TImageList(form);
    auto* large = new tk::TImageList(form);
    large->SetSize(32, 32);
    small->Add(PageIcon(16, 0xFFFFFF00u));
    large->Add(PageIcon(32, 0xFFFFFF00u));
    small->Add(PageIcon(16, 0xFF00FFFFu));
    large->Add(PageIcon(32, 0xFF00FFFFu));
    auto* list = new tk::TListView(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 600, 400);
    list->SetSmallImages(small);
    list->SetLargeImages(large);
    list->AddColumn("Name", 150, tk::TAlignment::taLeftJustify);
    list->AddColumn("Size", 80, tk::TAlignment::taRightJustify);
    list->AddColumn("Type", 80, tk::TAlignment::taCenter);
    for (int i = 0; i < 300; ++i) {
        tk::TListItem& item = list->Items().Add();
        item.SetCaption("document" + std::to_string(i) + ".txt");
        item.SetSubItems({std::to_string(i * 1000), "txt file", "", "B"});
        item.SetImageIndex(i % 2);
    }
    list->SetViewStyle(tk::TViewStyle::vsReport);
    form->Show();
    QWidget* window = qtui::WidgetOf(*form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitExposed(*window)) << "the window never showed";

    QImage report = ShotOf(*window, QStringLiteral("listview-report.png"));
    ASSERT_EQ(report.size(), QSize(600, 400));
    EXPECT_GT(CountColour(report, QRect(0, 0, 600, 14), 0xC0C0C0), 1000) << "the grey column headers";
    EXPECT_GT(CountDark(report, QRect(20, 20, 130, 370)), 1500) << "the names";
    EXPECT_GT(CountDark(report, QRect(160, 20, 70, 370)), 500) << "the sizes";
    EXPECT_GT(CountColour(report, QRect(0, 20, 20, 370), 0xFFFF00), 10 * 12 * 10) << "small icons before the names";
    EXPECT_EQ(CountColour(report, QRect(0, 20, 600, 380), 0x00FFFF) > 0, true);

    list->SetViewStyle(tk::TViewStyle::vsIcon);
    QImage icons = ShotOf(*window, QStringLiteral("listview-icon.png"));
    EXPECT_GT(CountColour(icons, icons.rect(), 0xFFFF00), 12 * 32 * 20) << "large yellow icons";
    EXPECT_GT(CountColour(icons, icons.rect(), 0x00FFFF), 12 * 32 * 20) << "large cyan icons";
    EXPECT_GT(CountDark(icons, icons.rect()), 3000) << "icon edges and names";
    EXPECT_EQ(CountColour(icons, QRect(0, 0, 570, 14), 0xC0C0C0), 0) << "no column headers";

    delete form;
}

// Whether the text drawn in a cell ends in an ellipsis: the ink of its last three columns, the
// dots of an ellipsis, is no more than two pixels high, where the end of a digit or a letter is
// taller.
bool EndsInEllipsis(const QImage& shot, const QRect& cell)
{
    int right = -1;
    for (int x = cell.right(); x >= cell.left() && right < 0; --x)
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            if (qGray(shot.pixel(x, y)) < 0x80)
                right = x;
    if (right < 0)
        return false;
    int top = cell.bottom(), bottom = cell.top();
    for (int x = right - 2; x <= right; ++x)
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            if (qGray(shot.pixel(x, y)) < 0x80) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return bottom - top + 1 <= 2;
}

// The report's columns at the file list's widths and in its font: a size, a type or a date and
// time ("2026/12/08 16:56:30" at 120 pixels) is drawn whole, not cut short with an ellipsis;
// a text far too wide for its column still is.
TEST(ListViewWindow, TextsOfTheReportColumnsAreDrawnWhole)
{
    std::string why;
    if (!platform::DisplayReachable(why))
        GTEST_SKIP() << why;
    ScreenApplication screen;
    tk::TApplication application;
    screen.backend.Install(application);

    tk::TForm* form = nullptr;
    application.CreateForm(form);
    form->SetClientWidth(600);
    form->SetClientHeight(200);
    const char* const rows[][4] = {
        {"TavoCust.cnf", "1,234,567", "CNF file", "2026/12/08 16:56:30"},
        {"document.txt", "999,999,999", "TXT file", "2000/08/28 20:08:08"},
        {"sheet.xls", "0", "XLS file", "1999/11/11 11:11:11"},
        {"other.dat", "12", "a type whose name is far too long", "2026/12/08"},
    };
    auto* list = new tk::TListView(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 600, 200);
    // The program's font, as its main window gives it to the file list, and its columns.
    list->Font().SetName(tk::DefaultFontName());
    list->Font().SetPixelHeight(12);
    list->AddColumn("Name", 150, tk::TAlignment::taLeftJustify);
    list->AddColumn("Size", 80, tk::TAlignment::taRightJustify);
    list->AddColumn("Type", 80, tk::TAlignment::taCenter);
    list->AddColumn("Date", 120, tk::TAlignment::taLeftJustify);
    for (const auto& row : rows) {
        tk::TListItem& item = list->Items().Add();
        item.SetCaption(row[0]);
        item.SetSubItems({row[1], row[2], row[3], "B"});
    }
    list->SetViewStyle(tk::TViewStyle::vsReport);
    form->Show();
    QWidget* window = qtui::WidgetOf(*form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitExposed(*window)) << "the window never showed";
    QImage shot = ShotOf(*window, QStringLiteral("listview-columns.png"));
    QTreeView* report = window->findChild<QTreeView*>();
    ASSERT_NE(report, nullptr);
    QFontInfo font(report->font());
    std::printf("the list's font: %s, %d pixels; the date %d pixels wide\n", qPrintable(font.family()),
                font.pixelSize(), QFontMetrics(report->font()).horizontalAdvance(QStringLiteral("2026/12/08 16:56:30")));

    for (int row = 0; row < 4; ++row)
        for (int column = 1; column < 4; ++column) {
            QRect cell = report->visualRect(report->model()->index(row, column));
            cell.translate(report->viewport()->mapTo(window, QPoint(0, 0)));
            // The grid line may lie in the cell's last pixel column.
            cell.setRight(cell.right() - 1);
            const bool tooLong = row == 3 && column == 2;
            EXPECT_EQ(EndsInEllipsis(shot, cell), tooLong)
                << rows[row][column] << (tooLong ? " is not cut short" : " is cut short")
                << " (the shot is kept as listview-columns.png with ORVANE_SCREENSHOTS)";
        }
    delete form;
}

}  // namespace
