// ClipContentsWindow: what a listed clip carries, and its merged copy once there is one.
#pragma once

#include <QDialog>

struct ClipContents;
class QDialogButtonBox;
class QTreeWidget;
class QTreeWidgetItem;

// A read-only tree, shown expanded: a section for the source and one for the output, each with the
// clip's kind, its clip information, its streams, its events and its image maps. The bundled tool
// reads both; a clip it can't read shows the reason in its section.
class ClipContentsWindow : public QDialog
{
    Q_OBJECT

public:
    ClipContentsWindow(const QString &sourcePath, const QString &outputPath, QWidget *parent = nullptr);

    // The sections' headings, as the first column shows them.
    static const QString sourceHeading;
    static const QString outputHeading;

    QTreeWidget *tree = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    QTreeWidgetItem *addSection(const QString &heading, const QString &path);
    void addClip(QTreeWidgetItem *section, const QString &path);
    void addContents(QTreeWidgetItem *section, const ClipContents &contents);
};
