// The whole program in a window: from the user's opening of a folder of 100,000 entries in the
// folder tree to the file list painted with them, listed and sorted (folders first, by name),
// beside the floor of plain readdir and stat of the same folder in the same run. Under Xvfb when
// bench.sh finds it (a real X window), on Qt's offscreen platform otherwise.

#include "bench/BenchFolders.h"
#include "bench/BenchPaints.h"
#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "qt/ClassicLook.h"
#include "qt/ListViewWidget.h"
#include "qt/QtBackend.h"
#include "qt/WidgetPeer.h"
#include "toolkit/Application.h"
#include "toolkit/FileCtrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int EntryCount = 100000;

orvane::Process* g_process = nullptr;
std::string g_root;


// Runs the event loop until `done` holds or `boundMs` pass.
template <class Done>
bool ProcessUntil(const Done& done, int boundMs = 10000)
{
    QElapsedTimer bound;
    bound.start();
    while (!done() && bound.elapsed() < boundMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Opens the tree's line named `name` as the user does from the keyboard: the line made current,
// then Enter (a double-click opens it the same way).
bool OpenFolder(const std::string& name)
{
    orvane::TImageForm& form = *g_process->ImageForm;
    auto* tree = dynamic_cast<QAbstractItemView*>(qtui::WidgetOf(*form.DirectoryListBox1));
    const std::vector<tk::TFolderItem>& items = form.DirectoryListBox1->Items();
    for (size_t row = 0; row < items.size(); ++row) {
        if (items[row].caption != name)
            continue;
        QModelIndex index = tree->model()->index(int(row), 0);
        tree->scrollTo(index);
        tree->setCurrentIndex(index);
        QTest::keyClick(tree, Qt::Key_Return);
        return true;
    }
    return false;
}

void ReaddirStat(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ReaddirStat(g_root + "/big"));
    state.SetItemsProcessed(state.iterations() * EntryCount);
}

void ClickToPaintedList(benchmark::State& state)
{
    orvane::TImageForm& form = *g_process->ImageForm;
    auto* list = dynamic_cast<qtui::ListViewWidget*>(qtui::WidgetOf(*form.ListView1));
    bench::PaintCounter counter;
    list->ShownView()->viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        state.PauseTiming();
        form.DirectoryListBox1->InputDirectory("C:\\");
        ProcessUntil([&] { return form.ListView1->Items().Count() == 2; });
        ProcessUntil([] { return false; }, 300);  // the small folder settles and paints
        const int before = counter.paints;
        state.ResumeTiming();
        if (!OpenFolder("big")) {
            state.SkipWithError("the tree has no folder big");
            break;
        }
        bool shown = counter.WaitForPaint(before, [&] { return form.ListView1->Items().Count() == EntryCount; });
        if (!shown) {
            std::fprintf(stderr, "directory %s, %d rows, %d paints\n", form.DirectoryListBox1->Directory().c_str(),
                         form.ListView1->Items().Count(), counter.paints - before);
            state.SkipWithError("the list was not painted with the folder's entries");
            break;
        }
    }
    list->ShownView()->viewport()->removeEventFilter(&counter);
    state.SetItemsProcessed(state.iterations() * EntryCount);
}

}  // namespace

BENCHMARK(ReaddirStat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ClickToPaintedList)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv)
{
    // The start folder holds the big folder and a small one to come back from.
    g_root = bench::TemporaryFolder();
    bench::FillFolder(g_root + "/big", EntryCount);
    bench::FillFolder(g_root + "/small", 0);
    if (chdir(g_root.c_str()) != 0)
        return 1;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    qtui::ApplyClassicLook(qtApplication);
    benchmark::Initialize(&argc, argv);
    qtui::QtBackend backend;
    int status = 0;
    {
        tk::TApplication application;
        backend.Install(application);
        platform::DriveMap drives;
        drives.Map('C', g_root);
        drives.Map('Z', "/");
        platform::Host host(drives);
        orvane::Process process(application, host);
        g_process = &process;
        // The benchmarks run inside the program's own event loop once its window shows the tree; a
        // timer that looks now and then, so that nothing waits inside the start-up itself.
        QTimer starter;
        starter.setInterval(50);
        QObject::connect(&starter, &QTimer::timeout, [&] {
            auto* tree = process.ImageForm
                ? dynamic_cast<QAbstractItemView*>(qtui::WidgetOf(*process.ImageForm->DirectoryListBox1))
                : nullptr;
            if (!tree || !tree->isVisible() || tree->model()->rowCount() == 0)
                return;
            starter.stop();
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
            process.ImageForm->Close();
        });
        starter.start();
        orvane::RunProcess(process);
    }
    return status;
}
