#include "app/ui/ExchangeMenuWiring.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProgressBar>
#include <functional>

#include "app/EditorSession.h"
#include "app/ExchangeCommands.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/TForm1.h"
#include "core/Workspace.h"
#include "exchange/PatchText.h"
#include "exchange/ui/TNotesForm.h"
#include "exchange/ui/TQueueForm.h"

namespace kelvane {
namespace {

constexpr qint64 kProgressRedrawMs = 200;

// Several entries run one command: each is connected to it through the window's error handler.
void OnTriggered(TForm1& window, std::initializer_list<QAction*> actions,
                 const std::function<void()>& command) {
    for (QAction* action : actions) {
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, command] { window.RunCommand(command); });
    }
}

// Exports all records as patch lines with the main window's thin progress bar showing, redrawn
// a few times a second at most.
void PatchExportAllWithBar(TForm1& window, ExchangeCommands& commands) {
    QProgressBar& bar = window.ExportProgressBar();
    bar.setValue(0);
    bar.show();
    QElapsedTimer sinceRedraw;
    sinceRedraw.start();
    struct HideBar {
        QProgressBar& bar;
        ~HideBar() { bar.hide(); }
    } hideBar{bar};
    commands.PatchExportAll([&](int done, int maximum) {
        if (sinceRedraw.elapsed() >= kProgressRedrawMs) {
            bar.setMaximum(maximum);
            bar.setValue(done);
            bar.repaint();
            sinceRedraw.restart();
        }
    });
}

}  // namespace

void ConnectExchangeMenus(TForm1& window, EditorSession& session, ExchangeCommands& commands,
                          TQueueForm& queue, TNotesForm& notes) {
    const MainMenus& menus = window.Menus();
    RecordTable& table = session.Work().Table;

    OnTriggered(window, {menus.ExportEverything}, [&commands] { commands.ExportEverything(); });
    OnTriggered(window, {menus.ExportSelectedLine}, [&commands] { commands.ExportSelectedLine(); });
    OnTriggered(window, {menus.PatchExportAll, menus.PopupPatchExportAll},
                [&window, &commands] { PatchExportAllWithBar(window, commands); });
    OnTriggered(window, {menus.PatchExportRow, menus.PopupPatchExportRow},
                [&commands] { commands.PatchExportRow(); });
    OnTriggered(window, {menus.PatchExportCell, menus.PopupPatchExportCell},
                [&commands, &session] { commands.PatchExportCell(session.SelectedColumn); });
    OnTriggered(window, {menus.ImportPatch}, [&window, &commands] {
        commands.ImportPatch();
        // The last line's record is left in editing, which the table does not announce.
        window.Model().RefreshRowIndicator();
    });

    OnTriggered(window, {menus.QueueAddRow, menus.PopupQueueAddRow}, [&table, &queue] {
        table.RequireActive();
        queue.AddLine(PatchRowLine(table, table.RecNo()));
    });
    OnTriggered(window, {menus.QueueAddCell, menus.PopupQueueAddCell}, [&table, &queue, &session] {
        table.RequireActive();
        queue.AddLine(PatchCellLine(table, table.RecNo(), session.SelectedColumn));
    });
    OnTriggered(window, {menus.QueueShow, menus.PopupQueueShow}, [&queue] { queue.ShowQueue(); });
    OnTriggered(window, {menus.QueueClear, menus.PopupQueueClear}, [&queue] { queue.Clear(); });
    OnTriggered(window, {menus.QueueExport, menus.PopupQueueExport},
                [&queue] { queue.ExportToFile(); });
    OnTriggered(window, {menus.Notes}, [&notes] { notes.ShowNotes(); });
}

}  // namespace kelvane
