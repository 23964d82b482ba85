#pragma once

#include "jobs/ScriptWriters.h"
#include "lang/ComponentOwner.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <memory>

class BitBtn;
class CheckBox;
class Gauge;
class Label;
class ListView;
class MenuItem;
class PageControl;
class Panel;
class QAction;
class QLineEdit;
class QLockFile;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QTimer;
class QUrl;
class SpinEdit;
class TabSheet;
class ToolBar;
class ToolButton;

// The main window: the file list of clips, the tabs with the time events, the click event and the
// clip information, the progress gauge, the tool bar and the menus; and the batch runner that
// drives the merge tool over the listed clips one at a time.
class TForm1 : public QMainWindow, public ComponentOwner
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // Row statuses of the file list.
    static const QString StatusToBeProcessed;
    static const QString StatusProcessing;
    static const QString StatusSuccess;
    static const QString StatusFailure;

    // How a job's launch went.
    enum class Launch { Started, SourceMissing, OutputIsSource, ToolMissing };

    // Throws IniFileWriteError when the language file can't be written.
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The named components in creation order, at every depth.
    const QList<QObject *> &Components() const override { return m_components; }
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

    // The file list and the batch runner.
    bool AddClip(const QString &path);
    void WMDropFiles(const QList<QUrl> &urls);
    void ProcessNextItem();
    void Timer1Timer();
    bool isBatchRunning() const { return m_batchRunning; }
    qint64 toolProcessId() const { return m_toolProcessId; }
    QString jobOutputPath() const { return m_jobOutputPath; }

    static qint64 MeasureFile(const QString &path);
    static QByteArray ReadTextFile(const QString &path);
    // The working folder, where the scripts, the tool's log and the lock lie.
    static QString AppFolder();

    // The scripts of one job, read from the controls as they stand.
    void WriteEvents();
    void WriteMap();
    QList<TimeEventRow> timeEventRows() const;
    ClipInformation clipInformation() const;
    ClickMap clickMap() const;

    Launch RunMergeTool(const QString &sourcePath, const QString &outputPath, bool withMap);

    // Controls, by the names the language file knows them by.
    Panel *Panel1 = nullptr;
    Panel *Panel3 = nullptr;
    Panel *Panel4 = nullptr;
    ListView *lvFiles = nullptr;
    PageControl *RzPageControl1 = nullptr;
    TabSheet *TabSheet5 = nullptr;
    TabSheet *TabSheet6 = nullptr;
    TabSheet *TabSheet7 = nullptr;
    ToolBar *ToolBar2 = nullptr;
    BitBtn *BitBtn5 = nullptr;
    BitBtn *BitBtn6 = nullptr;
    BitBtn *BitBtn7 = nullptr;
    BitBtn *BitBtn8 = nullptr;
    ListView *lvEvents = nullptr;
    CheckBox *CheckBox4 = nullptr;
    SpinEdit *SpinEdit1 = nullptr;
    SpinEdit *SpinEdit2 = nullptr;
    SpinEdit *SpinEdit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    CheckBox *CheckBox1 = nullptr;
    CheckBox *CheckBox2 = nullptr;
    CheckBox *CheckBox3 = nullptr;
    CheckBox *chk1 = nullptr;
    CheckBox *chk2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *edt1 = nullptr;
    QPlainTextEdit *mmo1 = nullptr;
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

    // Runner state.
    QStringList ResultLines;
    qint64 LastSize = -1;
    int CurrentItem = -1;
    bool StopRequested = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Creates a component, names it and registers it in creation order.
    template <class T, class... Args> T *create(const QString &name, Args &&...args)
    {
        T *component = new T(std::forward<Args>(args)...);
        registerComponent(component, name);
        return component;
    }
    void registerComponent(QObject *component, const QString &name);

    void createPanels();
    void createFileList();
    void createTimeEventsSheet();
    void createClickEventsSheet();
    void createClipInformationSheet();
    void createToolBar();
    void createFilesPopupMenu();
    void createLanguageComponents();
    void createMainMenu();
    void createActions();
    void FormCreate();
    void FormClose();
    void acceptDropsOnlyOnWindow();

    void CheckBox4Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void chk1Click();
    void chk2Click();

    enum class JobStart { Started, RowFailed, BatchFailed };
    JobStart startJob(int row);
    void finishJob(const QString &status);
    void endBatch(bool announce);
    void setStartEnabled(bool enabled);
    void setRowStatus(const QString &status);
    void removeFileRow(int row);
    void showWarning(const QString &text);

    QList<QObject *> m_components;
    bool m_batchRunning = false;
    // The job in progress: its output as launched, its tool, and whether its row is still listed.
    QString m_jobOutputPath;
    qint64 m_toolProcessId = 0;
    bool m_jobRowListed = false;
    // Held while a batch runs: the scripts and the log in the application folder are ours.
    std::unique_ptr<QLockFile> m_folderLock;
};
