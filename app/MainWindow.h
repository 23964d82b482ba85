// TForm1: the main window, with its controls, menus and commands.
#pragma once

#include "app/RememberedSettings.h"
#include "jobs/JobSettings.h"
#include "jobs/OutputRule.h"
#include "jobs/Profile.h"
#include "lang/ComponentList.h"
#include "lang/ComponentOwner.h"

#include <QList>
#include <QMainWindow>
#include <memory>

class BatchLogWindow;
class BatchRunner;
class BitBtn;
class ClickEventsPanel;
class ClipInformationPanel;
class FileList;
class Gauge;
struct JobRecord;
class ListView;
class MenuItem;
class PageControl;
class Panel;
class QAction;
class QMenu;
class QMenuBar;
class QTimer;
class QUrl;
class TabSheet;
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

    // Profiles, folders of clips and where merged clips go.
    void actAddFolderExecute();
    void actOpenProfileExecute();
    void actSaveProfileExecute();
    void actSaveProfileAsExecute();
    void actOutputRuleExecute();
    // What the selected row's clip and its output carry, in a window of its own.
    void actClipContentsExecute();
    // The time events, the click event and the clip information from the selected row's output
    // once merged, else from its source; the output rule stays.
    void actLoadSettingsFromClipExecute();
    // Opens a profile into the controls; a refused one is reported and changes nothing.
    bool openProfile(const QString &path);
    // Saves the controls as a profile; a failure is reported and leaves the old file whole.
    bool saveProfile(const QString &path);
    // The path of the profile last opened or saved, empty before.
    QString profilePath() const { return m_profilePath; }
    // The controls' whole setup, and the same put back into them.
    Profile profile() const;
    void applyProfile(const Profile &profile);
    const OutputRule &outputRule() const { return m_outputRule; }
    // Gives every row not set by hand with Edit Item its output by the rule.
    void setOutputRule(const OutputRule &rule);

    // What became of the clips: a batch of the failed rows again, and the batch log's window.
    void actRetryFailedExecute();
    void actShowLogExecute();
    // The batch log's window, made when first needed.
    BatchLogWindow *batchLogWindow();

    // The file list.
    bool AddClip(const QString &path);
    // Lists every clip below the folder; returns how many.
    int AddFolder(const QString &folder);
    void WMDropFiles(const QList<QUrl> &urls);

    // The settings of a clip's job, read from the controls as they stand.
    JobSettings jobSettings() const;

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
    QAction *AddFolder1 = nullptr;
    QAction *OpenProfile1 = nullptr;
    QAction *SaveProfile1 = nullptr;
    QAction *SaveProfileAs1 = nullptr;
    QMenu *RecentProfiles1 = nullptr;
    QAction *OutputFolder1 = nullptr;
    QAction *AddFolder2 = nullptr;
    QAction *ClipContents1 = nullptr;
    QAction *LoadSettingsFromClip1 = nullptr;
    QAction *ClipContents2 = nullptr;
    QAction *LoadSettingsFromClip2 = nullptr;
    QAction *RetryFailed1 = nullptr;
    QAction *ShowLog1 = nullptr;
    QAction *RetryFailed2 = nullptr;

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
    void createProfileCommands();
    MenuItem *newCommand(const char *name, const char *caption, void (TForm1::*handler)(), QObject *menu);
    void createClipCommands();
    void createBatchCommands();
    void recordJob(int row, const JobRecord &record);
    void updateRecentProfiles();
    void rememberProfile(const QString &absolutePath);
    void restoreWindowGeometry();
    void addClipFrom(const QString &path, const QString &addedFolder);
    QString chooseFileToOpen(const QString &filter, RememberedSettings::Folder remembered);
    void setTimeEventRows(const QList<TimeEventRow> &rows);
    void applySettings(const JobSettings &settings);
    void showError(const QString &text);

    QList<TimeEventRow> timeEventRows() const;
    void setStartEnabled(bool enabled);
    void removeFileRow(int row);

    ComponentList m_components;
    std::unique_ptr<FileList> m_fileList;
    BatchRunner *m_runner = nullptr;
    OutputRule m_outputRule;
    QString m_profilePath;
    BatchLogWindow *m_batchLogWindow = nullptr;
    // A batch log that can't be written is said once, not at every clip.
    bool m_batchLogFailureShown = false;
};
