#include "program/ExchangeMenuWiring.h"

#include <QAction>
#include <QProgressBar>
#include <functional>

#include "app/EditorSession.h"
#include "app/ExchangeCommands.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "exchange/PatchText.h"
#include "exchange/ui/ExportQueueWindow.h"
#include "exchange/ui/NotesWindow.h"
#include "shell/ui/RedrawThrottle.h"

namespace kelvane {
namespace {

// Exports all records as patch lines with the main window's thin progress bar showing, redrawn
// a few times a second at most.
void PatchExportAllWithBar(MainWindow& window, ExchangeCommands& commands) {
    QProgressBar& bar = window.ExportProgressBar();
    bar.setValue(0);
    bar.show();
    RedrawThrottle throttle;
    struct HideBar {
        QProgressBar& bar;
        ~HideBar() { bar.hide(); }
    } hideBar{bar};
    commands.PatchExportAll([&](int done, int maximum) {
        if (throttle.Due()) {
            bar.setMaximum(maximum);
            bar.setValue(done);
            bar.repaint();
        }
    });
}

}  // namespace

void ConnectExchangeMenus(MainWindow& window, EditorSession& session, ExchangeCommands& commands,
                          ExportQueueWindow& queue, NotesWindow& notes) {
    const MainMenus& menus = window.Menus();
    RecordTable& table = session.Work().Table;

    window.ConnectCommand({menus.ExportEverything}, [&commands] { commands.ExportEverything(); });
    window.ConnectCommand({menus.ExportSelectedLine},
                          [&commands] { commands.ExportSelectedLine(); });
    window.ConnectCommand({menus.PatchExportAll, menus.PopupPatchExportAll},
                          [&window, &commands] { PatchExportAllWithBar(window, commands); });
    window.ConnectCommand({menus.PatchExportRow, menus.PopupPatchExportRow},
                          [&commands] { commands.PatchExportRow(); });
    window.ConnectCommand(
        {menus.PatchExportCell, menus.PopupPatchExportCell},
        [&commands, &session] { commands.PatchExportCell(session.SelectedColumn); });
    window.ConnectCommand({menus.ImportPatch}, [&commands] { commands.ImportPatch(); });
    window.ConnectCommand({menus.ImportCsv}, [&commands] { commands.ImportCsv(); });

    window.ConnectCommand({menus.QueueAddRow, menus.PopupQueueAddRow}, [&table, &queue] {
        table.RequireActive();
        queue.AddLine(PatchRowLine(table, table.CurrentRow()));
    });
    window.ConnectCommand(
        {menus.QueueAddCell, menus.PopupQueueAddCell}, [&table, &queue, &session] {
            table.RequireActive();
            queue.AddLine(PatchCellLine(table, table.CurrentRow(), session.SelectedColumn));
        });
    window.ConnectCommand({menus.QueueShow, menus.PopupQueueShow}, [&queue] { queue.ShowQueue(); });
    window.ConnectCommand({menus.QueueClear, menus.PopupQueueClear}, [&queue] { queue.Clear(); });
    window.ConnectCommand({menus.QueueExport, menus.PopupQueueExport},
                          [&queue] { queue.ExportToFile(); });
    window.ConnectCommand({menus.Notes}, [&notes] { notes.ShowNotes(); });
}

}  // namespace kelvane
