#include "TestSupport.h"

#include "jobs/AppFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

void RecordingPrompts::showMessage(QWidget *, const QString &title, const QString &text, Icon icon)
{
    messages.append({title, text, icon});
    if (whileMessageShown)
        whileMessageShown(messages.last());
}

QString RecordingPrompts::chooseFileToOpen(QWidget *, const QString &filter, const QString &preset)
{
    fileDialogs.append({false, filter, preset});
    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
}

QString RecordingPrompts::chooseFileToSave(QWidget *, const QString &filter, const QString &preset)
{
    fileDialogs.append({true, filter, preset});
    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
}

QString RecordingPrompts::chooseFolder(QWidget *, const QString &, const QString &startFolder)
{
    folderDialogs.append(startFolder);
    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
}

bool RecordingPrompts::openUrl(const QString &url)
{
    openedUrls.append(url);
    return urlsOpen;
}

QStringList RecordingPrompts::messageTexts() const
{
    QStringList texts;
    for (const Message &message : messages)
        texts.append(message.text);
    return texts;
}

TemporaryAppFolder::TemporaryAppFolder(Layout layout)
    : m_programFolder(layout == Layout::Installed ? std::make_unique<QTemporaryDir>() : nullptr),
      m_previousProgramFolder(::programFolder()), m_previousWorkingFolder(workingFolder())
{
    redirectAppFolders(programPath(), path());
}

TemporaryAppFolder::~TemporaryAppFolder()
{
    redirectAppFolders(m_previousProgramFolder, m_previousWorkingFolder);
}

void TemporaryAppFolder::installMergeTool() const
{
    QVERIFY(QFile::copy(QStringLiteral(RMEVENTS_PATH), programFolder().filePath(QStringLiteral("rmevents"))));
}

void TemporaryAppFolder::installManual() const
{
    QVERIFY(QFile::copy(QStringLiteral(MANUAL_HTML_PATH), programFolder().filePath(QStringLiteral("manual.html"))));
}

void TemporaryAppFolder::installToolScript(const QByteArray &body) const
{
    const QString tool = programFolder().filePath(QStringLiteral("rmevents"));
    writeFile(tool, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

FileSizeLimit::FileSizeLimit(qint64 bytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN))
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QVERIFY2(file.setFileTime(time, QFileDevice::FileModificationTime), qPrintable(file.errorString()));
}

QDateTime modified(const QString &path)
{
    return QFileInfo(path).lastModified();
}

void writeClip(const QString &path, qint64 size)
{
    QByteArray pattern(4096, Qt::Uninitialized);
    for (int i = 0; i < pattern.size(); ++i)
        pattern[i] = char((i * 7 + i / 13) & 0xff);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (qint64 written = 0; written < size; written += pattern.size())
        QVERIFY(file.write(pattern.constData(), std::min<qint64>(pattern.size(), size - written)) >= 0);
}
