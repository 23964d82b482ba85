// UndoCommands: Undo and Redo, and the history of steps they walk.
#pragma once

#include "app/FileRow.h"

#include <QList>
#include <QObject>
#include <QUndoStack>
#include <functional>

class QAction;
class TForm1;
struct TimeEventRow;

// What a click took away, given back: the time events, the clip list and the whole setup change
// in steps that Undo and Redo walk. Typing inside a text field keeps the field's own undo. While a
// batch runs, the steps that change the clip list wait, since the batch works through that list.
// The history lives as long as the window is open and is never saved.
class UndoCommands : public QObject
{
    Q_OBJECT

public:
    explicit UndoCommands(TForm1 &form);
    ~UndoCommands() override;

    void actUndoExecute();
    void actRedoExecute();

    // Makes the change and records it as one step back to the whole setup it replaced: the time
    // events, the click event, the clip information and the output rule. Nothing is recorded when
    // the change left the setup as it was or threw.
    void recordSetupChange(const QString &caption, const std::function<void()> &change);
    // Makes the change and records it as one step back to every listed clip's own values and the
    // values table's own columns; nothing is recorded when they stayed as they were.
    void recordClipValuesChange(const QString &caption, const std::function<void()> &change);
    // The time events as they were before a command changed them.
    void recordTimeEventsChange(const QString &caption, const QList<TimeEventRow> &before);
    // Rows from this one to the end of the list were just added.
    void recordRowsAdded(const QString &caption, int firstRow);
    // Rows just taken out, each with the index it had, in ascending order.
    void recordRowsRemoved(const QString &caption, const QList<int> &rows, const QList<FileRow> &taken);
    // The row as it was before Edit Item changed it.
    void recordRowEdited(const QString &caption, int row, const FileRow &before);
    // Forgets every step.
    void clear();

    const QUndoStack &history() const { return m_history; }
    bool canUndo() const;
    bool canRedo() const;

    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool canTake(const QUndoCommand *step) const;
    void updateActions();

    TForm1 &m_form;
    QUndoStack m_history;
};
