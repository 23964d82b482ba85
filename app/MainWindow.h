// TForm1: the main window, with its controls, menus and commands.
#pragma once

#include "app/FileRow.h"
#include "app/RememberedSettings.h"
#include "jobs/ClipValues.h"
#include "jobs/JobSettings.h"
#include "jobs/OutputRule.h"
#include "jobs/Profile.h"
#include "lang/ComponentList.h"
#include "lang/ComponentOwner.h"

#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>

class BatchCommands;
class BatchRunner;
class BitBtn;
class ClickEventsPanel;
class ClipCommands;
class ClipValuesCommands;
class ClipInformationPanel;
class FileList;
class FolderCommands;
class Gauge;
class ListView;
class MenuItem;
class PageControl;
class Panel;
class ProfileCommands;
class QAction;
class QMenu;
class QMenuBar;
class QTimer;
class QUrl;
class TabSheet;
class UndoCommands;
class ToolBar;
class ToolButton;

// The main window: the file list of clips, the tabs with the time events, the click event and the
// clip information, the progress gauge, the tool bar and the menus. Its commands hand the batch
// to the runner, which reads the job's settings from these controls as each clip's job starts.
class TForm1 : public QMainWindow, public ComponentOwner
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // Throws IniFileWriteError when the language file can't be written.
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The named components in creation order, at every depth.
    const QList<QObject *> &Components() const override { return m_components.all(); }
    Kind OwnerKind() const override { return Kind::Form; }

    // Commands.
    void actAddFilesExecute();
    void actEditItemExecute();
    void actRemoveItemExecute();
    void actClearItemsExecute();
    void actStartExecute();
    void actStopExecute();
    void actHelpExecute();
    void actAddEventExecute();
    void actEditEventExecute();
    void actDeleteEventExecute();
    void actClearEventsExecute();
    void ShowFrmEvent();
    void Exit1Click();
    void HomePage1Click();
    void Comments1Click();
    void About1Click();
    void UpdateCaption();

    // What the commands beside the window's own build on. The whole setup, as a profile keeps
    // it, and the same put back into the controls.
    Profile setup() const;
    void applySetup(const Profile &setup);
    // The time events, the click event and the clip information, put back into the controls.
    void applySettings(const JobSettings &settings);
    QList<TimeEventRow> timeEventRows() const;
    void setTimeEventRows(const QList<TimeEventRow> &rows);
    const OutputRule &outputRule() const { return m_outputRule; }
    // Gives every row not set by hand with Edit Item its output by the rule.
    void setOutputRule(const OutputRule &rule);
    FileList &fileList() { return *m_fileList; }
    // The menu that holds the named item.
    QMenu *menuOf(const char *itemName) const;
    // The open dialog, starting in the folder it showed last time and remembering the one chosen.
    QString chooseFileToOpen(const QString &filter, RememberedSettings::Folder remembered);
    void showError(const QString &text);

    // The commands beside the window's own, each in a room of its own.
    FolderCommands &folderCommands() { return *m_folderCommands; }
    ProfileCommands &profileCommands() { return *m_profileCommands; }
    ClipCommands &clipCommands() { return *m_clipCommands; }
    BatchCommands &batchCommands() { return *m_batchCommands; }
    UndoCommands &undoCommands() { return *m_undoCommands; }
    ClipValuesCommands &clipValuesCommands() { return *m_clipValuesCommands; }

    // The file list.
    bool AddClip(const QString &path);
    // Lists every clip below the folder; returns how many.
    int AddFolder(const QString &folder);
    void WMDropFiles(const QList<QUrl> &urls);
    // Takes the row out of the list, whole; a batch that runs follows its own row.
    FileRow takeFileRow(int row);

    // The settings of a clip's job, read from the controls as they stand.
    JobSettings jobSettings() const;
    // A listed row's job settings: the controls' settings with the row's own values over them,
    // filled for the row's place in the batch. What the runner reads as each job starts.
    JobSettings rowJobSettings(int row, const ClipPlace &place) const;
    // Where a listed row's own values come from; unset, every row takes the controls' texts.
    void setClipValuesOfRow(std::function<ClipValues(int row)> valuesOfRow) { m_clipValuesOfRow = std::move(valuesOfRow); }

    BatchRunner &runner() { return *m_runner; }

    // Controls, by the names the language file knows them by.
    Panel *Panel1 = nullptr;
    Panel *Panel3 = nullptr;
    Panel *Panel4 = nullptr;
    ListView *lvFiles = nullptr;
    PageControl *RzPageControl1 = nullptr;
    TabSheet *TabSheet5 = nullptr;
    ToolBar *ToolBar2 = nullptr;
    BitBtn *BitBtn5 = nullptr;
    BitBtn *BitBtn6 = nullptr;
    BitBtn *BitBtn7 = nullptr;
    BitBtn *BitBtn8 = nullptr;
    ListView *lvEvents = nullptr;
    ClickEventsPanel *clickEvents = nullptr;
    ClipInformationPanel *clipInformation = nullptr;
    Gauge *ggProgress = nullptr;
    QWidget *clbr1 = nullptr;
    ToolBar *tlb1 = nullptr;
    ToolButton *btnAdd = nullptr;
    ToolButton *btnEdit = nullptr;
    ToolButton *btnRemove = nullptr;
    ToolButton *btnClear = nullptr;
    ToolButton *btnStart = nullptr;
    ToolButton *btnStop = nullptr;
    ToolButton *btnHelp = nullptr;
    QTimer *Timer1 = nullptr;
    QMenu *pmFiles = nullptr;
    QMenuBar *mm1 = nullptr;
    MenuItem *StartMerging1 = nullptr;
    QObject *actlst1 = nullptr;
    QAction *actStart = nullptr;

    // Whether the event dialog adds (1) or edits the selected row (2).
    int EventDialogMode = 1;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    template <class T, class... Args> T *create(const QString &name, Args &&...args)
    {
        return m_components.create<T>(name, std::forward<Args>(args)...);
    }

    void createPanels();
    void createFileList();
    void createTimeEventsSheet();
    void createToolBar();
    void createRunner();
    void createFilesPopupMenu();
    void createLanguageComponents();
    void createMainMenu();
    void createActions();
    void FormCreate();
    void acceptDropsOnlyOnWindow();
    void createCommandRooms();
    void restoreWindowGeometry();
    void addClipFrom(const QString &path, const QString &addedFolder);
    void setStartEnabled(bool enabled);

    ComponentList m_components;
    std::unique_ptr<FileList> m_fileList;
    BatchRunner *m_runner = nullptr;
    std::function<ClipValues(int row)> m_clipValuesOfRow;
    OutputRule m_outputRule;
    FolderCommands *m_folderCommands = nullptr;
    ProfileCommands *m_profileCommands = nullptr;
    ClipCommands *m_clipCommands = nullptr;
    BatchCommands *m_batchCommands = nullptr;
    UndoCommands *m_undoCommands = nullptr;
    ClipValuesCommands *m_clipValuesCommands = nullptr;
};
