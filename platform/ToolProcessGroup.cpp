#include "platform/ToolProcessGroup.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

void startInOwnProcessGroup(QProcess &process)
{
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= CREATE_NEW_PROCESS_GROUP; });
#else
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
}
