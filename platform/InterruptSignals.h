#pragma once

#include <QObject>

class QSocketNotifier;

// Turns Ctrl+C (SIGINT) and SIGTERM into a Qt signal delivered on the event loop, so that a run
// can stop its tools and tidy up instead of dying mid-write. One instance at a time.
class InterruptSignals : public QObject
{
    Q_OBJECT

public:
    explicit InterruptSignals(QObject *parent = nullptr);
    ~InterruptSignals() override;

    // The exit status a shell gives a process ended by this signal: 130 for SIGINT, 143 for SIGTERM.
    static int exitStatusFor(int signalNumber);

signals:
    void interrupted(int signalNumber);

private:
    void deliver();

    QSocketNotifier *m_notifier = nullptr;
};
