// BatchCommands: Retry Failed, Show Log and the batch log they keep.
#pragma once

#include <QObject>

class BatchLogWindow;
struct JobRecord;
class QAction;
class TForm1;

// What became of the clips: each finished row says why, every job goes to the batch log (its
// window and its file), and the failed rows can be merged again on their own.
class BatchCommands : public QObject
{
    Q_OBJECT

public:
    explicit BatchCommands(TForm1 &form);

    // Rows that succeeded are not merged again.
    void actRetryFailedExecute();
    void actShowLogExecute();
    // The batch log's window, made when first needed.
    BatchLogWindow *batchLogWindow();

    QAction *RetryFailed1 = nullptr;
    QAction *ShowLog1 = nullptr;
    QAction *RetryFailed2 = nullptr;

private:
    void recordJob(int row, const JobRecord &record);

    TForm1 &m_form;
    BatchLogWindow *m_batchLogWindow = nullptr;
    // A batch log that can't be written is said once, not at every clip.
    bool m_batchLogFailureShown = false;
};
