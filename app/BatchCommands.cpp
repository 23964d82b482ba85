// BatchCommands: Retry Failed, Show Log and the batch log they keep.
#include "app/BatchCommands.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/MenuCommand.h"
#include "dialogs/BatchLogWindow.h"
#include "jobs/AppFolder.h"
#include "jobs/BatchLogFile.h"
#include "jobs/BatchRunner.h"
#include "jobs/InputOutputError.h"
#include "jobs/JobFiles.h"
#include "jobs/JobRecord.h"
#include "jobs/RowStatus.h"
#include "platform/UserPrompts.h"

#include <QMenu>

BatchCommands::BatchCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *jobsMenu = form.menuOf("StartMerging1");
    RetryFailed1 = newCommand("RetryFailed1", "Retry Failed", jobsMenu, this, &BatchCommands::actRetryFailedExecute);
    ShowLog1 = newCommand("ShowLog1", "Show Log", jobsMenu, this, &BatchCommands::actShowLogExecute);
    jobsMenu->addActions({RetryFailed1, newSeparator(jobsMenu), ShowLog1});

    RetryFailed2 =
        newCommand("RetryFailed2", "Retry Failed", form.pmFiles, this, &BatchCommands::actRetryFailedExecute);
    form.pmFiles->addActions({newSeparator(form.pmFiles), RetryFailed2});

    connect(&form.runner(), &BatchRunner::runningChanged, this, [this](bool running) {
        RetryFailed1->setEnabled(!running);
        RetryFailed2->setEnabled(!running);
    });
    connect(&form.runner(), &BatchRunner::jobFinished, this, &BatchCommands::recordJob);
}

void BatchCommands::actRetryFailedExecute()
{
    const FileList &files = m_form.fileList();
    QList<int> failed;
    for (int row = 0; row < files.rowCount(); ++row) {
        if (files.status(row) == RowStatus::failure)
            failed.append(row);
    }
    m_form.runner().start(failed);
}

void BatchCommands::actShowLogExecute()
{
    BatchLogWindow *window = batchLogWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

BatchLogWindow *BatchCommands::batchLogWindow()
{
    if (!m_batchLogWindow)
        m_batchLogWindow = new BatchLogWindow(&m_form);
    return m_batchLogWindow;
}

// Each clip's entry goes to the log file as its job ends, so that a batch cut off midway keeps
// what it did.
void BatchCommands::recordJob(int row, const JobRecord &record)
{
    if (row >= 0)
        m_form.fileList().setDetails(row, jobDetails(record));
    const QStringList entry = batchLogEntry(record);
    batchLogWindow()->appendLines(entry);
    try {
        BatchLogFile::append(workingFolder() + JobFiles::batchLog, entry);
    } catch (const InputOutputError &error) {
        if (m_batchLogFailureShown)
            return;
        m_batchLogFailureShown = true;
        UserPrompts::current().showMessage(
            &m_form, QStringLiteral("Warning"),
            error.message()
                + QStringLiteral("\nThe batch log is not kept in a file; \"Show Log\" still lists the clips."),
            UserPrompts::Icon::Warning);
    }
}
