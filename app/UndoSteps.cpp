// UndoSteps: the steps of the undo history, one kind for each kind of change.
#include "app/UndoSteps.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "widgets/ListView.h"

#include <utility>

UndoStep::UndoStep(TForm1 &form, const QString &caption) : QUndoCommand(caption), m_form(form) {}

void UndoStep::undo()
{
    swap();
}

void UndoStep::redo()
{
    if (m_recorded)
        swap();
    m_recorded = true;
}

TimeEventsStep::TimeEventsStep(TForm1 &form, const QString &caption, const QList<TimeEventRow> &before)
    : UndoStep(form, caption), m_kept(before)
{
}

void TimeEventsStep::swap()
{
    QList<TimeEventRow> shown = m_form.timeEventRows();
    m_form.setTimeEventRows(m_kept);
    m_kept = std::move(shown);
}

SetupStep::SetupStep(TForm1 &form, const QString &caption, const Profile &before)
    : UndoStep(form, caption), m_kept(before)
{
}

void SetupStep::swap()
{
    Profile shown = m_form.setup();
    m_form.applySetup(m_kept);
    m_kept = std::move(shown);
}

ClipValuesStep::ClipValuesStep(TForm1 &form, const QString &caption, const ClipValuesCommands::ListedValues &before)
    : UndoStep(form, caption), m_kept(before)
{
}

void ClipValuesStep::swap()
{
    ClipValuesCommands &values = m_form.clipValuesCommands();
    ClipValuesCommands::ListedValues shown = values.listedValues();
    values.setListedValues(m_kept);
    m_kept = std::move(shown);
}

FileRowsStep::FileRowsStep(TForm1 &form, const QString &caption, QList<int> rows, QList<FileRow> taken)
    : UndoStep(form, caption), m_rows(std::move(rows)), m_taken(std::move(taken))
{
}

FileRowsStep *FileRowsStep::added(TForm1 &form, const QString &caption, QList<int> rows)
{
    return new FileRowsStep(form, caption, std::move(rows), {});
}

FileRowsStep *FileRowsStep::removed(TForm1 &form, const QString &caption, QList<int> rows, QList<FileRow> taken)
{
    return new FileRowsStep(form, caption, std::move(rows), std::move(taken));
}

// Taken from the last up, so that each index still names its row; put back from the first on, so
// that each row lands at the index it had.
void FileRowsStep::swap()
{
    m_form.lvFiles->setUpdatesEnabled(false);
    if (m_taken.isEmpty()) {
        m_taken.resize(m_rows.size());
        for (qsizetype i = m_rows.size() - 1; i >= 0; --i)
            m_taken[i] = m_form.takeFileRow(m_rows[i]);
    } else {
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            m_form.fileList().insertRow(m_rows[i], m_taken[i]);
        m_taken.clear();
    }
    m_form.lvFiles->setUpdatesEnabled(true);
}

FileRowEditStep::FileRowEditStep(TForm1 &form, const QString &caption, int row, const FileRow &before)
    : UndoStep(form, caption), m_row(row), m_kept(before)
{
}

void FileRowEditStep::swap()
{
    FileList &files = m_form.fileList();
    const FileRow shown = files.row(m_row);
    FileRow restored = shown;
    restored.sourcePath = m_kept.sourcePath;
    restored.outputPath = m_kept.outputPath;
    restored.outputSetByHand = m_kept.outputSetByHand;
    files.replaceRow(m_row, restored);
    m_kept = shown;
}
