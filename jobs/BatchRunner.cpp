#include "app/Unit1.h"

#include "jobs/AppFolder.h"
#include "jobs/ClipPaths.h"
#include "jobs/InputOutputError.h"
#include "jobs/JobFiles.h"
#include "jobs/ToolLog.h"
#include "platform/ProcessStatus.h"
#include "platform/UserPrompts.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/Gauge.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMimeData>
#include <QTimer>

const QString TForm1::StatusToBeProcessed = QStringLiteral("To be processed");
const QString TForm1::StatusProcessing = QStringLiteral("Processing...");
const QString TForm1::StatusSuccess = QStringLiteral("Success");
const QString TForm1::StatusFailure = QStringLiteral("Failure");

namespace {

const QString openDialogFilter = QStringLiteral("All Files (*.*)|*.*|RM(*.rm)|*.RM|RMVB(*.rmvb)|*.RMVB|RA(*.ra)|*.RA");

} // namespace

bool TForm1::AddClip(const QString &path)
{
    if (!isClipPath(path))
        return false;
    lvFiles->addRow(path, {defaultOutputPath(path), StatusToBeProcessed});
    return true;
}

void TForm1::actAddFilesExecute()
{
    const QString path = UserPrompts::current().chooseFileToOpen(this, openDialogFilter);
    if (!path.isEmpty())
        AddClip(path);
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    WMDropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void TForm1::WMDropFiles(const QList<QUrl> &urls)
{
    lvFiles->setUpdatesEnabled(false);
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            AddClip(url.toLocalFile());
    }
    lvFiles->setUpdatesEnabled(true);
}

void TForm1::actRemoveItemExecute()
{
    const int row = lvFiles->selectedRow();
    if (row >= 0)
        removeFileRow(row);
}

void TForm1::actClearItemsExecute()
{
    while (lvFiles->rowCount() > 0)
        removeFileRow(lvFiles->rowCount() - 1);
}

// The runner follows its row: rows removed before it shift its index, and a removed row in
// progress finishes its job unlisted, after which the batch goes on with the row that followed it.
void TForm1::removeFileRow(int row)
{
    if (m_batchRunning && row <= CurrentItem) {
        if (row == CurrentItem)
            m_jobRowListed = false;
        --CurrentItem;
    }
    lvFiles->removeRow(row);
}

void TForm1::setStartEnabled(bool enabled)
{
    btnStart->setEnabled(enabled);
    StartMerging1->setEnabled(enabled);
    actStart->setEnabled(enabled);
}

void TForm1::showWarning(const QString &text)
{
    UserPrompts::current().showMessage(this, QStringLiteral("Warning"), text, UserPrompts::Icon::Warning);
}

void TForm1::actStartExecute()
{
    if (m_batchRunning)
        return;
    if (lvFiles->rowCount() == 0) {
        UserPrompts::current().showMessage(this, QApplication::applicationDisplayName(),
                                           QStringLiteral(" Not file to be processed "), UserPrompts::Icon::None);
        return;
    }
    auto lock = std::make_unique<QLockFile>(AppFolder() + JobFiles::folderLock);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        showWarning(QStringLiteral("Another Clipvane is merging clips in this application folder. "
                                   "Please wait until its batch has finished."));
        return;
    }
    m_folderLock = std::move(lock);
    m_batchRunning = true;
    setStartEnabled(false);
    StopRequested = false;
    CurrentItem = -1;
    ProcessNextItem();
}

void TForm1::actStopExecute()
{
    StopRequested = true;
}

void TForm1::ProcessNextItem()
{
    for (;;) {
        ++CurrentItem;
        if (CurrentItem > lvFiles->rowCount() - 1 || StopRequested) {
            endBatch(true);
            return;
        }
        switch (startJob(CurrentItem)) {
        case JobStart::Started:
            return;
        case JobStart::RowFailed:
            lvFiles->setSubItem(CurrentItem, 1, StatusFailure);
            continue;
        case JobStart::BatchFailed:
            lvFiles->setSubItem(CurrentItem, 1, StatusFailure);
            endBatch(false);
            return;
        }
    }
}

// Every refusal has shown its message already; a missing tool or an unwritable script would fail
// every further row too, so they end the batch.
TForm1::JobStart TForm1::startJob(int row)
{
    LastSize = -1;
    m_jobRowListed = true;
    const QString source = lvFiles->caption(row);
    const QString output = lvFiles->subItem(row, 0);
    const bool withMap = CheckBox4->isChecked();
    ggProgress->setMaxValue(MeasureFile(source));
    try {
        WriteEvents();
        if (withMap)
            WriteMap();
    } catch (const InputOutputError &error) {
        UserPrompts::current().showMessage(this, QStringLiteral("Error"), error.message(), UserPrompts::Icon::Error);
        return JobStart::BatchFailed;
    }
    switch (RunMergeTool(source, output, withMap)) {
    case Launch::Started:
        m_jobOutputPath = output;
        Timer1->start();
        return JobStart::Started;
    case Launch::SourceMissing:
    case Launch::OutputIsSource:
        return JobStart::RowFailed;
    case Launch::ToolMissing:
        break;
    }
    return JobStart::BatchFailed;
}

void TForm1::endBatch(bool announce)
{
    if (announce)
        UserPrompts::current().showMessage(this, QStringLiteral("Notice"), QStringLiteral("Processing finish!"),
                                           UserPrompts::Icon::Warning);
    Timer1->stop();
    ggProgress->setMaxValue(0);
    m_batchRunning = false;
    m_folderLock.reset();
    setStartEnabled(true);
}

void TForm1::setRowStatus(const QString &status)
{
    if (m_jobRowListed)
        lvFiles->setSubItem(CurrentItem, 1, status);
}

void TForm1::Timer1Timer()
{
    // A tick queued before the batch ended has no job to look at.
    if (!m_batchRunning)
        return;
    // No tick may start while this one runs, even while a message box opened in it waits.
    disconnect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    const qint64 size = MeasureFile(m_jobOutputPath);
    if (size == LastSize) {
        // Asked before the log is read: a tool that wrote its end mark and then ended is not
        // mistaken for one that ended without it.
        const bool toolEnded = !isProcessRunning(m_toolProcessId);
        const QString logPath = AppFolder() + JobFiles::log;
        ResultLines = QFileInfo::exists(logPath) ? toolLogLines(ReadTextFile(logPath)) : QStringList();
        if (hasEndMark(ResultLines))
            finishJob(QFileInfo::exists(m_jobOutputPath) ? StatusSuccess : StatusFailure);
        else if (toolEnded)
            finishJob(StatusFailure);
    } else {
        setRowStatus(StatusProcessing);
    }
    LastSize = size;
    if (size <= ggProgress->maxValue())
        ggProgress->setProgress(size);

    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    if (Timer1->isActive())
        Timer1->start();
}

void TForm1::finishJob(const QString &status)
{
    ggProgress->setProgress(ggProgress->maxValue());
    setRowStatus(status);
    QFile::remove(AppFolder() + JobFiles::log);
    Timer1->stop();
    ProcessNextItem();
}

qint64 TForm1::MeasureFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}

QByteArray TForm1::ReadTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString TForm1::AppFolder()
{
    return workingFolder();
}
