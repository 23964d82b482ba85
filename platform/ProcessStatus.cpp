#include "platform/ProcessStatus.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <cerrno>
#include <signal.h>
#endif

bool isProcessRunning(qint64 processId)
{
    if (processId <= 0)
        return false;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(processId));
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    if (kill(pid_t(processId), 0) != 0 && errno != EPERM)
        return false;
#ifdef Q_OS_LINUX
    // A detached process that ended stays a zombie where nothing reaps orphans.
    QFile status(QStringLiteral("/proc/%1/stat").arg(processId));
    if (status.open(QIODevice::ReadOnly)) {
        const QByteArray line = status.readLine();
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameEnd >= 0 && line.size() > nameEnd + 2 && line[nameEnd + 2] == 'Z')
            return false;
    }
#endif
    return true;
#endif
}
