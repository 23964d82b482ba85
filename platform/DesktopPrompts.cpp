#include "platform/DesktopPrompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace {

UserPrompts *installedPrompts = nullptr;

// "*.*" matches every file name on Windows, also one without a dot; Qt's wildcard needs the dot.
QString qtPattern(const QString &pattern)
{
    return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

QString chosenFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
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
            pattern = qtPattern(pattern.trimmed());
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

std::unique_ptr<QFileDialog> createFileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                              const QString &pairedFilter, const QString &preset)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog: it shows the descriptions alone, where the desktop's dialogs show them with
    // the patterns again or cut them at the first parenthesis.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Without a case-sensitive filter Qt's dialog matches letters of either case, as Windows does.
    dialog->setNameFilter(qtNameFilters(pairedFilter));
    if (!preset.isEmpty())
        dialog->selectFile(preset);
    return dialog;
}

void DesktopPrompts::showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Warning ? QMessageBox::Warning
                                      : icon == Icon::Error ? QMessageBox::Critical
                                                            : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

UserPrompts::Answer DesktopPrompts::askYesNoCancel(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString DesktopPrompts::chooseFileToOpen(QWidget *parent, const QString &filter, const QString &preset)
{
    return chosenFile(*createFileDialog(parent, QFileDialog::AcceptOpen, filter, preset));
}

QString DesktopPrompts::chooseFileToSave(QWidget *parent, const QString &filter, const QString &preset)
{
    return chosenFile(*createFileDialog(parent, QFileDialog::AcceptSave, filter, preset));
}

QString DesktopPrompts::chooseFolder(QWidget *parent, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

bool DesktopPrompts::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}
