// UndoCommands: Undo and Redo, and the history of steps they walk.
#include "app/UndoCommands.h"

#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/MenuCommand.h"
#include "app/UndoSteps.h"
#include "jobs/BatchRunner.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// A field the person types into, with an undo of its own.
bool isTypingField(const QWidget *widget)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(widget))
        return !line->isReadOnly();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return !spin->isReadOnly();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(widget))
        return !plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(widget))
        return !rich->isReadOnly();
    return false;
}

} // namespace

UndoCommands::UndoCommands(TForm1 &form) : QObject(&form), m_form(form)
{
    QMenu *editMenu = form.menuOf("EditItem1");
    Undo1 = newCommand("Undo1", "Undo", editMenu, this, &UndoCommands::actUndoExecute);
    Undo1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    Redo1 = newCommand("Redo1", "Redo", editMenu, this, &UndoCommands::actRedoExecute);
    Redo1->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    editMenu->insertActions(editMenu->actions().value(0), {Undo1, Redo1, newSeparator(editMenu)});

    connect(&m_history, &QUndoStack::indexChanged, this, &UndoCommands::updateActions);
    connect(&form.runner(), &BatchRunner::runningChanged, this, &UndoCommands::updateActions);
    // The window's keys reach the text fields first; the event arrives here only when the field
    // has no use for it.
    form.installEventFilter(this);
    updateActions();
}

// Clearing the history on its way out would update menu items that may be gone already.
UndoCommands::~UndoCommands()
{
    m_history.disconnect(this);
}

void UndoCommands::actUndoExecute()
{
    if (canUndo())
        m_history.undo();
}

void UndoCommands::actRedoExecute()
{
    if (canRedo())
        m_history.redo();
}

bool UndoCommands::canUndo() const
{
    return m_history.canUndo() && canTake(m_history.command(m_history.index() - 1));
}

bool UndoCommands::canRedo() const
{
    return m_history.canRedo() && canTake(m_history.command(m_history.index()));
}

bool UndoCommands::canTake(const QUndoCommand *step) const
{
    return !static_cast<const UndoStep *>(step)->changesClipList() || !m_form.runner().isRunning();
}

void UndoCommands::updateActions()
{
    const bool undo = canUndo();
    Undo1->setEnabled(undo);
    Undo1->setText(m_history.canUndo() ? QStringLiteral("Undo ") + m_history.undoText() : QStringLiteral("Undo"));
    Redo1->setEnabled(canRedo());
    Redo1->setText(m_history.canRedo() ? QStringLiteral("Redo ") + m_history.redoText() : QStringLiteral("Redo"));
}

void UndoCommands::recordSetupChange(const QString &caption, const std::function<void()> &change)
{
    const Profile before = m_form.setup();
    change();
    if (m_form.setup() != before)
        m_history.push(new SetupStep(m_form, caption, before));
}

void UndoCommands::recordClipValuesChange(const QString &caption, const std::function<void()> &change)
{
    const ClipValuesCommands::ListedValues before = m_form.clipValuesCommands().listedValues();
    change();
    if (m_form.clipValuesCommands().listedValues() != before)
        m_history.push(new ClipValuesStep(m_form, caption, before));
}

void UndoCommands::recordTimeEventsChange(const QString &caption, const QList<TimeEventRow> &before)
{
    if (m_form.timeEventRows() != before)
        m_history.push(new TimeEventsStep(m_form, caption, before));
}

void UndoCommands::recordRowsAdded(const QString &caption, int firstRow)
{
    QList<int> rows;
    for (int row = firstRow; row < m_form.fileList().rowCount(); ++row)
        rows.append(row);
    if (!rows.isEmpty())
        m_history.push(FileRowsStep::added(m_form, caption, std::move(rows)));
}

void UndoCommands::recordRowsRemoved(const QString &caption, const QList<int> &rows, const QList<FileRow> &taken)
{
    if (!rows.isEmpty())
        m_history.push(FileRowsStep::removed(m_form, caption, rows, taken));
}

void UndoCommands::recordRowEdited(const QString &caption, int row, const FileRow &before)
{
    const FileRow after = m_form.fileList().row(row);
    if (after.sourcePath != before.sourcePath || after.outputPath != before.outputPath
        || after.outputSetByHand != before.outputSetByHand)
        m_history.push(new FileRowEditStep(m_form, caption, row, before));
}

void UndoCommands::clear()
{
    m_history.clear();
    updateActions();
}

// Ctrl+Z and the redo keys typed in a text field are the field's, whether or not it has a use for
// them: the window's history must not change under a person who is typing.
bool UndoCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isTypingField(QApplication::focusWidget())) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        const QList<QKeySequence> keys = Undo1->shortcuts() + Redo1->shortcuts();
        if (keys.contains(pressed)) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
