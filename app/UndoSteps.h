// UndoSteps: the steps of the undo history, one kind for each kind of change.
#pragma once

#include "app/ClipValuesCommands.h"
#include "app/FileRow.h"
#include "jobs/Profile.h"

#include <QList>
#include <QUndoCommand>

class TForm1;

// A step is recorded after its change was made, so the push that records it changes nothing.
// Undo and redo each put back what the step keeps and keep what they replace: undoing and then
// redoing brings back exactly what was there, even what changed meanwhile without a step.
class UndoStep : public QUndoCommand
{
public:
    UndoStep(TForm1 &form, const QString &caption);

    void undo() override;
    void redo() override;
    // Whether the step adds, removes or edits rows of the clip list, which a batch works through.
    virtual bool changesClipList() const { return false; }

protected:
    virtual void swap() = 0;

    TForm1 &m_form;

private:
    bool m_recorded = false;
};

// The time events, whole: the list is short.
class TimeEventsStep : public UndoStep
{
public:
    TimeEventsStep(TForm1 &form, const QString &caption, const QList<TimeEventRow> &before);

private:
    void swap() override;

    QList<TimeEventRow> m_kept;
};

// The whole setup of the tabs and the output rule.
class SetupStep : public UndoStep
{
public:
    SetupStep(TForm1 &form, const QString &caption, const Profile &before);

private:
    void swap() override;

    Profile m_kept;
};

// Every listed clip's own values and the values table's own columns, as an import replaces them.
class ClipValuesStep : public UndoStep
{
public:
    ClipValuesStep(TForm1 &form, const QString &caption, const ClipValuesCommands::ListedValues &before);

private:
    void swap() override;

    ClipValuesCommands::ListedValues m_kept;
};

// Rows added to or taken from the clip list. Only those rows are kept, and only while they are
// out of the list, since the list may hold thousands.
class FileRowsStep : public UndoStep
{
public:
    // Rows now listed at these indexes, in ascending order.
    static FileRowsStep *added(TForm1 &form, const QString &caption, QList<int> rows);
    // Rows taken out, each with the index it had, in ascending order.
    static FileRowsStep *removed(TForm1 &form, const QString &caption, QList<int> rows, QList<FileRow> taken);

    bool changesClipList() const override { return true; }

private:
    FileRowsStep(TForm1 &form, const QString &caption, QList<int> rows, QList<FileRow> taken);
    void swap() override;

    QList<int> m_rows;
    // Empty while the rows are listed.
    QList<FileRow> m_taken;
};

// A row's source, output and whether the output was set by hand, as Edit Item changes them; its
// status and what it says of its last job stay as the batch left them.
class FileRowEditStep : public UndoStep
{
public:
    FileRowEditStep(TForm1 &form, const QString &caption, int row, const FileRow &before);

    bool changesClipList() const override { return true; }

private:
    void swap() override;

    int m_row;
    FileRow m_kept;
};
