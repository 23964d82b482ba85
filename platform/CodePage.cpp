#include "platform/CodePage.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QByteArray utf8Name = "UTF-8";

QByteArray systemCodePageName()
{
#ifdef Q_OS_WIN
    return "windows-" + QByteArray::number(uint(GetACP()));
#else
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray locale = qgetenv(variable);
        if (!locale.isEmpty())
            return characterSetOfLocale(locale);
    }
    return utf8Name;
#endif
}

} // namespace

QByteArray characterSetOfLocale(const QByteArray &locale)
{
    const qsizetype dot = locale.indexOf('.');
    if (dot < 0)
        return utf8Name;
    QByteArray charset = locale.mid(dot + 1);
    const qsizetype modifier = charset.indexOf('@');
    if (modifier >= 0)
        charset.truncate(modifier);
    return charset.isEmpty() ? utf8Name : charset;
}

CodePage CodePage::system()
{
    return named(systemCodePageName());
}

CodePage CodePage::named(const QByteArray &name)
{
    if (!QStringEncoder(name.constData()).isValid())
        return CodePage(utf8Name);
    return CodePage(name);
}

QByteArray CodePage::encode(const QString &text) const
{
    QStringEncoder encoder(m_name.constData());
    return encoder.encode(text);
}

QString CodePage::decode(const QByteArray &bytes) const
{
    QStringDecoder decoder(m_name.constData());
    return decoder.decode(bytes);
}
