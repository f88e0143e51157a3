// Bulk work in the main window on the big Spell-like table, against the same work through the
// command line's code path: a paste of 10,000 x 5 cells, against a patch setting the same cells
// as `kelvane-cli apply-patch` applies it; and a CSV import changing 50,000 records, against
// `kelvane-cli import-csv`'s import. Both sides time the edit alone, the table loaded before and
// never saved. The window is the whole program on the offscreen platform, its grid shown, so the
// grid's model, the sorted and filtered view, the undo history and the status bar all follow the
// edit as they do for a user; the paste and the import are started from their menu entries.
// Last, without a goal, Ctrl+Z after the import.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "bench/EditLoadedTable.h"
#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "core/files/FileIo.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "exchange/CsvImport.h"
#include "exchange/PatchReader.h"
#include "exchange/TextExport.h"
#include "program/Program.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::bench {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kPastedRecords = 10'000;
constexpr int kPastedColumns = 5;
constexpr int kFirstPastedRecord = 20'000;
constexpr int kFirstPastedColumn = 10;  // integers up to the first float column
constexpr int kChangedColumn = 3;       // an integer column the import changes

// The pasted value of a cell: a number the column takes as typed.
std::string PastedValue(int record, int column) {
    return std::to_string((record * 31 + column) % 9973);
}

// Tab-separated rows, as a spreadsheet puts them on the clipboard.
std::string PastedText() {
    std::string text;
    for (int record = 0; record < kPastedRecords; ++record) {
        for (int column = 0; column < kPastedColumns; ++column) {
            text += (column > 0 ? "\t" : "") + PastedValue(record, column);
        }
        text += "\n";
    }
    return text;
}

// The same cells as patch lines: the key, then the cells counted from the key column.
std::string PatchOfPastedCells(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const RecordTable& table = workspace->Table;
    std::string text;
    for (int record = 0; record < kPastedRecords; ++record) {
        const int row = kFirstPastedRecord + record;
        text += std::to_string(table.IntegerAt(row, kKeyColumn)) + ":";
        for (int column = 0; column < kPastedColumns; ++column) {
            text += (column > 0 ? "," : "") + std::to_string(kFirstPastedColumn + column - 1) +
                    "=" + PastedValue(record, column);
        }
        text += "\r\n";
    }
    return text;
}

// The table as comma-separated text, every other record with a new value in one column.
std::string CsvOfChangedRecords(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    RecordTable& table = workspace->Table;
    for (int row = 0; row < table.RecordCount(); row += 2) {
        table.MoveTo(row);
        table.Edit();
        table.Fields(kChangedColumn).SetAsInteger(table.IntegerAt(row, kChangedColumn) + 1);
        table.Post();
    }
    std::string text;
    for (const std::string& line : ExportAllLines(table)) {
        text += line + "\r\n";
    }
    return text;
}

const std::string& ThePatchFile() {
    static const std::string path = [] {
        const std::string written = FileBeside(TheSpellLikeFile(), "pasted-cells.txt");
        WriteFileAtomically(written, PatchOfPastedCells(TheSpellLikeFile()));
        return written;
    }();
    return path;
}

const std::string& TheCsvFile() {
    static const std::string path = [] {
        const std::string written = FileBeside(TheSpellLikeFile(), "changed.csv");
        WriteFileAtomically(written, CsvOfChangedRecords(TheSpellLikeFile()));
        return written;
    }();
    return path;
}

// The whole program with its main window shown, its questions answered from scripts.
class ProgramWindow {
  public:
    ProgramWindow() : program_(dialogs_, modals_, {}) {
        program_.MainWindow().resize(1366, 768);
        program_.MainWindow().show();
        Draw();
    }

    void Open(const std::string& path) {
        program_.MainWindow().OpenTableFile(path);
        RequireNoMessage("opening");
        Draw();
    }

    // What the user sees next: queued work done, the window painted.
    void Draw() {
        QApplication::processEvents();
        program_.MainWindow().repaint();
    }

    void Trigger(const char* action) {
        auto* entry = program_.MainWindow().findChild<QAction*>(action);
        if (entry == nullptr) {
            throw std::runtime_error(std::string("no menu entry ") + action);
        }
        entry->trigger();
        RequireNoMessage(action);
    }

    void ClickCell(int row, int column) {
        DbGrid& grid = program_.MainWindow().Grid();
        grid.setCurrentIndex(grid.model()->index(row, column));
    }

    void ChooseFile(const std::string& path) { dialogs_.FileAnswers.push_back(path); }
    RecordTable& Table() { return program_.Work().Table; }

  private:
    void RequireNoMessage(const std::string& what) {
        if (!dialogs_.Messages.empty()) {
            throw std::runtime_error(what + " showed: " + dialogs_.Messages.front());
        }
    }

    testing::ScriptedDialogs dialogs_;
    testing::ScriptedModals modals_;
    Program program_;
};

// Made on first use and ended before the application object, which it needs.
std::unique_ptr<ProgramWindow>& WindowHolder() {
    static std::unique_ptr<ProgramWindow> window;
    return window;
}

ProgramWindow& TheWindow() {
    if (!WindowHolder()) {
        WindowHolder() = std::make_unique<ProgramWindow>();
    }
    return *WindowHolder();
}

// Runs work in the window on the table opened afresh for every iteration, timing the work
// until the window is painted again.
template <typename Work>
void InWindow(benchmark::State& state, const Work& work) {
    ProgramWindow& window = TheWindow();
    for (auto _ : state) {
        state.PauseTiming();
        window.Open(TheSpellLikeFile().Current.FilePath);
        ::malloc_trim(0);
        state.ResumeTiming();
        work(window);
        window.Draw();
    }
    state.counters["records"] = window.Table().RecordCount();
}

void PasteThroughCommandLine(benchmark::State& state) {
    const std::string& patch = ThePatchFile();
    EditLoadedTable(state, [&](RecordTable& table) { ApplyPatchFile(table, patch); });
}

void PasteInWindow(benchmark::State& state) {
    const QString text = QString::fromStdString(PastedText());
    InWindow(state, [&](ProgramWindow& window) {
        QGuiApplication::clipboard()->setText(text);
        window.ClickCell(kFirstPastedRecord, kFirstPastedColumn);
        window.Trigger("MenuItemPaste");
    });
}

void ImportCsvThroughCommandLine(benchmark::State& state) {
    const std::string& csv = TheCsvFile();
    EditLoadedTable(
        state, [&](RecordTable& table) { ImportCsvFile(table, csv, false, ImportMatch::ByKey); });
}

void ImportCsvInWindow(benchmark::State& state) {
    const std::string& csv = TheCsvFile();
    InWindow(state, [&](ProgramWindow& window) {
        window.ChooseFile(csv);
        window.Trigger("MenuItemImportCsv");
    });
}

// Ctrl+Z after the import, from its menu entry: no command-line counterpart, so no goal here.
void UndoImportCsvInWindow(benchmark::State& state) {
    const std::string& csv = TheCsvFile();
    ProgramWindow& window = TheWindow();
    for (auto _ : state) {
        state.PauseTiming();
        window.Open(TheSpellLikeFile().Current.FilePath);
        window.ChooseFile(csv);
        window.Trigger("MenuItemImportCsv");
        window.Draw();
        ::malloc_trim(0);
        state.ResumeTiming();
        window.Trigger("MenuItemUndo");
        window.Draw();
    }
}

BENCHMARK(PasteThroughCommandLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PasteInWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportCsvThroughCommandLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportCsvInWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(UndoImportCsvInWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    // The program keeps its settings in a folder of the run's own, not the user's.
    const kelvane::testing::TempDir settings;
    setenv("XDG_CONFIG_HOME", settings.Path().c_str(), 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication application(argc, argv);
    kelvane::bench::GoalReporter reporter(
        "PasteThroughCommandLine",
        {{"PasteInWindow", 1.5}, {"ImportCsvInWindow", 1.5, "ImportCsvThroughCommandLine"}}, {});
    const int status = kelvane::bench::RunBenchmarks(reporter);
    kelvane::bench::WindowHolder().reset();
    return status;
}
