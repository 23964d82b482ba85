// What a person sees and what assistive technology reads, on a real X server (run under Xvfb).
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "jobs/RowStatus.h"
#include "dialogs/AboutBox.h"
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
#include <QTest>
#include <QWindow>
#include <memory>

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

} // namespace

void ScreenTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs on an X server (Xvfb)");
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

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
