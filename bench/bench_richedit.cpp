// Loading a large plain text into a read-only rich edit on the Qt back end (offscreen), from the
// call to LoadFromFile to the end of the first paint of its viewer, for 5 MB and 50 MB of text in
// code page 932 and in UTF-8. Counters: the peak of resident memory during the load above what
// the process held before it (VmHWM, reset through /proc/self/clear_refs), in megabytes and as a
// multiple of the file's size. Qt's own QPlainTextEdit on the 5 MB text is measured beside it.

#include "host/HostTextFiles.h"
#include "platform/CodePage.h"
#include "platform/Host.h"
#include "qt/ClassicLook.h"
#include "qt/PlainTextView.h"
#include "qt/QtBackend.h"
#include "qt/RichEditPeer.h"
#include "tests/TempTree.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

enum Encoding { Cp932 = 0, Utf8 = 1 };

// Text like a log or a novel of this desktop: numbered lines of mixed Japanese and ASCII, about
// sixty bytes each.
std::string MakeText(size_t size, Encoding encoding)
{
    const char* samples[] = {
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87\xE7\xAB\xA0\xE3\x81\xA8 English words, mixed",
        "\xE8\xA1\xA8\xE7\xA4\xBA\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE3\x80\x81\xE8\x83\xBD\xE5\x8A\x9B\xE3\x80\x82",
        "plain ASCII line with\ttabs\tand numbers 1234567890",
        "\xEF\xBD\xB6\xEF\xBE\x80\xEF\xBD\xB6\xEF\xBE\x85 half-width kana and more text here",
    };
    std::string utf8;
    utf8.reserve(size + 256);
    for (int line = 0; utf8.size() < size; ++line) {
        utf8 += std::to_string(line);
        utf8 += ' ';
        utf8 += samples[line % 4];
        utf8 += "\r\n";
    }
    utf8.resize(size);
    return encoding == Utf8 ? utf8 : platform::Utf8ToCp932(utf8);
}

struct Files {
    TempTree tree{"bench-richedit"};
    const std::string root = tree.Root();
    std::map<std::pair<int, int>, std::string> names;

    // The DOS name on drive C: of a text of `megabytes` in the encoding, made once.
    std::string Name(int megabytes, Encoding encoding)
    {
        auto key = std::make_pair(megabytes, int(encoding));
        if (auto it = names.find(key); it != names.end())
            return it->second;
        std::string name = std::to_string(megabytes) + (encoding == Utf8 ? "mb-utf8.txt" : "mb-cp932.txt");
        std::ofstream(root + "/" + name, std::ios::binary) << MakeText(size_t(megabytes) << 20, encoding);
        return names[key] = "C:\\" + name;
    }
    std::string HostPath(const std::string& dosName) { return root + "/" + dosName.substr(3); }
};

Files& TextFiles()
{
    static Files files;
    return files;
}

long StatusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    return 0;
}

// Starts a new peak of resident memory at what the process holds now.
bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return bool(clear);
}

void Turn()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void LoadToFirstPaint(benchmark::State& state)
{
    int megabytes = int(state.range(0));
    auto encoding = Encoding(state.range(1));
    std::string name = TextFiles().Name(megabytes, encoding);
    platform::DriveMap drives;
    drives.Map('C', TextFiles().root);
    platform::Host host(drives);
    orvane::HostTextFiles files(host);
    qtui::QtBackend backend;
    tk::TApplication application;
    backend.Install(application);
    application.SetTextFiles(&files);
    tk::TForm* form = nullptr;
    application.CreateForm(form);
    form->SetClientWidth(640);
    form->SetClientHeight(480);
    auto* edit = new tk::TRichEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 640, 480);
    edit->SetReadOnly(true);
    edit->SetWordWrap(false);
    edit->SetScrollBars(tk::TScrollStyle::ssBoth);
    form->Show();
    Turn();
    auto& peer = dynamic_cast<qtui::RichEditPeer&>(*edit->Peer());
    qtui::PlainTextView& viewer = *peer.Faces()->Viewer();

    double peakMegabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit->Lines().Clear();
        Turn();
        long before = StatusKilobytes("VmRSS:");
        bool peakKnown = ResetPeak();
        int paints = viewer.Paints();
        state.ResumeTiming();

        edit->Lines().LoadFromFile(name);
        QElapsedTimer waited;
        waited.start();
        while (viewer.Paints() == paints && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);

        state.PauseTiming();
        if (viewer.Paints() == paints)
            state.SkipWithError("the viewer never painted");
        if (peakKnown)
            peakMegabytes = std::max(peakMegabytes, (StatusKilobytes("VmHWM:") - before) / 1024.0);
        state.ResumeTiming();
    }
    state.counters["lines"] = edit->Lines().Count();
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["peak_x_file"] = peakMegabytes / megabytes;
    state.SetBytesProcessed(int64_t(state.iterations()) * (int64_t(megabytes) << 20));
}

// Qt's plain text editor given the same text, for comparison: setPlainText to the first paint.
void QtPlainTextEdit(benchmark::State& state)
{
    int megabytes = int(state.range(0));
    std::ifstream file(TextFiles().HostPath(TextFiles().Name(megabytes, Cp932)), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    QString text = QString::fromStdString(platform::Cp932ToUtf8(bytes));
    double peakMegabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto editor = std::make_unique<QPlainTextEdit>();
        editor->resize(640, 480);
        editor->setReadOnly(true);
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->show();
        Turn();
        long before = StatusKilobytes("VmRSS:");
        bool peakKnown = ResetPeak();
        state.ResumeTiming();
        editor->setPlainText(text);
        editor->repaint();
        Turn();
        state.PauseTiming();
        if (peakKnown)
            peakMegabytes = std::max(peakMegabytes, (StatusKilobytes("VmHWM:") - before) / 1024.0);
        editor.reset();
        Turn();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["peak_x_file"] = peakMegabytes / megabytes;
}

}  // namespace

BENCHMARK(LoadToFirstPaint)
    ->ArgNames({"MB", "utf8"})
    ->Args({5, Cp932})
    ->Args({50, Cp932})
    ->Args({5, Utf8})
    ->Args({50, Utf8})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(QtPlainTextEdit)->ArgNames({"MB"})->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    // Large blocks are mapped and given back at once, as they are in a fresh process; otherwise
    // the allocator keeps what an earlier iteration freed, and later peaks would seem smaller.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qtApplication(argc, argv);
    qtui::ApplyClassicLook(qtApplication);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
