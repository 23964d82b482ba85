#include "platform/WindowsFonts.h"

#include <QFont>

void substituteWindowsFonts()
{
#ifndef Q_OS_WIN
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), msSansSerifStandIn);
#endif
}
