#include "platform/InterruptSignals.h"

#include <QSocketNotifier>
#include <csignal>

#ifdef Q_OS_WIN
#include <QTimer>
#include <atomic>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
// Windows has no pipe a signal handler may write to; the handler leaves the number for a timer.
std::atomic<int> pendingSignal{0};

void onSignal(int signalNumber)
{
    pendingSignal = signalNumber;
}
#else
// The handler may only write to a pipe; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}
#endif

} // namespace

InterruptSignals::InterruptSignals(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_WIN
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &InterruptSignals::deliver);
    poll->start(50);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#else
    if (::pipe(signalPipe) != 0)
        return;
    for (const int end : signalPipe)
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptSignals::deliver);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A reader that goes away (| head) must not kill the run mid-merge; its lines are lost, no more.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

InterruptSignals::~InterruptSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
#ifndef Q_OS_WIN
    for (int &end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
#endif
}

int InterruptSignals::exitStatusFor(int signalNumber)
{
    return 128 + signalNumber;
}

void InterruptSignals::deliver()
{
#ifdef Q_OS_WIN
    const int signalNumber = pendingSignal.exchange(0);
    if (signalNumber != 0)
        emit interrupted(signalNumber);
#else
    unsigned char number = 0;
    if (::read(signalPipe[0], &number, 1) == 1)
        emit interrupted(number);
#endif
}
