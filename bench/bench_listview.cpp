// What the user waits for after a long listing: from 100,000 rows written into a shown list view
// to the view painted once, on Qt's offscreen platform. The time splits into the rows written
// into the model (rows_ms) and the peer's flush with the paint that follows (view_ms).

#include "bench/BenchPaints.h"
#include "qt/ClassicLook.h"
#include "qt/ListViewWidget.h"
#include "qt/QtBackend.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int RowCount = 100000;


tk::TIcon SolidIcon(int size, uint32_t argb)
{
    return tk::TIcon(size, size, std::vector<uint32_t>(size_t(size) * size, argb));
}

// Rewrites the rows as a listing does: rows that exist are reused, the rest added.
void WriteRows(tk::TListView& list, int generation)
{
    tk::TListItems& items = list.Items();
    items.Reserve(RowCount);
    std::string suffix = "_" + std::to_string(generation) + ".txt";
    for (int i = 0; i < RowCount; ++i) {
        tk::TListItem& item = i < items.Count() ? items[i] : items.Add();
        item.SetCaption("file" + std::to_string(i) + suffix);
        item.SetSubItem(0, std::to_string(i * 37));
        item.SetSubItem(1, "txt file");
        item.SetSubItem(2, "2024-01-02 03:04:05");
        item.SetSubItem(3, "B");
        item.SetImageIndex(i % 2);
    }
}

// A shown form with a list view of four columns and two icons in each size, in the given style.
struct ShownList {
    explicit ShownList(tk::TViewStyle style)
    {
        backend.Install(application);
        application.CreateForm(form);
        form->SetClientWidth(600);
        form->SetClientHeight(400);
        auto* small = new tk::TImageList(form);
        small->Add(SolidIcon(16, 0xFFFFFF80u));
        small->Add(SolidIcon(16, 0xFF80C0FFu));
        auto* large = new tk::TImageList(form);
        large->SetSize(32, 32);
        large->Add(SolidIcon(32, 0xFFFFFF80u));
        large->Add(SolidIcon(32, 0xFF80C0FFu));
        list = new tk::TListView(form);
        list->SetParent(form);
        list->SetBounds(0, 0, 600, 400);
        list->SetSmallImages(small);
        list->SetLargeImages(large);
        list->AddColumn("Name", 150, tk::TAlignment::taLeftJustify);
        list->AddColumn("Size", 80, tk::TAlignment::taRightJustify);
        list->AddColumn("Type", 80, tk::TAlignment::taCenter);
        list->AddColumn("Date", 120, tk::TAlignment::taLeftJustify);
        list->SetViewStyle(style);
    }
    // Shows the form and starts counting the list's paints.
    void Show()
    {
        form->Show();
        QCoreApplication::processEvents();
        auto* view = dynamic_cast<qtui::ListViewWidget*>(qtui::WidgetOf(*list));
        view->ShownView()->viewport()->installEventFilter(&paints);
    }
    ~ShownList() { delete form; }

    qtui::QtBackend backend;
    tk::TApplication application;
    tk::TForm* form = nullptr;
    tk::TListView* list = nullptr;
    bench::PaintCounter paints;
};

void RowsToPaint(benchmark::State& state, tk::TViewStyle style)
{
    ShownList shown(style);
    shown.Show();
    using Clock = std::chrono::steady_clock;
    double rowsMs = 0;
    double viewMs = 0;
    int generation = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        WriteRows(*shown.list, ++generation);
        auto written = Clock::now();
        if (!shown.paints.WaitForPaint(shown.paints.paints)) {
            state.SkipWithError("the view was not painted");
            break;
        }
        auto painted = Clock::now();
        rowsMs += std::chrono::duration<double, std::milli>(written - start).count();
        viewMs += std::chrono::duration<double, std::milli>(painted - written).count();
    }
    state.counters["rows_ms"] = benchmark::Counter(rowsMs, benchmark::Counter::kAvgIterations);
    state.counters["view_ms"] = benchmark::Counter(viewMs, benchmark::Counter::kAvgIterations);
}

// After a re-sort the rows are put in their new order at once (TListItems::Reorder); the time
// from that reorder of 100,000 shown rows to the view painted in the new order.
void BM_ReorderToPaint(benchmark::State& state)
{
    ShownList shown(tk::TViewStyle::vsReport);
    WriteRows(*shown.list, 1);
    shown.Show();
    std::vector<int> reversed(RowCount);
    for (int i = 0; i < RowCount; ++i)
        reversed[i] = RowCount - 1 - i;
    for (auto _ : state) {
        const int before = shown.paints.paints;
        shown.list->Items().Reorder(reversed);
        if (!shown.paints.WaitForPaint(before)) {
            state.SkipWithError("the view was not painted");
            break;
        }
    }
}

void BM_ReportRowsToPaint(benchmark::State& state)
{
    RowsToPaint(state, tk::TViewStyle::vsReport);
}
void BM_ListRowsToPaint(benchmark::State& state)
{
    RowsToPaint(state, tk::TViewStyle::vsList);
}
void BM_IconRowsToPaint(benchmark::State& state)
{
    RowsToPaint(state, tk::TViewStyle::vsIcon);
}

BENCHMARK(BM_ReportRowsToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListRowsToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IconRowsToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReorderToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    qtui::ApplyClassicLook(qtApplication);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
