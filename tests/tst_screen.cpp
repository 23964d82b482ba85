// What a person sees and what assistive technology reads, on a real X server (run under Xvfb).
#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/BatchCommands.h"
#include "app/UndoCommands.h"
#include "app/ClipValuesCommands.h"
#include "app/FileList.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "jobs/BatchRunner.h"
#include "jobs/RowStatus.h"
#include "dialogs/AboutBox.h"
#include "dialogs/BatchLogWindow.h"
#include "dialogs/ClipContentsWindow.h"
#include "dialogs/ClipValuesModel.h"
#include "dialogs/ClipValuesWindow.h"
#include "dialogs/OutputRuleDialog.h"
#include "dialogs/OutputFileDialog.h"
#include "dialogs/EventDialog.h"
#include "platform/DesktopPrompts.h"
#include "platform/WindowsFonts.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/LinkLabel.h"
#include "widgets/ListView.h"
#include "widgets/PageControl.h"
#include "widgets/SpinEdit.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>
#include <QWindow>
#include <memory>
#include <cstring>
#include <sys/stat.h>
#include <xcb/xcb.h>

class ScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void windowTitles_data();
    void windowTitles();
    void messageBoxTitles_data();
    void messageBoxTitles();
    void windowFontStandsInForMsSansSerif();
    void statusesAndCaptionsFit();
    void aboutBoxColours();
    void fileDialogFilters_data();
    void fileDialogFilters();
    void accessibleNames_data();
    void accessibleNames();
    void spinFieldsThroughTheValueInterface();
    void failedRowsSayWhyAndRetryMergesThemOnly();
    void batchEndAsksForAttention_data();
    void batchEndAsksForAttention();
    void undoKeysInATextFieldAreTheFields_data();
    void undoKeysInATextFieldAreTheFields();
    void clipValuesTellTheBatchsApart();

private:
    // The main window's dialog of this name ("event", "file", "about"), over a selected file row;
    // none for "main".
    std::unique_ptr<QWidget> createDialog(const QString &window);

    TemporaryAppFolder m_appFolder;
    std::unique_ptr<TForm1> m_form;
    int m_eventDialogMode = TFrmevent::AddMode;
};

namespace {

// The title the X server holds for the window, as a window manager or a task bar reads it.
QString windowSystemTitle(const QWidget &window)
{
    QProcess xprop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(environment);
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("(xprop did not answer)");
    // _NET_WM_NAME = "Clipvane 1.40"
    const QString answer = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = answer.indexOf(QLatin1Char('"'));
    return quote < 0 ? answer : answer.mid(quote + 1, answer.size() - quote - 2);
}

bool shownOnScreen(QWidget &window)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// The window's pixels as the X server holds them.
QImage screenPixels(const QWidget &widget)
{
    const QPoint topLeft = widget.mapTo(widget.window(), QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(widget.window()->winId(), topLeft.x(), topLeft.y(), widget.width(), widget.height())
        .toImage();
}

// The colour of the text: of all pixels the one farthest from the background.
QColor textColour(const QImage &image, const QColor &background)
{
    QColor farthest = background;
    int farthestDistance = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - background.red()) + std::abs(pixel.green() - background.green())
                                 + std::abs(pixel.blue() - background.blue());
            if (distance > farthestDistance) {
                farthest = pixel;
                farthestDistance = distance;
            }
        }
    }
    return farthest;
}

bool near(const QColor &actual, const QColor &expected)
{
    return std::abs(actual.red() - expected.red()) <= 24 && std::abs(actual.green() - expected.green()) <= 24
           && std::abs(actual.blue() - expected.blue()) <= 24;
}

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(widget);
    return interface ? interface->text(QAccessible::Name) : QString();
}

// A cell of the file list as assistive technology reads it.
QString cellText(ListView *list, int row, int column, QAccessible::Text text)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface *table = interface ? interface->tableInterface() : nullptr;
    QAccessibleInterface *cell = table ? table->cellAt(row, column) : nullptr;
    return cell ? cell->text(text) : QStringLiteral("(no cell)");
}

// The tooltip shown where the pointer rests over the row.
QString rowToolTip(ListView *list, int row)
{
    const QPoint position = list->visualItemRect(list->topLevelItem(row)).center();
    QHelpEvent help(QEvent::ToolTip, position, list->viewport()->mapToGlobal(position));
    QApplication::sendEvent(list->viewport(), &help);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QStringLiteral("(no tooltip)");
    QToolTip::hideText();
    return shown;
}

struct FileStamp
{
    ino_t inode = 0;
    timespec modified{};
    QByteArray bytes;

    explicit FileStamp(const QString &path) : bytes(readFile(path))
    {
        struct stat status{};
        if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
            inode = status.st_ino;
            modified = status.st_mtim;
        }
    }
    bool operator==(const FileStamp &other) const
    {
        return inode == other.inode && modified.tv_sec == other.modified.tv_sec
               && modified.tv_nsec == other.modified.tv_nsec && bytes == other.bytes;
    }
};

void roundTrip(xcb_connection_t *connection)
{
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// What a window manager receives when a window asks for attention: a message to the root window
// to add _NET_WM_STATE_DEMANDS_ATTENTION to the window's state. Read on a connection of its own.
class AttentionRequests
{
public:
    AttentionRequests() : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_state = internAtom(m_connection, "_NET_WM_STATE");
        m_demandsAttention = internAtom(m_connection, "_NET_WM_STATE_DEMANDS_ATTENTION");
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        roundTrip(m_connection);
    }
    ~AttentionRequests() { xcb_disconnect(m_connection); }

    // Whether the window asked since the last call, once the X server has handled every request
    // the program has made so far.
    bool cameFrom(const QWidget &window)
    {
        roundTrip(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
        roundTrip(m_connection);
        bool asked = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->window == window.winId()
                && message->type == m_state && message->data.data32[0] == 1
                && (message->data.data32[1] == m_demandsAttention || message->data.data32[2] == m_demandsAttention))
                asked = true;
            free(event);
        }
        return asked;
    }

private:
    xcb_connection_t *m_connection;
    xcb_atom_t m_state = XCB_ATOM_NONE;
    xcb_atom_t m_demandsAttention = XCB_ATOM_NONE;
};

} // namespace

void ScreenTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs on an X server (Xvfb)");
    m_appFolder.installMergeTool();
    m_form = std::make_unique<TForm1>();
    QVERIFY(shownOnScreen(*m_form));
}

void ScreenTest::cleanup()
{
    m_form->lvFiles->clear();
    m_form->RzPageControl1->setCurrentIndex(0);
}

std::unique_ptr<QWidget> ScreenTest::createDialog(const QString &window)
{
    m_form->lvFiles->addRow(QStringLiteral("a.rm"), {QStringLiteral("Done_a.rm"), QString()});
    m_form->lvFiles->selectRow(0);
    if (window == QLatin1String("event"))
        return std::make_unique<TFrmevent>(m_form->lvEvents, m_eventDialogMode, m_form.get());
    if (window == QLatin1String("file"))
        return std::make_unique<TFrmedtfile>(m_form->lvFiles, m_form.get());
    if (window == QLatin1String("about"))
        return std::make_unique<TAboutForm>(m_form.get());
    if (window == QLatin1String("output folder"))
        return std::make_unique<OutputRuleDialog>(OutputRule(), QString(), m_form.get());
    if (window == QLatin1String("batch log"))
        return std::make_unique<BatchLogWindow>(m_form.get());
    if (window == QLatin1String("clip values"))
        return std::make_unique<ClipValuesWindow>(m_form->clipValuesCommands().model(), m_form.get());
    if (window == QLatin1String("clip contents"))
        return std::make_unique<ClipContentsWindow>(QStringLiteral("a.rm"), QStringLiteral("Done_a.rm"), m_form.get());
    return nullptr;
}

void ScreenTest::windowTitles_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("main window") << "main" << "Clipvane 1.40";
    QTest::newRow("event dialog") << "event" << "Edit Event";
    QTest::newRow("output file dialog") << "file" << "Edit File";
    QTest::newRow("about box") << "about" << "About";
    QTest::newRow("output folder dialog") << "output folder" << "Output Folder";
    QTest::newRow("batch log") << "batch log" << "Batch Log";
    QTest::newRow("clip contents") << "clip contents" << "Clip Contents - a.rm";
    QTest::newRow("clip values") << "clip values" << "Clip Values";
}

void ScreenTest::windowTitles()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    const std::unique_ptr<QWidget> dialog = createDialog(window);
    QWidget &shown = dialog ? *dialog : *m_form;
    QVERIFY(shownOnScreen(shown));
    QCOMPARE(windowSystemTitle(shown), title);
}

void ScreenTest::messageBoxTitles_data()
{
    QTest::addColumn<QString>("title");
    for (const char *title : {"Warning", "Notice", "提示", "Error"})
        QTest::newRow(title) << QString::fromUtf8(title);
}

void ScreenTest::messageBoxTitles()
{
    QFETCH(QString, title);
    DesktopPrompts desktop;
    QString shownTitle;
    QVERIFY(whileModal<QMessageBox>([&] { desktop.showMessage(m_form.get(), title, QStringLiteral("Text"), UserPrompts::Icon::Warning); },
                                    [&](QMessageBox &box) {
                                        QVERIFY(QTest::qWaitForWindowExposed(&box));
                                        shownTitle = windowSystemTitle(box);
                                    }));
    QCOMPARE(shownTitle, title);

    // The one box titled with the application title.
    QVERIFY(whileModal<QMessageBox>([&] { m_form->actStartExecute(); }, [&](QMessageBox &box) {
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        shownTitle = windowSystemTitle(box);
    }));
    QCOMPARE(shownTitle, QStringLiteral("Clipvane"));
}

void ScreenTest::windowFontStandsInForMsSansSerif()
{
    QCOMPARE(m_form->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(QFontInfo(m_form->font()).family(), msSansSerifStandIn);
    QCOMPARE(QFontInfo(m_form->lvFiles->font()).family(), msSansSerifStandIn);
}

// Nothing of a status, a column heading or a caption is cut: each fits the room it is given.
void ScreenTest::statusesAndCaptionsFit()
{
    ListView *files = m_form->lvFiles;
    const int margin = files->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, files) + 1;
    const QFontMetrics metrics(files->font());
    for (const QString &status : {RowStatus::toBeProcessed, RowStatus::processing, RowStatus::success,
                                  RowStatus::failure})
        QVERIFY2(metrics.horizontalAdvance(status) <= files->header()->sectionSize(2) - 2 * margin, qPrintable(status));
    for (ListView *list : {files, m_form->lvEvents})
        for (int column = 0; column < list->columnCount(); ++column)
            QVERIFY(metrics.horizontalAdvance(list->headerItem()->text(column)) + 2 * margin
                    <= list->header()->sectionSize(column));
    // The headings are as tall as Qt's own headings of the same words in the same font.
    for (ListView *list : {files, m_form->lvEvents}) {
        QTreeWidget stock;
        stock.setFont(list->font());
        QStringList headings;
        for (int column = 0; column < list->columnCount(); ++column)
            headings.append(list->headerItem()->text(column));
        stock.setHeaderLabels(headings);
        QCOMPARE(list->header()->height(), stock.header()->sizeHint().height());
    }

    for (PageControl *tabs : {m_form->RzPageControl1})
        for (int index = 0; index < tabs->count(); ++index) {
            tabs->setCurrentIndex(index);
            for (QWidget *widget : tabs->currentWidget()->findChildren<QWidget *>()) {
                if (!widget->isVisible() || !(qobject_cast<QLabel *>(widget) || qobject_cast<QCheckBox *>(widget)))
                    continue;
                QVERIFY2(widget->width() >= widget->sizeHint().width(), qPrintable(widget->objectName()));
            }
        }
    for (ToolButton *button : m_form->tlb1->findChildren<ToolButton *>())
        if (!button->isSeparator())
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
    // The fixed-size buttons of the time events: glyph, gap and caption within the button's contents.
    for (BitBtn *button : {m_form->BitBtn5, m_form->BitBtn6, m_form->BitBtn7, m_form->BitBtn8}) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QVERIFY2(button->iconSize().width() + 4 + button->fontMetrics().horizontalAdvance(button->text())
                     <= contents.width(),
                 qPrintable(button->text()));
    }
}

void ScreenTest::aboutBoxColours()
{
    RecordingPrompts prompts;
    TAboutForm about(m_form.get());
    QVERIFY(shownOnScreen(about));
    const QColor background = about.palette().color(QPalette::Base);
    QTRY_VERIFY2(near(textColour(screenPixels(*about.lbl2), background), QColor(0x80, 0x00, 0x00)),
                 qPrintable(textColour(screenPixels(*about.lbl2), background).name()));
    QVERIFY(QFontInfo(about.lbl2->font()).bold());
    QCOMPARE(QFontInfo(about.lbl2->font()).pixelSize(), 16);

    const QColor highlight = about.palette().color(QPalette::Highlight);
    QTRY_VERIFY2(near(textColour(screenPixels(*about.UrlLbl1), background), highlight),
                 qPrintable(textColour(screenPixels(*about.UrlLbl1), background).name()));
    QTest::mouseClick(about.UrlLbl1, Qt::LeftButton);
    QCOMPARE(prompts.openedUrls.size(), 1);
    QTRY_VERIFY2(near(textColour(screenPixels(*about.UrlLbl1), background), QColor(0x80, 0x00, 0x80)),
                 qPrintable(textColour(screenPixels(*about.UrlLbl1), background).name()));
}

void ScreenTest::fileDialogFilters_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("listed");

    const QString addFiles = QStringLiteral("All Files (*.*)|*.*|RM(*.rm)|*.RM|RMVB(*.rmvb)|*.RMVB|RA(*.ra)|*.RA");
    const QStringList addDescriptions{"All Files (*.*)", "RM(*.rm)", "RMVB(*.rmvb)", "RA(*.ra)"};
    const QStringList everything{"B.RM", "a.rm", "clip.Rmvb", "notes.txt", "readme", "song.ra"};
    QTest::newRow("Add Files: all files, also without a dot")
        << false << addFiles << addDescriptions << 0 << everything;
    QTest::newRow("Add Files: RM in either case") << false << addFiles << addDescriptions << 1
                                                  << QStringList{"B.RM", "a.rm"};
    QTest::newRow("Add Files: RA") << false << addFiles << addDescriptions << 3 << QStringList{"song.ra"};

    const QString editFile = QStringLiteral("所有文件 (*.*)|*.*|RM文件(*.rm)|*.RM|RMVB(*rmvb)|*.RMVB");
    const QStringList editDescriptions{"所有文件 (*.*)", "RM文件(*.rm)", "RMVB(*rmvb)"};
    QTest::newRow("Edit File, open: all files") << false << editFile << editDescriptions << 0 << everything;
    QTest::newRow("Edit File, save: RMVB") << true << editFile << editDescriptions << 2 << QStringList{"clip.Rmvb"};
}

// The file-type list shows the descriptions as given, and each entry lists the files its pattern
// matches, as the dialog's own list shows them.
void ScreenTest::fileDialogFilters()
{
    QFETCH(bool, saving);
    QFETCH(QString, filter);
    QFETCH(QStringList, descriptions);
    QFETCH(int, entry);
    QFETCH(QStringList, listed);
    QTemporaryDir folder;
    for (const char *name : {"a.rm", "B.RM", "clip.Rmvb", "song.ra", "notes.txt", "readme"})
        writeFile(folder.filePath(QString::fromLatin1(name)), "x");

    const auto dialog = createFileDialog(m_form.get(), saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen,
                                         filter, QString());
    dialog->setDirectory(folder.path());
    QVERIFY(shownOnScreen(*dialog));
    auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QStringList shown;
    for (int index = 0; index < types->count(); ++index)
        shown.append(types->itemText(index));
    QCOMPARE(shown, descriptions);
    QCOMPARE(types->currentIndex(), 0);

    types->setCurrentIndex(entry);
    emit types->activated(entry);
    auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
    QVERIFY(view);
    const auto listedNames = [view] {
        QStringList names;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names.append(view->model()->index(row, 0, root).data().toString());
        names.sort();
        return names;
    };
    QTRY_COMPARE(listedNames(), listed);
}

void ScreenTest::accessibleNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    const struct {
        const char *window, *field, *name;
    } rows[] = {
        {"main", "SpinEdit1", "Hours"},
        {"main", "SpinEdit2", "Minutes"},
        {"main", "SpinEdit3", "Seconds"},
        {"main", "Edit4", "Show Text: "},
        {"main", "Edit5", "PopUp URL: "},
        {"main", "Edit1", "Title:"},
        {"main", "Edit2", "Copyright:"},
        {"main", "Edit3", "Author:"},
        {"main", "edt1", "Keywords:"},
        {"main", "mmo1", "Description:"},
        {"event", "edtHour1", "Start Time: HH"},
        {"event", "edtMinute1", "Start Time: MM"},
        {"event", "edtSecond1", "Start Time: SS"},
        {"event", "edtHour2", "End Time: HH"},
        {"event", "edtMinute2", "End Time: MM"},
        {"event", "edtSecond2", "End Time: SS"},
        {"event", "EdtUrl", "HTTP URL:  "},
        {"file", "Edit1", "Source File："},
        {"file", "Edit2", "Output File："},
    };
    for (const auto &row : rows)
        QTest::addRow("%s %s", row.window, row.field)
            << QString::fromLatin1(row.window) << QString::fromLatin1(row.field) << QString::fromUtf8(row.name);
}

// Every field carries the name of the label a person reads beside it.
void ScreenTest::accessibleNames()
{
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(QString, name);
    const std::unique_ptr<QWidget> dialog = createDialog(window);
    QWidget &shown = dialog ? *dialog : *m_form;
    QVERIFY(shownOnScreen(shown));
    auto *widget = shown.findChild<QWidget *>(field);
    QVERIFY(widget);
    QCOMPARE(accessibleName(widget), name);
}

// A screen reader reads the duration fields' values and sets them as typing does.
void ScreenTest::spinFieldsThroughTheValueInterface()
{
    m_form->RzPageControl1->setCurrentWidget(m_form->clickEvents->TabSheet6);
    const struct {
        SpinEdit *field;
        int start;
        int maximum;
    } fields[] = {{m_form->clickEvents->SpinEdit1, 3, 24}, {m_form->clickEvents->SpinEdit2, 0, 60}, {m_form->clickEvents->SpinEdit3, 0, 60}};
    for (const auto &entry : fields) {
        QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(entry.field);
        QVERIFY(interface);
        QAccessibleValueInterface *value = interface->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), entry.start);
        QCOMPARE(value->minimumValue().toInt(), 0);
        QCOMPARE(value->maximumValue().toInt(), entry.maximum);
        QCOMPARE(interface->text(QAccessible::Value), QString::number(entry.start));
        value->setCurrentValue(7);
        QCOMPARE(entry.field->text(), QStringLiteral("7"));
        QCOMPARE(value->currentValue().toInt(), 7);
        value->setCurrentValue(entry.maximum + 5);
        QCOMPARE(value->currentValue().toInt(), entry.maximum);
    }
    QCOMPARE(m_form->clickEvents->clickMap().hours, 24);
    QCOMPARE(m_form->clickEvents->clickMap().minutes, 60);
}

// A batch of a good clip, a file that is not RealMedia and a clip cut short, merged by the bundled
// tool: each row says what became of it, to the eye and to a screen reader; the log window and
// batch.log list all three; Retry Failed merges the failed rows alone.
void ScreenTest::failedRowsSayWhyAndRetryMergesThemOnly()
{
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QStringList clips{folder.filePath(QStringLiteral("good.rm")), folder.filePath(QStringLiteral("notes.rm")),
                            folder.filePath(QStringLiteral("cut.rm"))};
    writeRealMediaClip(clips[0], 300000);
    writeFile(clips[1], "Notes for the trailer, not a clip.\n");
    writeRealMediaClip(clips[2], 300000);
    QVERIFY(QFile(clips[2]).resize(150000));
    for (const QString &clip : clips)
        QVERIFY(m_form->AddClip(clip));
    m_form->actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->runner().isRunning(), 20000);

    const struct {
        const char *status;
        const char *says;
    } rows[] = {
        {"Success", "Source is RealMedia with 1 stream"},
        {"Failure", "is not a RealMedia or RealAudio file"},
        {"Failure", "the source is truncated"},
    };
    ListView *list = m_form->lvFiles;
    QStringList descriptions;
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(list->subItem(row, 1), QString::fromLatin1(rows[row].status));
        QCOMPARE(cellText(list, row, 2, QAccessible::Name), QString::fromLatin1(rows[row].status));
        const QString description = cellText(list, row, 2, QAccessible::Description);
        QVERIFY2(description.contains(QString::fromLatin1(rows[row].says)), qPrintable(description));
        QVERIFY2(description.contains(clips[row]), qPrintable(description));
        QVERIFY(!description.contains(QStringLiteral("***")));
        for (int column = 0; column < 2; ++column)
            QCOMPARE(cellText(list, row, column, QAccessible::Description), description);
        QCOMPARE(rowToolTip(list, row), description);
        descriptions.append(description);
    }

    m_form->batchCommands().ShowLog1->trigger();
    BatchLogWindow *logWindow = m_form->batchCommands().batchLogWindow();
    QVERIFY(QTest::qWaitForWindowExposed(logWindow));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // Each clip's entry: when it started, its status, how long it took and its source, then what
    // its row says, indented.
    const QStringList shown = logWindow->text().split(QLatin1Char('\n'));
    int line = 0;
    for (int row = 0; row < 3; ++row) {
        const QRegularExpression header(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  %1  \\d+\\.\\d s  %2$")
                .arg(QString::fromLatin1(rows[row].status), QRegularExpression::escape(clips[row])));
        QVERIFY2(header.match(shown.value(line++)).hasMatch(), qPrintable(shown.value(line - 1)));
        for (const QString &said : descriptions[row].split(QLatin1Char('\n')))
            QCOMPARE(shown.value(line++), QStringLiteral("    ") + said);
    }
    QCOMPARE(line, shown.size());
    QTest::mouseClick(logWindow->copyButton, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), logWindow->text());
    const QString batchLog = m_appFolder.filePath(QStringLiteral("batch.log"));
    QCOMPARE(QString::fromUtf8(readFile(batchLog)), logWindow->text() + QLatin1Char('\n'));

    // The notes are replaced by a clip; the cut clip stays cut.
    const FileStamp goodOutput(list->subItem(0, 0));
    writeRealMediaClip(clips[1], 300000);
    m_form->batchCommands().RetryFailed1->trigger();
    QCOMPARE(list->subItem(2, 1), RowStatus::toBeProcessed);
    QCOMPARE(cellText(list, 2, 2, QAccessible::Description), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->runner().isRunning(), 20000);
    QCOMPARE((QStringList{list->subItem(0, 1), list->subItem(1, 1), list->subItem(2, 1)}),
             (QStringList{"Success", "Success", "Failure"}));
    QVERIFY(FileStamp(list->subItem(0, 0)) == goodOutput);
    QCOMPARE(RealMediaTest::readClip(list->subItem(1, 0)).error, QString());
    QVERIFY(cellText(list, 1, 2, QAccessible::Description).contains(QStringLiteral("Source is RealMedia")));
    QCOMPARE(cellText(list, 0, 2, QAccessible::Description), descriptions[0]);
    QCOMPARE(cellText(list, 2, 2, QAccessible::Description), descriptions[2]);

    // The list's own menu retries the one row still failing.
    const FileStamp retriedOutput(list->subItem(1, 0));
    m_form->batchCommands().RetryFailed2->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->runner().isRunning(), 20000);
    QVERIFY(FileStamp(list->subItem(0, 0)) == goodOutput);
    QVERIFY(FileStamp(list->subItem(1, 0)) == retriedOutput);
    QCOMPARE(list->subItem(2, 1), RowStatus::failure);
    const QString log = logWindow->text();
    QCOMPARE(log.count(QStringLiteral("  Success  ")), 2);
    QCOMPARE(log.count(QStringLiteral("  Failure  ")), 4);
    QCOMPARE(QString::fromUtf8(readFile(batchLog)), log + QLatin1Char('\n'));
    QCOMPARE(prompts.messageTexts().count(QStringLiteral("Processing finish!")), 3);
    logWindow->close();
}

void ScreenTest::batchEndAsksForAttention_data()
{
    QTest::addColumn<bool>("mainWindowActive");
    QTest::addColumn<bool>("asks");
    QTest::newRow("another window active") << false << true;
    QTest::newRow("the main window active") << true << false;
}

// The window system learns of it while "Processing finish!" waits to be read.
void ScreenTest::batchEndAsksForAttention()
{
    QFETCH(bool, mainWindowActive);
    QFETCH(bool, asks);
    QTemporaryDir folder;
    const QString clip = folder.filePath(QStringLiteral("a.rm"));
    writeRealMediaClip(clip, 100000);
    m_form->AddClip(clip);
    // Activating the window ends any request for attention it made before.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QWidget other;
    other.setWindowTitle(QStringLiteral("Another program"));
    if (!mainWindowActive) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }

    AttentionRequests requests;
    RecordingPrompts prompts;
    bool askedAtNotice = false;
    prompts.whileMessageShown = [&](const RecordingPrompts::Message &message) {
        if (message.text == QLatin1String("Processing finish!"))
            askedAtNotice = requests.cameFrom(*m_form);
    };
    m_form->actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->runner().isRunning(), 20000);
    QCOMPARE(prompts.messageTexts(), QStringList{"Processing finish!"});
    QCOMPARE(askedAtNotice, asks);
}

void ScreenTest::undoKeysInATextFieldAreTheFields_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Ctrl+Z") << QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    QTest::newRow("Ctrl+Shift+Z") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    QTest::newRow("Ctrl+Y") << QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

// On this desktop the text fields know Ctrl+Shift+Z but not Ctrl+Y as their redo key: neither
// may reach the window's history while the person types, which has a step to undo and one to redo.
void ScreenTest::undoKeysInATextFieldAreTheFields()
{
    QFETCH(QKeyCombination, key);
    UndoCommands &undo = m_form->undoCommands();
    JobSettings settings;
    settings.timeEvents = {{"00:00:01.0", "00:00:02.0", "External Browser", "http://a.example/"}};
    settings.clipInformation.title = {true, "Title"};
    m_form->applySettings(settings);
    m_form->actClearEventsExecute();
    m_form->lvFiles->addRow(QStringLiteral("a.rm"), {QStringLiteral("Done_a.rm"), RowStatus::toBeProcessed});
    m_form->lvFiles->selectRow(0);
    m_form->actRemoveItemExecute();
    undo.actUndoExecute();
    QCOMPARE(undo.history().index(), 1);

    m_form->RzPageControl1->setCurrentIndex(2);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QLineEdit *title = m_form->clipInformation->Edit1;
    title->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), title);
    QTest::keyClicks(title, QStringLiteral(" typed"));
    QTest::keyClick(title, key.key(), key.keyboardModifiers());
    const bool fieldUndo = key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    QCOMPARE(title->text(), fieldUndo ? QStringLiteral("Title") : QStringLiteral("Title typed"));
    QCOMPARE(undo.history().index(), 1);
    QCOMPARE(m_form->lvEvents->rowCount(), 0);
    QCOMPARE(m_form->lvFiles->rowCount(), 1);
    undo.clear();
}

// In the Clip Values window a value the clip takes from the batch is drawn grey and said to be the
// batch's; the clip's own is drawn in the text colour and said plainly.
void ScreenTest::clipValuesTellTheBatchsApart()
{
    ClipInformation information;
    information.title = {true, QStringLiteral("Weekly {name}")};
    m_form->clipInformation->setClipInformation(information);
    m_form->AddClip(QStringLiteral("/clips/intro.rm"));
    ClipValues own;
    own.setItem(ClipItem::Author, QStringLiteral("Ann for {name}"));
    m_form->fileList().setClipValues(0, own);
    m_form->clipValuesCommands().actClipValuesExecute();
    ClipValuesWindow *window = m_form->clipValuesCommands().clipValuesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const int titleColumn = ClipValuesModel::firstItemColumn + int(ClipItem::Title);
    const int authorColumn = ClipValuesModel::firstItemColumn + int(ClipItem::Author);
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(window->table);
    QVERIFY(interface && interface->tableInterface());
    const auto spoken = [&](int column) { return interface->tableInterface()->cellAt(0, column)->text(QAccessible::Name); };
    QCOMPARE(spoken(titleColumn), QStringLiteral("Title: Weekly intro (from the batch)"));
    QCOMPARE(spoken(authorColumn), QStringLiteral("Author: Ann for intro"));

    const auto cellPixels = [&](int column) {
        const QRect cell = window->table->visualRect(window->table->model()->index(0, column));
        return screenPixels(*window->table->viewport()).copy(cell.adjusted(1, 1, -1, -1));
    };
    const QColor background = window->table->viewport()->palette().color(QPalette::Base);
    const QColor titleColour = textColour(cellPixels(titleColumn), background);
    const QColor authorColour = textColour(cellPixels(authorColumn), background);
    QVERIFY2(near(titleColour, ClipValuesModel::inheritedColour), qPrintable(titleColour.name()));
    QVERIFY2(near(authorColour, window->table->palette().color(QPalette::Text)), qPrintable(authorColour.name()));
    window->close();
    m_form->clipInformation->setClipInformation(ClipInformation());
}

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
