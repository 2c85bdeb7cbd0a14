// What the list and project commands both work with: the window their dialogs and
// messages belong to, the two entry tables with their undo history, and the
// record of what is not saved.
#pragma once

class QMainWindow;

namespace tarvex {

class CellTableModel;
class ChangeTracker;
class Dialogs;
class Messages;
class TableHistory;

struct EntryCommandParts {
    QMainWindow& window;
    Dialogs& dialogs;
    const Messages& messages;
    CellTableModel& sheets;
    CellTableModel& parts;
    TableHistory& history;
    ChangeTracker& changes;
};

}  // namespace tarvex
