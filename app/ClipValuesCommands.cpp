// ClipValuesCommands: Clip Values..., the import and export of a values table, and the question on quitting.
#include "app/ClipValuesCommands.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/UndoCommands.h"
#include "app/MenuCommand.h"
#include "app/RememberedSettings.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/ClipValuesModel.h"
#include "dialogs/ClipValuesWindow.h"
#include "jobs/ClipPaths.h"
#include "jobs/InputOutputError.h"
#include "jobs/ProductInfo.h"
#include "jobs/ValuesTable.h"
#include "jobs/ValuesTableError.h"
#include "platform/UserPrompts.h"
#include "widgets/ListView.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <optional>

namespace {

const QString tableFilter = QStringLiteral("CSV Table (*.csv)|*.csv|All Files (*.*)|*.*");
// A message lists this many unmatched rows at most, so that it still fits on a screen.
const int listedUnmatchedRows = 20;

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

ClipValuesCommands::ClipValuesCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *editMenu = form.menuOf("EditItem1");
    ClipValues1 = newCommand("ClipValues1", "Clip Values...", editMenu, this, &ClipValuesCommands::actClipValuesExecute);
    editMenu->addAction(ClipValues1);

    m_model = new ClipValuesModel(form.fileList(), [&form] { return form.jobSettings(); }, this);
    m_model->follow(*form.lvFiles->model());
    form.setClipValuesOfRow([this](int row) { return m_model->rowValues(row); });
    connect(form.clickEvents, &ClickEventsPanel::changed, m_model, &ClipValuesModel::batchChanged);
    connect(form.clipInformation, &ClipInformationPanel::changed, m_model, &ClipValuesModel::batchChanged);
    connect(m_model, &ClipValuesModel::valuesEdited, this, [this] { m_changed = true; });
}

ClipValuesWindow *ClipValuesCommands::clipValuesWindow()
{
    if (!m_window) {
        m_window = new ClipValuesWindow(*m_model, &m_form);
        connect(m_window, &ClipValuesWindow::importRequested, this, &ClipValuesCommands::actImportValuesExecute);
        connect(m_window, &ClipValuesWindow::exportRequested, this, &ClipValuesCommands::actExportValuesExecute);
    }
    return m_window;
}

void ClipValuesCommands::actClipValuesExecute()
{
    ClipValuesWindow *window = clipValuesWindow();
    window->show();
    window->raise();
    window->activateWindow();
}

void ClipValuesCommands::actImportValuesExecute()
{
    const QString path = m_form.chooseFileToOpen(tableFilter, RememberedSettings::Folder::ValuesTable);
    if (!path.isEmpty())
        importValues(path);
}

bool ClipValuesCommands::importValues(const QString &path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<ValuesTable> table;
    QString refusal;
    try {
        table = readValuesTableFile(absolutePath);
    } catch (const ValuesTableError &error) {
        refusal = error.message();
    }
    QGuiApplication::restoreOverrideCursor();
    if (!table) {
        m_form.showError(refusal);
        return false;
    }
    FileList &files = m_form.fileList();
    QStringList clipPaths;
    clipPaths.reserve(files.rowCount());
    for (int row = 0; row < files.rowCount(); ++row)
        clipPaths.append(files.sourcePath(row));
    const ValuesMatch match = matchValuesTable(*table, clipPaths);
    m_form.undoCommands().recordClipValuesChange(QStringLiteral("Import Clip Values"), [&] {
        m_model->setOwnColumns(table->columns);
        for (int row = 0; row < files.rowCount(); ++row)
            files.setClipValues(row, match.clips.value(row));
    });
    m_changed = false;
    m_tablePath = absolutePath;
    showImportReport(absolutePath, match.matchedRows, match.unmatchedRows, int(match.clipsWithoutRow.size()),
                     table->readAsWindows1252);
    return true;
}

ClipValuesCommands::ListedValues ClipValuesCommands::listedValues() const
{
    const FileList &files = m_form.fileList();
    ListedValues values{m_model->ownColumns(), {}};
    values.rows.reserve(files.rowCount());
    for (int row = 0; row < files.rowCount(); ++row)
        values.rows.append(files.clipValues(row));
    return values;
}

void ClipValuesCommands::setListedValues(const ListedValues &values)
{
    FileList &files = m_form.fileList();
    m_model->setOwnColumns(values.ownColumns);
    for (int row = 0; row < qMin(files.rowCount(), int(values.rows.size())); ++row)
        files.setClipValues(row, values.rows[row]);
    m_changed = true;
}

void ClipValuesCommands::showImportReport(const QString &path, int matchedRows, const QStringList &unmatchedRows,
                                          int clipsWithoutRow, bool readAsWindows1252)
{
    QStringList parts{QStringLiteral("Clip values imported from \"%1\": %2 matched a listed clip.")
                          .arg(QDir::toNativeSeparators(path), counted(matchedRows, "row", "rows"))};
    if (!unmatchedRows.isEmpty()) {
        QString unmatched = counted(unmatchedRows.size(), "row matched", "rows matched")
                            + QLatin1String(" no listed clip:");
        for (const QString &sourceFile : unmatchedRows.first(qMin(unmatchedRows.size(), listedUnmatchedRows)))
            unmatched += QLatin1String("\n- ") + sourceFile;
        if (unmatchedRows.size() > listedUnmatchedRows)
            unmatched += QStringLiteral("\n- and %1 more").arg(unmatchedRows.size() - listedUnmatchedRows);
        parts.append(unmatched);
    }
    if (clipsWithoutRow > 0)
        parts.append(counted(clipsWithoutRow, "listed clip has no row of its own.",
                             "listed clips have no row of their own."));
    if (readAsWindows1252)
        parts.append(QStringLiteral("The file is not UTF-8; it was read as Windows-1252, as a spreadsheet's plain CSV "
                                    "export writes it."));
    const bool allMatched = unmatchedRows.isEmpty() && clipsWithoutRow == 0;
    UserPrompts::current().showMessage(m_window && m_window->isVisible() ? static_cast<QWidget *>(m_window) : &m_form,
                                       ProductInfo::name, parts.join(QLatin1String("\n\n")),
                                       allMatched ? UserPrompts::Icon::None : UserPrompts::Icon::Warning);
}

void ClipValuesCommands::actExportValuesExecute()
{
    const QString path = chooseExportPath();
    if (!path.isEmpty())
        exportValues(path);
}

QString ClipValuesCommands::chooseExportPath()
{
    RememberedSettings settings;
    const QString preset =
        m_tablePath.isEmpty() ? settings.dialogPreset(RememberedSettings::Folder::ValuesTable) : m_tablePath;
    QString path = UserPrompts::current().chooseFileToSave(&m_form, tableFilter, preset);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".csv");
    settings.setLastFolder(RememberedSettings::Folder::ValuesTable, QFileInfo(path).absolutePath());
    return path;
}

bool ClipValuesCommands::exportValues(const QString &path)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    // A slip in the save dialog must not put a table where a clip is.
    if (isClipPath(absolutePath)) {
        m_form.showError(QStringLiteral("The clip values were not exported: \"%1\" is the name of a clip. Choose a "
                                        "name ending in .csv.")
                             .arg(QDir::toNativeSeparators(absolutePath)));
        return false;
    }
    const FileList &files = m_form.fileList();
    QList<ListedClipValues> clips;
    clips.reserve(files.rowCount());
    for (int row = 0; row < files.rowCount(); ++row)
        clips.append({files.sourcePath(row), files.clipValues(row)});
    try {
        writeValuesTableFile(absolutePath, m_model->ownColumns(), clips);
    } catch (const InputOutputError &error) {
        m_form.showError(error.message());
        return false;
    }
    m_changed = false;
    m_tablePath = absolutePath;
    return true;
}

bool ClipValuesCommands::mayQuit()
{
    if (!m_changed || m_form.fileList().rowCount() == 0)
        return true;
    switch (UserPrompts::current().askYesNoCancel(
        &m_form, ProductInfo::name,
        QStringLiteral("The clip values have changed since they were last imported or exported. Export them "
                       "before quitting?"))) {
    case UserPrompts::Answer::Yes: {
        // A cancelled save dialog or a failed export keeps the window open, and the values with it.
        const QString path = chooseExportPath();
        return !path.isEmpty() && exportValues(path);
    }
    case UserPrompts::Answer::No:
        return true;
    case UserPrompts::Answer::Cancel:
        break;
    }
    return false;
}
