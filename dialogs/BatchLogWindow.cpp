// BatchLogWindow: what became of every clip merged since Clipvane started.
#include "dialogs/BatchLogWindow.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

BatchLogWindow::BatchLogWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("BatchLogWindow"));
    setWindowTitle(QStringLiteral("Batch Log"));

    log = new QPlainTextEdit(this);
    log->setReadOnly(true);
    log->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    log->setAccessibleName(QStringLiteral("Batch log"));
    log->setPlaceholderText(QStringLiteral("No clip has been merged since Clipvane started."));
    auto *buttons = new QDialogButtonBox(this);
    copyButton = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
    closeButton = buttons->addButton(QDialogButtonBox::Close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(log);
    layout->addWidget(buttons);
    resize(640, 400);

    connect(copyButton, &QPushButton::clicked, this, &BatchLogWindow::copyToClipboard);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void BatchLogWindow::appendLines(const QStringList &lines)
{
    for (const QString &line : lines)
        log->appendPlainText(line);
}

QString BatchLogWindow::text() const
{
    return log->toPlainText();
}

void BatchLogWindow::copyToClipboard() const
{
    QGuiApplication::clipboard()->setText(text());
}
