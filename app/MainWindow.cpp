// TForm1: the main window, with its controls, menus and commands.
#include "app/MainWindow.h"

#include "app/BatchCommands.h"
#include "app/ClipCommands.h"
#include "app/FileList.h"
#include "app/FolderCommands.h"
#include "app/ProfileCommands.h"
#include "app/RememberedSettings.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/EventDialog.h"
#include "dialogs/OutputFileDialog.h"
#include "jobs/AppFolder.h"
#include "jobs/BatchRunner.h"
#include "jobs/ClipPaths.h"
#include "jobs/ClipSearch.h"
#include "jobs/ProductInfo.h"
#include "lang/FormTranslator.h"
#include "lang/MenuTranslator.h"
#include "lang/MessageTranslator.h"
#include "platform/UserPrompts.h"
#include "platform/WindowsFonts.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/Gauge.h"
#include "widgets/ListView.h"
#include "widgets/MenuItem.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"
#include "widgets/ToolbarIcons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QSize windowSize(748, 547);
const QSize toolButtonSize(76, 44);
const int toolSeparatorWidth = 8;

const QString openDialogFilter = QStringLiteral("All Files (*.*)|*.*|RM(*.rm)|*.RM|RMVB(*.rmvb)|*.RMVB|RA(*.ra)|*.RA");

QVBoxLayout *stackedLayout(QWidget *parent)
{
    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Clipvane 1.50"));
    setWindowIcon(programIcon());
    substituteWindowsFonts();
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSize(9);
    setFont(windowFont);
    resize(windowSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    createPanels();
    createToolBar();
    createRunner();
    createFilesPopupMenu();
    createLanguageComponents();
    createMainMenu();
    createActions();
    createCommandRooms();
    FormCreate();
    restoreWindowGeometry();
}

TForm1::~TForm1() = default;

void TForm1::createPanels()
{
    // The panels and, above them, the cool bar share the central widget; built in place, since
    // moving a tree of widgets under another parent later costs a start dearly.
    auto *top = new QWidget(this);
    setCentralWidget(top);
    Panel1 = create<Panel>(QStringLiteral("Panel1"), top);
    stackedLayout(top)->addWidget(Panel1);
    Panel3 = create<Panel>(QStringLiteral("Panel3"), Panel1);
    stackedLayout(Panel1)->addWidget(Panel3);
    QVBoxLayout *panel3Layout = stackedLayout(Panel3);

    Panel4 = create<Panel>(QStringLiteral("Panel4"), Panel3);
    Panel4->setFixedHeight(193);
    panel3Layout->addWidget(Panel4);
    createFileList();

    RzPageControl1 = create<PageControl>(QStringLiteral("RzPageControl1"), Panel3);
    RzPageControl1->setTabHeight(19);
    panel3Layout->addWidget(RzPageControl1, 1);
    createTimeEventsSheet();
    clickEvents = new ClickEventsPanel(RzPageControl1, m_components, this);
    clipInformation = new ClipInformationPanel(RzPageControl1, m_components, this);
    RzPageControl1->setCurrentIndex(0);

    ggProgress = create<Gauge>(QStringLiteral("ggProgress"), Panel3);
    ggProgress->setFixedHeight(12);
    ggProgress->setForeColor(Qt::blue);
    panel3Layout->addWidget(ggProgress);
}

void TForm1::createFileList()
{
    lvFiles = create<ListView>(QStringLiteral("lvFiles"), Panel4);
    stackedLayout(Panel4)->addWidget(lvFiles);
    lvFiles->setToolTip(QStringLiteral("Drag the RealAudio or RealVideo files into here"));
    lvFiles->addColumn(QStringLiteral("  Source Files "), Qt::AlignLeft, ListView::StretchWidth);
    lvFiles->addColumn(QStringLiteral("Output Files"), Qt::AlignHCenter, ListView::StretchWidth);
    lvFiles->addColumn(QStringLiteral("Status"), Qt::AlignHCenter, 100);
    lvFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvFiles, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { pmFiles->popup(lvFiles->viewport()->mapToGlobal(position)); });
}

void TForm1::createTimeEventsSheet()
{
    TabSheet5 = create<TabSheet>(QStringLiteral("TabSheet5"), RzPageControl1);
    TabSheet5->setCaption(QStringLiteral(" Time Events "));
    RzPageControl1->addSheet(TabSheet5);
    QVBoxLayout *layout = stackedLayout(TabSheet5);

    ToolBar2 = create<ToolBar>(QStringLiteral("ToolBar2"), TabSheet5);
    ToolBar2->setMovable(false);
    ToolBar2->setLayoutDirection(Qt::RightToLeft);
    layout->addWidget(ToolBar2);
    // Added right to left, so that they read left to right along the right edge.
    const struct {
        BitBtn *TForm1::*button;
        const char *name;
        const char *caption;
        QIcon (*glyph)();
        void (TForm1::*handler)();
    } buttons[] = {
        {&TForm1::BitBtn8, "BitBtn8", "Clear Events", clearIcon, &TForm1::actClearEventsExecute},
        {&TForm1::BitBtn7, "BitBtn7", "Delete Event", removeIcon, &TForm1::actDeleteEventExecute},
        {&TForm1::BitBtn6, "BitBtn6", "Edit Event  ", editIcon, &TForm1::actEditEventExecute},
        {&TForm1::BitBtn5, "BitBtn5", "Add Event  ", addIcon, &TForm1::actAddEventExecute},
    };
    QList<BitBtn *> created;
    for (const auto &entry : buttons) {
        BitBtn *button = new BitBtn(QString::fromLatin1(entry.caption), ToolBar2);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setLayoutDirection(Qt::LeftToRight);
        button->setIcon(entry.glyph());
        button->setFixedSize(100, 22);
        connect(button, &QPushButton::clicked, this, entry.handler);
        ToolBar2->addWidget(button);
        this->*entry.button = button;
        created.prepend(button);
    }
    for (BitBtn *button : created)
        m_components.add(button, button->objectName());

    lvEvents = create<ListView>(QStringLiteral("lvEvents"), TabSheet5);
    lvEvents->addColumn(QStringLiteral("Start Time"), Qt::AlignLeft, 150);
    lvEvents->addColumn(QStringLiteral("End Time"), Qt::AlignHCenter, 150);
    lvEvents->addColumn(QStringLiteral("Browser Target"), Qt::AlignHCenter, 150);
    lvEvents->addColumn(QStringLiteral("URL"), Qt::AlignHCenter, ListView::StretchWidth);
    layout->addWidget(lvEvents);
}

void TForm1::createToolBar()
{
    clbr1 = create<QWidget>(QStringLiteral("clbr1"), centralWidget());
    static_cast<QVBoxLayout *>(centralWidget()->layout())->insertWidget(0, clbr1);
    clbr1->setFixedHeight(49);
    tlb1 = create<ToolBar>(QStringLiteral("tlb1"), clbr1);
    tlb1->setWindowTitle(QStringLiteral("tlb1"));
    tlb1->setMovable(false);
    tlb1->setFloatable(false);
    tlb1->setIconSize(QSize(24, 24));
    tlb1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlb1->setMinimumHeight(45);
    stackedLayout(clbr1)->addWidget(tlb1);

    const QIcon images[] = {addIcon(), editIcon(), removeIcon(), clearIcon(), startIcon(), stopIcon(), helpIcon()};
    auto addButton = [this, &images](const QString &name, const QString &caption, int image,
                                     void (TForm1::*handler)()) {
        ToolButton *button = create<ToolButton>(name, tlb1);
        button->setCaption(caption);
        button->setIcon(images[image]);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setMinimumSize(toolButtonSize);
        button->setMaximumHeight(toolButtonSize.height());
        connect(button, &QToolButton::clicked, this, handler);
        tlb1->addWidget(button);
        return button;
    };
    auto addSeparator = [this](const QString &name) {
        ToolButton *separator = create<ToolButton>(name, tlb1);
        separator->setCaption(name);
        separator->makeSeparator(toolSeparatorWidth);
        tlb1->addWidget(separator);
    };
    btnAdd = addButton(QStringLiteral("btnAdd"), QStringLiteral("Add Files"), 0, &TForm1::actAddFilesExecute);
    btnEdit = addButton(QStringLiteral("btnEdit"), QStringLiteral("Edit Item"), 1, &TForm1::actEditItemExecute);
    btnRemove = addButton(QStringLiteral("btnRemove"), QStringLiteral("Remove Item"), 2, &TForm1::actRemoveItemExecute);
    addSeparator(QStringLiteral("btn9"));
    btnClear = addButton(QStringLiteral("btnClear"), QStringLiteral("Clear Items"), 3, &TForm1::actClearItemsExecute);
    addSeparator(QStringLiteral("btn10"));
    btnStart = addButton(QStringLiteral("btnStart"), QStringLiteral(" Start Merging "), 4, &TForm1::actStartExecute);
    btnStop = addButton(QStringLiteral("btnStop"), QStringLiteral(" Stop Merging "), 5, &TForm1::actStopExecute);
    addSeparator(QStringLiteral("btn11"));
    btnHelp = addButton(QStringLiteral("btnHelp"), QStringLiteral("Help"), 6, &TForm1::actHelpExecute);
}

// The runner's timer is the window's Timer1; the runner reports to the window's controls.
void TForm1::createRunner()
{
    m_fileList = std::make_unique<FileList>(*lvFiles);
    m_runner = new BatchRunner(*m_fileList, [this] { return jobSettings(); }, this);
    m_runner->readOutputRuleWith([this] { return m_outputRule; });
    Timer1 = m_runner->Timer1;
    m_components.add(Timer1, QStringLiteral("Timer1"));
    connect(m_runner, &BatchRunner::runningChanged, this, [this](bool running) { setStartEnabled(!running); });
    connect(m_runner, &BatchRunner::progressMaximumChanged, ggProgress, &Gauge::setMaxValue);
    connect(m_runner, &BatchRunner::progressChanged, ggProgress, &Gauge::setProgress);
    // The batch waits while its message is open: a window the person is not looking at asks for
    // attention through the window system.
    connect(m_runner, &BatchRunner::messageRequested, this,
            [this](const QString &title, const QString &text, UserPrompts::Icon icon) {
                QApplication::alert(this);
                UserPrompts::current().showMessage(this, title, text, icon);
            });
}

void TForm1::createFilesPopupMenu()
{
    pmFiles = create<QMenu>(QStringLiteral("pmFiles"), this);
    const struct {
        const char *name;
        const char *caption;
        void (TForm1::*handler)();
    } items[] = {
        {"AddFiles2", "Add Files", &TForm1::actAddFilesExecute},
        {"EditItem2", "Edit Item", &TForm1::actEditItemExecute},
        {"RemoveItem2", "Remove Item", &TForm1::actRemoveItemExecute},
        {"N5", "-", nullptr},
        {"ClearItems2", "Clear Items", &TForm1::actClearItemsExecute},
    };
    for (const auto &item : items) {
        MenuItem *action = create<MenuItem>(QString::fromLatin1(item.name), QString::fromLatin1(item.caption), pmFiles);
        if (item.handler)
            connect(action, &QAction::triggered, this, item.handler);
        pmFiles->addAction(action);
    }
}

// The form translator runs as it becomes active: it sees the font, the caption and every control
// created so far, which is why it comes after the panels, the tool bar and the pop-up menu.
void TForm1::createLanguageComponents()
{
    const QString languageFile = QStringLiteral("DefLang.ini");
    auto *form = create<TsmlFormLangRes>(QStringLiteral("smlFormLangRes1"), this);
    form->setIgnoreEmptyString(false);
    form->setAutoCreateMode(true);
    form->setAddBracket(false);
    form->setStringProperties({QStringLiteral("Caption")});
    form->setStringsProperties({QStringLiteral("Tabs"), QStringLiteral("Items")});
    form->setIgnoreFormCaption(false);
    form->setIncludeListViewItems(false);
    form->setIncludeListViewHead(false);
    form->setIncludeTreeViewItems(false);
    form->setLangFileName(languageFile);
    form->setActive(true);

    auto *menu = create<TsmlMenuLangRes>(QStringLiteral("smlMenuLangRes1"), this);
    menu->setLangFileName(languageFile);
    menu->setActive(true);
    auto *messages = create<TsmlMsgLangRes>(QStringLiteral("smlMsgLangRes1"), this);
    messages->setLangFileName(languageFile);
    messages->setActive(true);
    create<QObject>(QStringLiteral("il2"), this);
}

void TForm1::createMainMenu()
{
    mm1 = create<QMenuBar>(QStringLiteral("mm1"), this);
    setMenuBar(mm1);
    const struct {
        const char *name;
        const char *caption;
        void (TForm1::*handler)();
        bool opensMenu;
    } items[] = {
        {"File1", "File", nullptr, true},
        {"AddFiles1", "Add Files", &TForm1::actAddFilesExecute, false},
        {"N1", "-", nullptr, false},
        {"Exit1", "&Exit", &TForm1::Exit1Click, false},
        {"Edit1Menu", "Edit", nullptr, true},
        {"EditItem1", "Edit Item", &TForm1::actEditItemExecute, false},
        {"RemoveItem1", "Remove Item", &TForm1::actRemoveItemExecute, false},
        {"ClearItems1", "Clear Items", &TForm1::actClearItemsExecute, false},
        {"N2", "-", nullptr, false},
        {"AddEvent1", "Add Event", &TForm1::actAddEventExecute, false},
        {"EditEvent1", "Edit Event", &TForm1::actEditEventExecute, false},
        {"DeleteEvent1", "Delete Event", &TForm1::actDeleteEventExecute, false},
        {"ClearEvents1", "Clear Events", &TForm1::actClearEventsExecute, false},
        {"Jobs1", "Jobs", nullptr, true},
        {"AddTimeEvent1", "Add Time Event", &TForm1::actAddEventExecute, false},
        {"N3", "-", nullptr, false},
        {"StartMerging1", "Start Merging", &TForm1::actStartExecute, false},
        {"StopMerging1", "Stop Merging", &TForm1::actStopExecute, false},
        {"Help1", "Help", nullptr, true},
        {"OnlineHelp1", "Online Help", &TForm1::actHelpExecute, false},
        {"N4", "-", nullptr, false},
        {"Comments1", "Comments", &TForm1::Comments1Click, false},
        {"HomePage1", "Vist Home Page", &TForm1::HomePage1Click, false},
        {"N6", "-", nullptr, false},
        {"About1", "About...", &TForm1::About1Click, false},
    };
    QMenu *menu = nullptr;
    for (const auto &item : items) {
        const QString name = QString::fromLatin1(item.name);
        const QString caption = QString::fromLatin1(item.caption);
        if (item.opensMenu) {
            menu = new QMenu(caption, mm1);
            MenuItem *action = create<MenuItem>(name, caption, mm1);
            action->setMenu(menu);
            mm1->addAction(action);
            continue;
        }
        MenuItem *action = create<MenuItem>(name, caption, menu);
        if (item.handler)
            connect(action, &QAction::triggered, this, item.handler);
        menu->addAction(action);
        if (name == QLatin1String("StartMerging1"))
            StartMerging1 = action;
    }
}

void TForm1::createActions()
{
    actlst1 = create<QObject>(QStringLiteral("actlst1"), this);
    const struct {
        const char *name;
        void (TForm1::*handler)();
    } actions[] = {
        {"actAddFiles", &TForm1::actAddFilesExecute},
        {"actEditItem", &TForm1::actEditItemExecute},
        {"actRemoveItem", &TForm1::actRemoveItemExecute},
        {"actClearItems", &TForm1::actClearItemsExecute},
        {"actStart", &TForm1::actStartExecute},
        {"actStop", &TForm1::actStopExecute},
        {"actHelp", &TForm1::actHelpExecute},
        {"actAddEvent", &TForm1::actAddEventExecute},
        {"actEditEvent", &TForm1::actEditEventExecute},
        {"actDeleteEvent", &TForm1::actDeleteEventExecute},
        {"actClearEvents", &TForm1::actClearEventsExecute},
    };
    for (const auto &entry : actions) {
        const QString name = QString::fromLatin1(entry.name);
        QAction *action = create<QAction>(name, name, actlst1);
        connect(action, &QAction::triggered, this, entry.handler);
        if (name == QLatin1String("actStart"))
            actStart = action;
    }
}

// The commands beside the window's own; their menu items go after the window's.
void TForm1::createCommandRooms()
{
    m_folderCommands = new FolderCommands(*this);
    m_profileCommands = new ProfileCommands(*this);
    m_clipCommands = new ClipCommands(*this);
    m_batchCommands = new BatchCommands(*this);
}

QMenu *TForm1::menuOf(const char *itemName) const
{
    return qobject_cast<QMenu *>(findChild<QAction *>(QString::fromLatin1(itemName))->parent());
}

// The place the window had when it was last closed, as long as a screen still shows it.
void TForm1::restoreWindowGeometry()
{
    const std::optional<QRect> geometry = RememberedSettings().windowGeometry();
    if (!geometry)
        return;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(*geometry)) {
            setGeometry(*geometry);
            return;
        }
    }
    resize(geometry->size());
}

void TForm1::closeEvent(QCloseEvent *event)
{
    RememberedSettings().setWindowGeometry(normalGeometry());
    QMainWindow::closeEvent(event);
}

void TForm1::FormCreate()
{
    // The application title. Only the name is set: a display name would be appended to every
    // window title by the window system integration.
    QApplication::setApplicationName(ProductInfo::name);
    UpdateCaption();
    acceptDropsOnlyOnWindow();
}

// Files dropped anywhere on the window are clips to add; text fields must not take them as text.
void TForm1::acceptDropsOnlyOnWindow()
{
    for (QWidget *child : findChildren<QWidget *>())
        child->setAcceptDrops(false);
    setAcceptDrops(true);
}

void TForm1::UpdateCaption()
{
    setWindowTitle(ProductInfo::name + QLatin1Char(' ') + ProductInfo::version);
}

void TForm1::Exit1Click()
{
    close();
}

// The manual ships with the program, so help needs no network.
void TForm1::actHelpExecute()
{
    const QString manual = manualFilePath();
    if (manual.isEmpty()) {
        UserPrompts::current().showMessage(this, ProductInfo::name,
                                           QStringLiteral("The user manual is missing; please reinstall Clipvane."),
                                           UserPrompts::Icon::Warning);
        return;
    }
    if (!UserPrompts::current().openUrl(QUrl::fromLocalFile(manual).toString()))
        UserPrompts::current().showMessage(
            this, ProductInfo::name,
            QStringLiteral("No web browser could open the user manual. Open it by hand:\n%1").arg(QDir::toNativeSeparators(manual)),
            UserPrompts::Icon::Warning);
}

void TForm1::HomePage1Click()
{
    UserPrompts::current().openUrl(ProductInfo::homePage);
}

void TForm1::Comments1Click()
{
    UserPrompts::current().openUrl(QLatin1String("mailto:") + ProductInfo::supportEmail
                                   + QLatin1String("?subject=For") + ProductInfo::name + QLatin1Char(' ')
                                   + ProductInfo::version);
}

void TForm1::actEditItemExecute()
{
    const int row = lvFiles->selectedRow();
    if (row < 0)
        return;
    const QString output = lvFiles->subItem(row, 0);
    TFrmedtfile dialog(lvFiles, this);
    // An output changed by hand stays as the person set it, whatever rule comes later.
    if (dialog.exec() == QDialog::Accepted && lvFiles->subItem(row, 0) != output)
        m_fileList->markOutputSetByHand(row);
}

void TForm1::About1Click()
{
    TAboutForm about(this);
    about.exec();
}

void TForm1::actAddEventExecute()
{
    EventDialogMode = TFrmevent::AddMode;
    ShowFrmEvent();
}

void TForm1::actEditEventExecute()
{
    EventDialogMode = TFrmevent::EditMode;
    ShowFrmEvent();
}

void TForm1::ShowFrmEvent()
{
    if (EventDialogMode == TFrmevent::EditMode && lvEvents->selectedRow() < 0)
        return;
    TFrmevent dialog(lvEvents, EventDialogMode, this);
    dialog.exec();
}

void TForm1::actDeleteEventExecute()
{
    const int row = lvEvents->selectedRow();
    if (row >= 0)
        lvEvents->removeRow(row);
}

void TForm1::actClearEventsExecute()
{
    lvEvents->clear();
}

bool TForm1::AddClip(const QString &path)
{
    if (!isClipPath(path))
        return false;
    addClipFrom(path, path.left(fileNameStart(path)));
    return true;
}

int TForm1::AddFolder(const QString &folder)
{
    const QString addedFolder = QFileInfo(folder).absoluteFilePath();
    const QStringList clips = clipsBelow(addedFolder);
    lvFiles->setUpdatesEnabled(false);
    for (const QString &clip : clips)
        addClipFrom(clip, addedFolder);
    lvFiles->setUpdatesEnabled(true);
    return int(clips.size());
}

void TForm1::addClipFrom(const QString &path, const QString &addedFolder)
{
    m_fileList->addClip(path, addedFolder, m_outputRule);
}

QString TForm1::chooseFileToOpen(const QString &filter, RememberedSettings::Folder remembered)
{
    RememberedSettings settings;
    const QString path = UserPrompts::current().chooseFileToOpen(this, filter, settings.dialogPreset(remembered));
    if (!path.isEmpty())
        settings.setLastFolder(remembered, QFileInfo(path).absolutePath());
    return path;
}

void TForm1::actAddFilesExecute()
{
    const QString path = chooseFileToOpen(openDialogFilter, RememberedSettings::Folder::AddFiles);
    if (!path.isEmpty())
        AddClip(path);
}

void TForm1::setOutputRule(const OutputRule &rule)
{
    m_outputRule = rule;
    m_fileList->applyRule(rule);
}

Profile TForm1::setup() const
{
    return {jobSettings(), m_outputRule};
}

void TForm1::applySetup(const Profile &setup)
{
    applySettings(setup.settings);
    setOutputRule(setup.output);
}

void TForm1::applySettings(const JobSettings &settings)
{
    setTimeEventRows(settings.timeEvents);
    clickEvents->setClickEvent(settings.withMap, settings.clickMap);
    clipInformation->setClipInformation(settings.clipInformation);
}

void TForm1::setTimeEventRows(const QList<TimeEventRow> &rows)
{
    lvEvents->clear();
    for (const TimeEventRow &row : rows)
        lvEvents->addRow(row.start, {row.end, row.target, row.url});
}

void TForm1::showError(const QString &text)
{
    UserPrompts::current().showMessage(this, ProductInfo::name, text, UserPrompts::Icon::Error);
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    WMDropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void TForm1::WMDropFiles(const QList<QUrl> &urls)
{
    lvFiles->setUpdatesEnabled(false);
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            AddFolder(path);
        else
            AddClip(path);
    }
    lvFiles->setUpdatesEnabled(true);
}

void TForm1::actRemoveItemExecute()
{
    const int row = lvFiles->selectedRow();
    if (row >= 0)
        removeFileRow(row);
}

void TForm1::actClearItemsExecute()
{
    while (lvFiles->rowCount() > 0)
        removeFileRow(lvFiles->rowCount() - 1);
}

void TForm1::removeFileRow(int row)
{
    m_runner->rowRemoved(row);
    lvFiles->removeRow(row);
}

void TForm1::setStartEnabled(bool enabled)
{
    btnStart->setEnabled(enabled);
    StartMerging1->setEnabled(enabled);
    actStart->setEnabled(enabled);
}

void TForm1::actStartExecute()
{
    m_runner->start();
}

void TForm1::actStopExecute()
{
    m_runner->requestStop();
}

QList<TimeEventRow> TForm1::timeEventRows() const
{
    QList<TimeEventRow> rows;
    rows.reserve(lvEvents->rowCount());
    for (int row = 0; row < lvEvents->rowCount(); ++row)
        rows.append({lvEvents->caption(row), lvEvents->subItem(row, 0), lvEvents->subItem(row, 1),
                     lvEvents->subItem(row, 2)});
    return rows;
}

JobSettings TForm1::jobSettings() const
{
    return {timeEventRows(), clipInformation->clipInformation(), clickEvents->isOn(), clickEvents->clickMap()};
}
