#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// The 8-bit code page in which Clipvane's files (scripts, the tool's log, the language file) are
// written and read: the system's ANSI code page on Windows, the locale's character set elsewhere.
class CodePage
{
public:
    // The one place where the system's code page is chosen.
    static CodePage system();
    // A named code page ("GBK", "UTF-8", "windows-1252"); an unknown name falls back to UTF-8.
    static CodePage named(const QByteArray &name);

    QByteArray name() const { return m_name; }
    QByteArray encode(const QString &text) const;
    QString decode(const QByteArray &bytes) const;

private:
    explicit CodePage(const QByteArray &name) : m_name(name) {}
    QByteArray m_name;
};

// The character set named by a POSIX locale such as "zh_CN.GBK" or "de_DE.UTF-8@euro"; UTF-8 for
// "C", "POSIX", an empty locale or one that names no character set.
QByteArray characterSetOfLocale(const QByteArray &locale);
