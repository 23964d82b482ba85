// BatchLogWindow: what became of every clip merged since Clipvane started.
#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// A window beside the main window, not modal: for each clip of the batches since the start, when
// its job started, how long it took, its status and the tool's log lines. The text can be selected;
// Copy puts all of it on the clipboard, to be sent on.
class BatchLogWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BatchLogWindow(QWidget *parent = nullptr);

    void appendLines(const QStringList &lines);
    QString text() const;
    void copyToClipboard() const;

    QPlainTextEdit *log = nullptr;
    QPushButton *copyButton = nullptr;
    QPushButton *closeButton = nullptr;
};
