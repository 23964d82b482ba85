// OutputRuleDialog: where the merged clips of the batch go.
#include "dialogs/OutputRuleDialog.h"

#include "platform/UserPrompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

OutputRuleDialog::OutputRuleDialog(const OutputRule &rule, const QString &lastBrowsedFolder, QWidget *parent)
    : QDialog(parent), m_lastBrowsedFolder(lastBrowsedFolder)
{
    setObjectName(QStringLiteral("OutputRuleDialog"));
    setWindowTitle(QStringLiteral("Output Folder"));

    besideSource = new QRadioButton(QStringLiteral("Beside each source clip"), this);
    intoFolder = new QRadioButton(QStringLiteral("Into this folder:"), this);
    folder = new QLineEdit(QDir::toNativeSeparators(rule.folder), this);
    folder->setAccessibleName(QStringLiteral("Output folder"));
    browse = new QPushButton(QStringLiteral("Browse..."), this);
    keepTree = new QCheckBox(QStringLiteral("Keep the sub-folders of added folders"), this);
    auto *prefixLabel = new QLabel(QStringLiteral("File name prefix:"), this);
    prefix = new QLineEdit(rule.prefix, this);
    prefixLabel->setBuddy(prefix);
    skipExisting = new QCheckBox(QStringLiteral("Skip clips whose merged clip is not older than the source"), this);
    keepDate = new QCheckBox(QStringLiteral("Give merged clips their source's date"), this);
    problem = new QLabel(this);
    QPalette red = problem->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    problem->setPalette(red);
    problem->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    (rule.folder.isEmpty() ? besideSource : intoFolder)->setChecked(true);
    keepTree->setChecked(rule.keepTree);
    skipExisting->setChecked(rule.skipExisting);
    keepDate->setChecked(rule.keepDate);

    auto *grid = new QGridLayout;
    grid->addWidget(besideSource, 0, 0, 1, 3);
    grid->addWidget(intoFolder, 1, 0);
    grid->addWidget(folder, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(keepTree, 2, 1, 1, 2);
    grid->addWidget(prefixLabel, 3, 0);
    grid->addWidget(prefix, 3, 1, 1, 2);
    grid->addWidget(skipExisting, 4, 0, 1, 3);
    grid->addWidget(keepDate, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(problem);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());

    connect(besideSource, &QRadioButton::toggled, this, &OutputRuleDialog::updateControls);
    connect(folder, &QLineEdit::textChanged, this, &OutputRuleDialog::updateControls);
    connect(prefix, &QLineEdit::textChanged, this, &OutputRuleDialog::updateControls);
    connect(browse, &QPushButton::clicked, this, &OutputRuleDialog::browseForFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateControls();
}

OutputRule OutputRuleDialog::rule() const
{
    OutputRule rule;
    const QString folderText = folder->text().trimmed();
    // A folder typed without its full path is taken from where Clipvane was started.
    if (intoFolder->isChecked() && !folderText.isEmpty())
        rule.folder = QDir::cleanPath(QDir::current().absoluteFilePath(QDir::fromNativeSeparators(folderText)));
    rule.prefix = prefix->text();
    rule.keepTree = keepTree->isChecked();
    rule.skipExisting = skipExisting->isChecked();
    rule.keepDate = keepDate->isChecked();
    return rule;
}

void OutputRuleDialog::browseForFolder()
{
    const QString start = folder->text().trimmed().isEmpty() ? m_lastBrowsedFolder : folder->text().trimmed();
    const QString chosen = UserPrompts::current().chooseFolder(this, windowTitle(), start);
    if (chosen.isEmpty())
        return;
    m_lastBrowsedFolder = chosen;
    folder->setText(QDir::toNativeSeparators(chosen));
    intoFolder->setChecked(true);
}

void OutputRuleDialog::updateControls()
{
    const bool toFolder = intoFolder->isChecked();
    folder->setEnabled(toFolder);
    keepTree->setEnabled(toFolder);
    QString text;
    if (toFolder && folder->text().trimmed().isEmpty())
        text = QStringLiteral("Choose the folder the merged clips go to.");
    else
        text = outputRuleProblem(rule());
    problem->setText(text);
    problem->setVisible(!text.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(text.isEmpty());
}
