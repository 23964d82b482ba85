// The Clip Values window: its cells, edits, import and export, the question on quitting, and
// a values table given at start.
#include "TestSupport.h"

#include "app/ClipValuesCommands.h"
#include "app/FileList.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "app/UndoCommands.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/ClipValuesModel.h"
#include "dialogs/ClipValuesWindow.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class ClipValuesWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowFromTheEditMenu();
    void cells_data();
    void cells();
    void editsSetAndGiveBackValues_data();
    void editsSetAndGiveBackValues();
    void followsTheListAndTheTabs();
    void wholeRowsKeepTheirValues();
    void importTellsWhatMatched_data();
    void importTellsWhatMatched();
    void refusedImportChangesNothing();
    void exportReadsBackTheSameValues();
    void exportNeverWritesOverAClip();
    void questionOnQuitting_data();
    void questionOnQuitting();
    void valuesTableAtStart();

private:
    ClipValuesWindow *openWindow();
    QAbstractItemModel *table() { return m_window->table->model(); }
    QString cell(int row, int column, int role = Qt::DisplayRole)
    {
        return table()->index(row, column).data(role).toString();
    }
    bool inherited(int row, int column)
    {
        return table()->index(row, column).data(Qt::ForegroundRole).value<QColor>() == ClipValuesModel::inheritedColour;
    }
    void addClips(const QStringList &names);
    ClipValues valuesOf(int row) { return m_form->fileList().clipValues(row); }

    std::unique_ptr<TemporaryAppFolder> m_appFolder;
    std::unique_ptr<QTemporaryDir> m_clips;
    std::unique_ptr<RecordingPrompts> m_prompts;
    std::unique_ptr<TForm1> m_form;
    ClipValuesWindow *m_window = nullptr;
    QStringList m_paths;
};

namespace {

const int title = ClipValuesModel::firstItemColumn + int(ClipItem::Title);
const int description = ClipValuesModel::firstItemColumn + int(ClipItem::Description);
const int showText = ClipValuesModel::firstItemColumn + int(ClipItem::ShowText);
const int popUpUrl = ClipValuesModel::firstItemColumn + int(ClipItem::PopUpUrl);

const QByteArray bom = "\xEF\xBB\xBF";

ClipValues titled(const QString &text)
{
    ClipValues values;
    values.setItem(ClipItem::Title, text);
    return values;
}

// Writes into the cell through the table's own editor and presses Enter, as a person does.
void typeIntoCell(QTableView *view, int row, int column, const QString &text)
{
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    editor->insert(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!view->indexWidget(index));
}

} // namespace

void ClipValuesWindowTest::init()
{
    m_appFolder = std::make_unique<TemporaryAppFolder>();
    m_clips = std::make_unique<QTemporaryDir>();
    m_prompts = std::make_unique<RecordingPrompts>();
    m_form = std::make_unique<TForm1>();
    m_window = nullptr;
    m_paths.clear();
}

void ClipValuesWindowTest::cleanup()
{
    m_form.reset();
    m_prompts.reset();
    m_clips.reset();
    m_appFolder.reset();
}

void ClipValuesWindowTest::addClips(const QStringList &names)
{
    for (const QString &name : names) {
        const QString path = m_clips->filePath(name);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        writeClip(path, 1000);
        QVERIFY(m_form->AddClip(path));
        m_paths.append(path);
    }
}

ClipValuesWindow *ClipValuesWindowTest::openWindow()
{
    m_form->clipValuesCommands().ClipValues1->trigger();
    m_window = m_form->clipValuesCommands().clipValuesWindow();
    return m_window;
}

void ClipValuesWindowTest::windowFromTheEditMenu()
{
    QAction *item = m_form->clipValuesCommands().ClipValues1;
    QCOMPARE(item->text(), QStringLiteral("Clip Values..."));
    QCOMPARE(m_form->menuOf("ClipValues1"), m_form->menuOf("EditItem1"));
    // Outside the window's components, so the language file's keys stay as they were.
    QVERIFY(!m_form->Components().contains(item));

    addClips({"a.rm"});
    ClipValuesWindow *window = openWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Clip Values"));
    QCOMPARE(window->isModal(), false);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QStringList headings;
    for (int column = 0; column < table()->columnCount(); ++column)
        headings.append(table()->headerData(column, Qt::Horizontal).toString());
    QCOMPARE(headings, (QStringList{"Clip", "Title", "Copyright", "Author", "Keywords", "Description", "Show Text",
                                    "Pop-up URL"}));
    QCOMPARE((QStringList{window->importButton->text(), window->exportButton->text()}),
             (QStringList{"Import...", "Export..."}));
    QTest::mouseClick(window->closeButton, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    // Opened again, it is the same window.
    QCOMPARE(openWindow(), window);
}

void ClipValuesWindowTest::cells_data()
{
    QTest::addColumn<QString>("batchTitle");
    QTest::addColumn<bool>("batchTitleOn");
    QTest::addColumn<bool>("clickOn");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("grey");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("the batch's title, filled") << "Weekly {name} #{index}" << true << false << title << "" << "Weekly two & more #2"
                                               << true << "Title: Weekly two & more #2 (from the batch)";
    QTest::newRow("own title, filled") << "Weekly" << true << false << title << "{folder}: {file}"
                                       << "week 1: two & more.rm" << false << "Title: week 1: two & more.rm";
    QTest::newRow("own title over an item the batch leaves off")
        << "Weekly" << false << false << title << "Mine" << "Mine" << false << "Title: Mine";
    QTest::newRow("switched off for the clip") << "Weekly" << true << false << title << "-" << "" << false
                                               << "Title: off for this clip";
    QTest::newRow("item the batch leaves off") << "Weekly" << false << false << title << "" << "" << true
                                               << "Title: none";
    QTest::newRow("unknown word stays") << "{unknownword}" << true << false << title << "" << "{unknownword}" << true
                                        << "Title: {unknownword} (from the batch)";
    QTest::newRow("show text without the click event") << "" << false << false << showText << "" << "" << true
                                                       << "Show Text: none";
    QTest::newRow("show text of the batch's click event") << "" << false << true << showText << "" << "Visit {"
                                                          << true << "Show Text: Visit { (from the batch)";
    QTest::newRow("own pop-up URL switches the click event on, encoded")
        << "" << false << false << popUpUrl << "http://x.example/{name}" << "http://x.example/two%20%26%20more"
        << false << "Pop-up URL: http://x.example/two%20%26%20more";
    QTest::newRow("show text switched off for the clip")
        << "" << false << true << showText << "-" << "" << false << "Show Text: off for this clip";
}

// Each cell shows the text the clip will get, the batch's apart from the clip's own.
void ClipValuesWindowTest::cells()
{
    QFETCH(QString, batchTitle);
    QFETCH(bool, batchTitleOn);
    QFETCH(bool, clickOn);
    QFETCH(int, column);
    QFETCH(QString, own);
    QFETCH(QString, shown);
    QFETCH(bool, grey);
    QFETCH(QString, spoken);
    addClips({"intro.rm", "week 1/two & more.rm"});
    ClipInformation information;
    information.title = {batchTitleOn, batchTitle};
    m_form->clipInformation->setClipInformation(information);
    ClickMap map;
    map.popUpUrl = QStringLiteral("http://batch.example/");
    map.showText = QStringLiteral("Visit {");
    m_form->clickEvents->setClickEvent(clickOn, map);
    ClipValues values;
    values.setItem(ClipItem(column - ClipValuesModel::firstItemColumn), own);
    m_form->fileList().setClipValues(1, values);
    openWindow();

    QCOMPARE(cell(1, column), shown);
    QCOMPARE(inherited(1, column), grey);
    QCOMPARE(cell(1, column, Qt::AccessibleTextRole), spoken);
    QCOMPARE(cell(1, column, Qt::EditRole), own);
    // The clip's name, and its whole path where the pointer rests.
    QCOMPARE(cell(1, ClipValuesModel::clipColumn), QStringLiteral("two & more.rm"));
    QCOMPARE(cell(1, ClipValuesModel::clipColumn, Qt::ToolTipRole), m_paths[1]);
    QVERIFY(!(table()->flags(table()->index(1, ClipValuesModel::clipColumn)) & Qt::ItemIsEditable));
}

void ClipValuesWindowTest::editsSetAndGiveBackValues_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("grey");
    QTest::newRow("own title with a placeholder") << title << "Show {index}" << "Show {index}" << "Show 1" << false;
    QTest::newRow("title switched off") << title << "-" << "-" << "" << false;
    QTest::newRow("emptied: the batch's again") << title << "" << "" << "Batch" << true;
    QTest::newRow("own description") << description << "About {name}" << "About {name}" << "About a" << false;
    // A title goes into one line of a script, and an export of it must import again.
    QTest::newRow("a line break in a title: a space") << title << "Two\r\nlines" << "Two lines" << "Two lines" << false;
}

void ClipValuesWindowTest::editsSetAndGiveBackValues()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, own);
    QFETCH(QString, shown);
    QFETCH(bool, grey);
    addClips({"a.rm", "b.rm"});
    ClipInformation information;
    information.title = {true, QStringLiteral("Batch")};
    m_form->clipInformation->setClipInformation(information);
    // Every edit starts from an own value, so that emptying has one to give back.
    m_form->fileList().setClipValues(0, titled(QStringLiteral("Before")));
    openWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));

    typeIntoCell(m_window->table, 0, column, typed);
    QCOMPARE(valuesOf(0).item(ClipItem(column - ClipValuesModel::firstItemColumn)), own);
    QCOMPARE(cell(0, column), shown);
    QCOMPARE(inherited(0, column), grey);
    QVERIFY(m_form->clipValuesCommands().valuesChanged());
    // The other clip keeps the batch's.
    QCOMPARE(valuesOf(1), ClipValues());
    QCOMPARE(cell(1, title), QStringLiteral("Batch"));
}

// Rows added, removed and cleared, and the tabs' texts, show at once; a removed row's values go with it.
void ClipValuesWindowTest::followsTheListAndTheTabs()
{
    addClips({"a.rm", "b.rm", "c.rm"});
    openWindow();
    m_form->clipInformation->CheckBox1->click();
    m_form->clipInformation->Edit1->setText(QStringLiteral("Clip {index}"));
    QCOMPARE((QStringList{cell(0, title), cell(1, title), cell(2, title)}),
             (QStringList{"Clip 1", "Clip 2", "Clip 3"}));
    m_form->fileList().setClipValues(1, titled(QStringLiteral("Own B")));
    m_form->fileList().setClipValues(2, titled(QStringLiteral("Own {index}")));
    QCOMPARE(cell(1, title), QStringLiteral("Own B"));

    m_form->lvFiles->selectRow(1);
    m_form->actRemoveItemExecute();
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(1, ClipValuesModel::clipColumn), QStringLiteral("c.rm"));
    // c.rm moved up: its {index} too.
    QCOMPARE(cell(1, title), QStringLiteral("Own 2"));
    // Listed again, b.rm has no values left.
    QVERIFY(m_form->AddClip(m_paths[1]));
    QCOMPARE(table()->rowCount(), 3);
    QCOMPARE(valuesOf(2), ClipValues());
    QCOMPARE(cell(2, title), QStringLiteral("Clip 3"));
    QVERIFY(inherited(2, title));

    m_form->clickEvents->Edit4->setText(QStringLiteral("See {name}"));
    QCOMPARE(cell(2, showText), QStringLiteral("See b"));
    m_form->clickEvents->CheckBox4->click();
    QCOMPARE(cell(2, showText), QString());

    m_form->actClearItemsExecute();
    QCOMPARE(table()->rowCount(), 0);
    addClips({"c.rm"});
    QCOMPARE(valuesOf(0), ClipValues());

    // A clip listed after a table came fills the table's columns as an empty cell, as a clip
    // without a row does; the batch merges what the window shows.
    const QString tablePath = m_clips->filePath(QStringLiteral("places.csv"));
    writeFile(tablePath, "SourceFile,Place\nc.rm,Oslo\n");
    QVERIFY(m_form->clipValuesCommands().importValues(tablePath));
    addClips({"d.rm"});
    m_form->clipInformation->Edit1->setText(QStringLiteral("In {Place}."));
    QCOMPARE((QStringList{cell(0, title), cell(1, title)}), (QStringList{"In Oslo.", "In ."}));
    for (int row = 0; row < 2; ++row)
        QCOMPARE(m_form->rowJobSettings(row, {m_paths[row + 3], row + 1, QDate::currentDate()}).clipInformation.title.text,
                 cell(row, title));
}

// A row taken whole and put back keeps its values, its place and its status.
void ClipValuesWindowTest::wholeRowsKeepTheirValues()
{
    addClips({"a.rm", "b.rm", "c.rm"});
    openWindow();
    ClipValues values = titled(QStringLiteral("Bee"));
    values.cells.insert(QStringLiteral("Place"), QStringLiteral("Oslo"));
    FileList &files = m_form->fileList();
    files.setClipValues(1, values);
    files.setStatus(1, QStringLiteral("Failure"));
    files.setDetails(1, {QStringLiteral("first line"), QStringLiteral("second line")});
    files.markOutputSetByHand(1);
    const QString output = files.outputPath(1);

    const FileRow row = files.takeRow(1);
    QCOMPARE(table()->rowCount(), 2);
    QCOMPARE(cell(1, ClipValuesModel::clipColumn), QStringLiteral("c.rm"));
    QCOMPARE(row.values, values);

    files.insertRow(1, row);
    QCOMPARE(files.sourcePath(1), m_paths[1]);
    QCOMPARE(files.outputPath(1), output);
    QCOMPARE(files.status(1), QStringLiteral("Failure"));
    QCOMPARE(files.details(1), QStringLiteral("first line\nsecond line"));
    QVERIFY(files.isOutputSetByHand(1));
    QCOMPARE(files.clipValues(1), values);
    QCOMPARE(cell(1, title), QStringLiteral("Bee"));
    QVERIFY(!inherited(1, title));
}

void ClipValuesWindowTest::importTellsWhatMatched_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("message");

    QTest::newRow("all matched, relative paths")
        << QByteArray("SourceFile,Title\r\na.rm,Alpha\r\nb.rm,Beta\r\n") << QStringList{"Alpha", "Beta"}
        << "Clip values imported from \"@table.csv\": 2 rows matched a listed clip.";
    QTest::newRow("a row of another clip, a clip without a row")
        << QByteArray("SourceFile,Title\na.rm,Alpha\ngone.rm,Gone\n") << QStringList{"Alpha", ""}
        << "Clip values imported from \"@table.csv\": 1 row matched a listed clip.\n\n"
           "1 row matched no listed clip:\n- gone.rm\n\n1 listed clip has no row of its own.";
    QTest::newRow("the * row, semicolons, an own column")
        << QByteArray("SourceFile;Title;Place\n*;{Place} show;Here\n@b.rm;;There\n") << QStringList{"Here show", "There show"}
        << "Clip values imported from \"@table.csv\": 1 row matched a listed clip.\n\n"
           "1 listed clip has no row of its own.";
    QTest::newRow("Windows-1252 told")
        << QByteArray("SourceFile,Title\na.rm,Caf\xE9\nb.rm,B\n") << QStringList{QString::fromUtf8("Café"), "B"}
        << "Clip values imported from \"@table.csv\": 2 rows matched a listed clip.\n\n"
           "The file is not UTF-8; it was read as Windows-1252, as a spreadsheet's plain CSV export writes it.";
}

// Import... reads the table the person chooses and says in one message what matched.
void ClipValuesWindowTest::importTellsWhatMatched()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, titles);
    QFETCH(QString, message);
    addClips({"a.rm", "b.rm"});
    const QString tablePath = m_clips->filePath(QStringLiteral("table.csv"));
    writeFile(tablePath, csv.replace("@", m_clips->path().toUtf8() + "/"));
    m_form->fileList().setClipValues(1, titled(QStringLiteral("Replaced by the table")));
    openWindow();
    m_prompts->filesToChoose = {tablePath};
    QTest::mouseClick(m_window->importButton, Qt::LeftButton);

    QCOMPARE(m_prompts->fileDialogs.size(), 1);
    QVERIFY(!m_prompts->fileDialogs[0].saving);
    QCOMPARE(m_prompts->messageTexts(), QStringList{message.replace(QLatin1Char('@'), m_clips->path() + "/")});
    for (int row = 0; row < titles.size(); ++row)
        QCOMPARE(cell(row, title), titles[row]);
    QVERIFY(!m_form->clipValuesCommands().valuesChanged());
}

// A refused table: its one message, and the values, columns and cells as they were.
void ClipValuesWindowTest::refusedImportChangesNothing()
{
    addClips({"a.rm"});
    const QString good = m_clips->filePath(QStringLiteral("good.csv"));
    writeFile(good, "SourceFile,Title,Place\na.rm,Alpha,Here\n");
    QVERIFY(m_form->clipValuesCommands().importValues(good));
    openWindow();
    typeIntoCell(m_window->table, 0, title, QStringLiteral("Edited"));
    const ClipValues before = valuesOf(0);
    m_prompts->messages.clear();

    const QString bad = m_clips->filePath(QStringLiteral("bad.csv"));
    writeFile(bad, "SourceFile,Title\na.rm,\"open quote\n");
    QVERIFY(!m_form->clipValuesCommands().importValues(bad));
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages[0].icon, UserPrompts::Icon::Error);
    QVERIFY2(m_prompts->messages[0].text.contains(bad), qPrintable(m_prompts->messages[0].text));
    QCOMPARE(valuesOf(0), before);
    QCOMPARE(table()->headerData(ClipValuesModel::firstOwnColumn, Qt::Horizontal).toString(), QStringLiteral("Place"));
    QCOMPARE(cell(0, title), QStringLiteral("Edited"));
    QVERIFY(m_form->clipValuesCommands().valuesChanged());
}

// Export... writes the listed clips' own values; importing the file gives the same values back.
void ClipValuesWindowTest::exportReadsBackTheSameValues()
{
    addClips({"a.rm", "b.rm", QString::fromUtf8("ç/“c”.rmvb")});
    const QString source = m_clips->filePath(QStringLiteral("source.csv"));
    writeFile(source, "SourceFile,Title,Place\na.rm,,x\n");
    QVERIFY(m_form->clipValuesCommands().importValues(source));
    openWindow();
    typeIntoCell(m_window->table, 0, title, QStringLiteral("Comma, \"quoted\""));
    typeIntoCell(m_window->table, 1, ClipValuesModel::firstOwnColumn, QString::fromUtf8("Zürich"));
    typeIntoCell(m_window->table, 2, popUpUrl, QStringLiteral("-"));
    ClipValues described = valuesOf(2);
    described.setItem(ClipItem::Description, QStringLiteral("Two\nlines {Place}"));
    m_form->fileList().setClipValues(2, described);
    const QList<ClipValues> before{valuesOf(0), valuesOf(1), valuesOf(2)};

    const QString exported = m_clips->filePath(QStringLiteral("exported"));
    m_prompts->filesToChoose = {exported};
    QTest::mouseClick(m_window->exportButton, Qt::LeftButton);
    QVERIFY(m_prompts->fileDialogs.last().saving);
    // No extension typed: the table's own is added.
    const QByteArray bytes = readFile(exported + QStringLiteral(".csv"));
    QVERIFY(bytes.startsWith(bom + "SourceFile,Title,Copyright,Author,Keywords,Description,ShowText,PopUpUrl,Place\r\n"));
    QVERIFY(bytes.contains(m_paths[0].toUtf8() + ",\"Comma, \"\"quoted\"\"\","));
    QVERIFY(!m_form->clipValuesCommands().valuesChanged());

    m_form->actClearItemsExecute();
    addClips({"a.rm", "b.rm", QString::fromUtf8("ç/“c”.rmvb")});
    QCOMPARE(valuesOf(0), ClipValues());
    QVERIFY(m_form->clipValuesCommands().importValues(exported + QStringLiteral(".csv")));
    QCOMPARE((QList<ClipValues>{valuesOf(0), valuesOf(1), valuesOf(2)}), before);
    QCOMPARE(cell(1, ClipValuesModel::firstOwnColumn), QString::fromUtf8("Zürich"));
}

// A slip in the save dialog that names a clip leaves the clip as it was.
void ClipValuesWindowTest::exportNeverWritesOverAClip()
{
    addClips({"a.rm"});
    m_form->fileList().setClipValues(0, titled(QStringLiteral("A")));
    const QByteArray clipBytes = readFile(m_paths[0]);
    const QString other = m_clips->filePath(QStringLiteral("other.RMVB"));
    writeClip(other, 500);
    const QByteArray otherBytes = readFile(other);
    openWindow();
    for (const QString &target : {m_paths[0], other}) {
        m_prompts->messages.clear();
        m_prompts->filesToChoose = {target};
        QTest::mouseClick(m_window->exportButton, Qt::LeftButton);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY2(m_prompts->messages[0].text.contains(QStringLiteral("not exported")), qPrintable(m_prompts->messages[0].text));
    }
    QCOMPARE(readFile(m_paths[0]), clipBytes);
    QCOMPARE(readFile(other), otherBytes);
}

void ClipValuesWindowTest::questionOnQuitting_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QList<UserPrompts::Answer>>("answers");
    QTest::addColumn<QString>("exportTo");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("exported");
    using A = UserPrompts::Answer;
    QTest::newRow("nothing changed: no question") << false << QList<A>{} << "" << 0 << true << false;
    QTest::newRow("yes exports, then quits") << true << QList<A>{A::Yes} << "quit.csv" << 1 << true << true;
    QTest::newRow("yes, save dialog cancelled: stays") << true << QList<A>{A::Yes} << "" << 1 << false << false;
    QTest::newRow("no quits without exporting") << true << QList<A>{A::No} << "quit.csv" << 1 << true << false;
    QTest::newRow("cancel stays") << true << QList<A>{A::Cancel} << "quit.csv" << 1 << false << false;
}

void ClipValuesWindowTest::questionOnQuitting()
{
    QFETCH(bool, edited);
    QFETCH(QList<UserPrompts::Answer>, answers);
    QFETCH(QString, exportTo);
    QFETCH(int, questions);
    QFETCH(bool, closed);
    QFETCH(bool, exported);
    addClips({"a.rm"});
    m_form->show();
    openWindow();
    if (edited)
        typeIntoCell(m_window->table, 0, title, QStringLiteral("Kept"));
    m_prompts->answers = answers;
    const QString exportPath = exportTo.isEmpty() ? QString() : m_clips->filePath(exportTo);
    if (!exportPath.isEmpty())
        m_prompts->filesToChoose = {exportPath};

    QCOMPARE(m_form->close(), closed);
    QCOMPARE(m_prompts->questions.size(), questions);
    if (questions > 0)
        QCOMPARE(m_prompts->questions[0].text,
                 QStringLiteral("The clip values have changed since they were last imported or exported. Export "
                                "them before quitting?"));
    QCOMPARE(m_form->isVisible(), !closed);
    QCOMPARE(QFile::exists(m_clips->filePath(QStringLiteral("quit.csv"))), exported);
    if (exported)
        QVERIFY(readFile(m_clips->filePath(QStringLiteral("quit.csv"))).contains(",Kept,"));
    QCOMPARE(valuesOf(0).item(ClipItem::Title), QString(edited ? "Kept" : ""));
    // Still open: answered no, it closes.
    if (!closed) {
        m_prompts->answers = {UserPrompts::Answer::No};
        QVERIFY(m_form->close());
    }
}

// clipvane --values FILE CLIP...: the clips listed, then the table's values given to them.
void ClipValuesWindowTest::valuesTableAtStart()
{
    m_form.reset();
    const QString tablePath = m_clips->filePath(QStringLiteral("start.csv"));
    writeFile(tablePath, bom + "sourcefile,TITLE\r\none.rm,First\r\ntwo.rm,Second\r\n");
    writeClip(m_clips->filePath(QStringLiteral("one.rm")), 100);
    writeClip(m_clips->filePath(QStringLiteral("two.rm")), 100);
    m_form = createMainWindow(m_appFolder->path(), {QStringLiteral("--values"), tablePath,
                                                    m_clips->filePath(QStringLiteral("one.rm")),
                                                    m_clips->filePath(QStringLiteral("two.rm"))});
    QVERIFY(m_form);
    QCOMPARE(m_form->lvFiles->rowCount(), 2);
    QCOMPARE(valuesOf(0).item(ClipItem::Title), QStringLiteral("First"));
    QCOMPARE(valuesOf(1).item(ClipItem::Title), QStringLiteral("Second"));
    QCOMPARE(m_prompts->messageTexts(),
             QStringList{QStringLiteral("Clip values imported from \"%1\": 2 rows matched a listed clip.").arg(tablePath)});
    QVERIFY(!m_form->undoCommands().canUndo());
    openWindow();
    QCOMPARE(cell(1, title), QStringLiteral("Second"));
    QVERIFY(!m_form->clipValuesCommands().valuesChanged());
}

QTEST_MAIN(ClipValuesWindowTest)
#include "tst_clipvalueswindow.moc"
