#pragma once

#include "platform/UserPrompts.h"

#include <QApplication>
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

// Answers what would need a person and records what was asked.
class RecordingPrompts : public UserPrompts
{
public:
    struct Message
    {
        QString title;
        QString text;
        Icon icon;
    };

    RecordingPrompts() { install(this); }
    ~RecordingPrompts() override { install(nullptr); }

    void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    QString chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset) override;
    QString chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset) override;
    QString chooseFolder(QWidget *parent, const QString &title, const QString &startFolder) override;
    bool openUrl(const QString &url) override;

    QList<Message> messages;
    struct FileDialog
    {
        bool saving;
        QString filter;
        QString preset;
    };
    QList<FileDialog> fileDialogs;
    // The start folder of each folder dialog.
    QStringList folderDialogs;
    QStringList openedUrls;
    // The answers the file and folder dialogs give, first one first; empty means cancelled.
    QStringList filesToChoose;
    bool urlsOpen = true;
    // Runs while a message box would be open (a person reading it).
    std::function<void(const Message &)> whileMessageShown;

    QStringList messageTexts() const;
};

// A temporary application folder of a test's own, made the program's folders. A portable copy has
// one folder for both; an installed copy has its program folder apart from the working folder.
class TemporaryAppFolder
{
public:
    enum class Layout { Portable, Installed };

    explicit TemporaryAppFolder(Layout layout = Layout::Portable);
    ~TemporaryAppFolder();

    // The working folder and a file in it.
    QString path() const { return m_folder.path() + QLatin1Char('/'); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString programPath() const { return programFolder().path() + QLatin1Char('/'); }

    // The bundled merge tool, copied into the program folder.
    void installMergeTool() const;
    // The user manual the build made, copied into the program folder.
    void installManual() const;
    // A stand-in for the merge tool in the program folder: a shell script with this body.
    void installToolScript(const QByteArray &body) const;

private:
    const QTemporaryDir &programFolder() const { return m_programFolder ? *m_programFolder : m_folder; }

    QTemporaryDir m_folder;
    std::unique_ptr<QTemporaryDir> m_programFolder;
    QString m_previousProgramFolder;
    QString m_previousWorkingFolder;
};

// Runs the command, which opens a modal window of this class, runs the check on that window while it
// is modal, then closes it if the check left it open. Returns whether such a window was shown.
template <class Dialog> bool whileModal(const std::function<void()> &command, const std::function<void(Dialog &)> &check)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            seen = true;
            check(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    command();
    QApplication::processEvents();
    return seen;
}

// While it lives, no file of this process may grow past the limit: a write past it is cut short,
// as on a full disk, for root as well.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    qint64 m_previous;
    void (*m_previousHandler)(int);
};

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
// A file of this size whose bytes are not all alike.
void writeClip(const QString &path, qint64 size);
// Gives a file this modification time, as a copy or an earlier merge would have left it.
void setModified(const QString &path, const QDateTime &time);
QDateTime modified(const QString &path);
