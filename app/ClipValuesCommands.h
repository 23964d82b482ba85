// ClipValuesCommands: Clip Values..., the import and export of a values table, and the question on quitting.
#pragma once

#include "jobs/ClipValues.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ClipValuesModel;
class ClipValuesWindow;
class QAction;
class TForm1;

// Every listed clip's own values over the batch's: shown and edited in the Clip Values window,
// read from a values table and written to one. The values go with the file list's rows.
class ClipValuesCommands : public QObject
{
    Q_OBJECT

public:
    // What an import replaces: the table's own columns and every listed row's values.
    struct ListedValues
    {
        QStringList ownColumns;
        QList<ClipValues> rows;

        bool operator==(const ListedValues &) const = default;
    };

    explicit ClipValuesCommands(TForm1 &form);

    void actClipValuesExecute();
    void actImportValuesExecute();
    void actExportValuesExecute();

    // Gives every listed clip its values from the table: its own row's over the "*" row's. A
    // table refused changes nothing. Says in one message what matched and what did not.
    bool importValues(const QString &path);
    // Writes every listed clip's own values; false when the file could not be written.
    bool exportValues(const QString &path);
    // With values changed since their last import or export, asks whether to export them first;
    // false when the person stays.
    bool mayQuit();
    bool valuesChanged() const { return m_changed; }
    ListedValues listedValues() const;
    // Puts back values an import replaced: they differ from the table last imported or exported.
    void setListedValues(const ListedValues &values);

    ClipValuesModel &model() { return *m_model; }
    // The window, made when first needed.
    ClipValuesWindow *clipValuesWindow();

    QAction *ClipValues1 = nullptr;

private:
    // The save dialog for an export; empty when cancelled.
    QString chooseExportPath();
    void showImportReport(const QString &path, int matchedRows, const QStringList &unmatchedRows,
                          int clipsWithoutRow, bool readAsWindows1252);

    TForm1 &m_form;
    ClipValuesModel *m_model = nullptr;
    ClipValuesWindow *m_window = nullptr;
    bool m_changed = false;
    // The table last imported or exported: where the next export is offered.
    QString m_tablePath;
};
