// Opening a big Spell-like table into the main grid, against loading it into the table alone;
// then moving through it in the grid.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/EditorSession.h"
#include "app/ui/DbGrid.h"
#include "app/ui/RecordTableModel.h"
#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "shell/ui/LoadProgressWindow.h"
#include "shell/ui/QtWorkFeedback.h"
#include "tests/support/ScriptedDialogs.h"

namespace kelvane::bench {
namespace {

constexpr int kMainWindowWidth = 763;
constexpr int kMainWindowHeight = 553;

// The part of the main window that shows a table: the session that opens files, with the busy
// cursor and progress window, and the grid over the table, in a shown top-level window.
class TableWindow {
  public:
    TableWindow() {
        feedback_.SetProgressWindow(progress_);
        auto* layout = new QVBoxLayout(&window_);
        layout->setContentsMargins(0, 0, 0, 0);
        grid_ = new DbGrid(model_, dialogs_, &window_);
        layout->addWidget(grid_);
        window_.resize(kMainWindowWidth, kMainWindowHeight);
        window_.show();
        Draw();
    }

    void Open(const std::string& path) {
        session_.OpenTableFile(path);
        if (!dialogs_.Messages.empty()) {
            throw std::runtime_error("opening showed: " + dialogs_.Messages.front());
        }
    }

    // What the user sees next: queued layout and column work done, the window painted.
    void Draw() {
        QApplication::processEvents();
        window_.repaint();
    }

    RecordTable& Table() { return work_->Table; }
    DbGrid& Grid() { return *grid_; }

  private:
    std::unique_ptr<Workspace> work_ = std::make_unique<Workspace>();
    testing::ScriptedDialogs dialogs_;
    LoadProgressWindow progress_;
    QtWorkFeedback feedback_;
    EditorSession session_{*work_, dialogs_, feedback_};
    RecordTableModel model_{work_->Table, dialogs_};
    QWidget window_;
    DbGrid* grid_ = nullptr;
};

// The yardstick: the file loaded into an empty table, nothing shown.
void CoreLoad(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto workspace = std::make_unique<Workspace>();
        workspace->Current = file.Current;
        ::malloc_trim(0);
        state.ResumeTiming();
        LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
        state.PauseTiming();
        benchmark::DoNotOptimize(workspace->Table.RecordCount());
        workspace.reset();
        state.ResumeTiming();
    }
}

// The same file opened from the window's command into an empty grid, until it is painted.
void OpenIntoGrid(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    TableWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Table().Close();
        window.Draw();
        ::malloc_trim(0);
        state.ResumeTiming();
        window.Open(file.Current.FilePath);
        window.Draw();
    }
    state.counters["rows"] = window.Grid().model()->rowCount();
}

void JumpToLastRecord(benchmark::State& state) {
    TableWindow window;
    window.Open(TheSpellLikeFile().Current.FilePath);
    for (auto _ : state) {
        state.PauseTiming();
        window.Table().First();
        window.Draw();
        state.ResumeTiming();
        window.Table().Last();
        window.Draw();
    }
    if (window.Grid().currentIndex().row() != window.Table().RecordCount() - 1) {
        state.SkipWithError("the grid did not follow the table to its last record");
    }
}

// Page by page from the first record to the last, each page painted before the next.
void ScrollWholeTable(benchmark::State& state) {
    TableWindow window;
    window.Open(TheSpellLikeFile().Current.FilePath);
    QScrollBar* bar = window.Grid().verticalScrollBar();
    double pages = 0;
    std::chrono::duration<double, std::milli> drawing{0};
    for (auto _ : state) {
        state.PauseTiming();
        bar->setValue(0);
        window.Draw();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        while (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + bar->pageStep());
            window.Draw();
            ++pages;
        }
        drawing += std::chrono::steady_clock::now() - start;
    }
    state.counters["pages"] = pages / static_cast<double>(state.iterations());
    state.counters["ms_per_page"] = drawing.count() / pages;
}

BENCHMARK(CoreLoad)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OpenIntoGrid)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(JumpToLastRecord)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(ScrollWholeTable)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    // The window is measured without a display unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication application(argc, argv);
    // A page is drawn within one frame of a 60 Hz display.
    kelvane::bench::GoalReporter reporter("CoreLoad", {{"OpenIntoGrid", 1.3}},
                                          {"ScrollWholeTable", "ms_per_page", 16.7});
    return kelvane::bench::RunBenchmarks(reporter);
}
