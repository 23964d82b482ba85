#include "platform/DesktopPrompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace {

UserPrompts *installedPrompts = nullptr;

QString caseInsensitivePattern(const QString &pattern)
{
#ifdef Q_OS_WIN
    return pattern;
#else
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
#endif
}

} // namespace

UserPrompts &UserPrompts::current()
{
    static DesktopPrompts desktopPrompts;
    return installedPrompts ? *installedPrompts : desktopPrompts;
}

void UserPrompts::install(UserPrompts *prompts)
{
    installedPrompts = prompts;
}

QString qtNameFilters(const QString &pairedFilter)
{
    const QStringList parts = pairedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = caseInsensitivePattern(pattern.trimmed());
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

void DesktopPrompts::showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Warning ? QMessageBox::Warning
                                      : icon == Icon::Error ? QMessageBox::Critical
                                                            : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString DesktopPrompts::chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset)
{
    return QFileDialog::getOpenFileName(parent, QString(), preset, qtNameFilters(filter));
}

QString DesktopPrompts::chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset)
{
    return QFileDialog::getSaveFileName(parent, QString(), preset, qtNameFilters(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool DesktopPrompts::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}
