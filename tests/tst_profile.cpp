#include "RealMediaFixture.h"
#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/ProfileCommands.h"
#include "app/UndoCommands.h"
#include "app/FolderCommands.h"
#include "app/Startup.h"
#include "dialogs/ClickEventsPanel.h"
#include "dialogs/ClipInformationPanel.h"
#include "dialogs/OutputRuleDialog.h"
#include "jobs/BatchRunner.h"
#include "jobs/JobScripts.h"
#include "jobs/Profile.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(Profile)
Q_DECLARE_METATYPE(OutputRule)

class ProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void windowProfileWindowGivesTheSameScripts_data();
    void windowProfileWindowGivesTheSameScripts();
    void acceptedProfiles_data();
    void acceptedProfiles();
    void refusedProfilesChangeNothing_data();
    void refusedProfilesChangeNothing();
    void failedSaveLeavesTheOldProfileWhole();
    void recentProfilesFoldersAndWindowAreRemembered();
    void commandLineOpensTheProfileBeforeListing();
    void outputRule_data();
    void outputRule();
    void outputDialogSetsTheRule();
    void clashingOutputsFailWithNothingOverwritten();
    void foldersListEveryClipBelowOnce();

private:
    TemporaryAppFolder m_appFolder;
};

namespace {

Profile sampleProfile()
{
    Profile profile = Profile::startUp();
    profile.settings.timeEvents = {
        {"00:00:01.0", "00:00:20.0", "External Browser", "http://www.example.com/"},
        {"00:01:02.5", "00:02:00.0", "Media Browser", "http://example.org/a?b=c&d=e"},
        {"01:00:00.0", "60:60:60.9", "Related Info Pane", "http://例え.jp/ページ"},
    };
    return profile;
}

Profile withClipInformation(Profile profile)
{
    profile.settings.clipInformation = {{true, "Título «uno»"},
                                        {true, "© 2026 Clipvane"},
                                        {true, "作者"},
                                        {true, "news, \"quoted\", back\\slash"},
                                        {true, "Line one\nLine two\n"}};
    return profile;
}

Profile withClickMap(Profile profile, bool on)
{
    profile.settings.withMap = on;
    profile.settings.clickMap = {0, 45, 30, "http://pop.example/上", "Click me\tnow"};
    return profile;
}

// Sets the window as a person would leave its controls.
void showInWindow(TForm1 &form, const Profile &profile)
{
    form.lvEvents->clear();
    for (const TimeEventRow &row : profile.settings.timeEvents)
        form.lvEvents->addRow(row.start, {row.end, row.target, row.url});
    const ClickMap &map = profile.settings.clickMap;
    form.clickEvents->CheckBox4->setChecked(profile.settings.withMap);
    form.clickEvents->SpinEdit1->setValue(map.hours);
    form.clickEvents->SpinEdit2->setValue(map.minutes);
    form.clickEvents->SpinEdit3->setValue(map.seconds);
    form.clickEvents->Edit4->setText(map.showText);
    form.clickEvents->Edit5->setText(map.popUpUrl);
    const ClipInformation &information = profile.settings.clipInformation;
    ClipInformationPanel &panel = *form.clipInformation;
    panel.CheckBox1->setChecked(information.title.checked);
    panel.Edit1->setText(information.title.text);
    panel.CheckBox2->setChecked(information.copyright.checked);
    panel.Edit2->setText(information.copyright.text);
    panel.CheckBox3->setChecked(information.author.checked);
    panel.Edit3->setText(information.author.text);
    panel.chk1->setChecked(information.keywords.checked);
    panel.edt1->setText(information.keywords.text);
    panel.chk2->setChecked(information.description.checked);
    panel.mmo1->setPlainText(information.description.text);
    form.setOutputRule(profile.output);
}

// The two scripts a clip's job would get from the window, as bytes.
QByteArray scriptsOf(const TForm1 &form)
{
    QTemporaryDir folder;
    const JobSettings settings = form.jobSettings();
    WriteEvents(folder.path() + QLatin1Char('/'), settings);
    WriteMap(folder.path() + QLatin1Char('/'), settings);
    return readFile(folder.filePath(QStringLiteral("events.txt"))) + "\n--\n"
           + readFile(folder.filePath(QStringLiteral("maps.txt")));
}

QStringList column(const ListView &view, int index)
{
    QStringList texts;
    for (int row = 0; row < view.rowCount(); ++row)
        texts << (index < 0 ? view.caption(row) : view.subItem(row, index));
    return texts;
}

} // namespace

void ProfileTest::windowProfileWindowGivesTheSameScripts_data()
{
    QTest::addColumn<Profile>("profile");
    QTest::newRow("start-up values") << Profile::startUp();
    QTest::newRow("every target, tenths") << sampleProfile();
    QTest::newRow("click event off, non-ASCII texts") << withClickMap(sampleProfile(), false);
    QTest::newRow("click event on, all five clip-information lines")
        << withClipInformation(withClickMap(sampleProfile(), true));
    Profile unchecked = withClipInformation(Profile::startUp());
    unchecked.settings.clipInformation.author.checked = false;
    unchecked.settings.clipInformation.description.checked = false;
    unchecked.output = {"/srv/merged", "", true};
    QTest::newRow("unchecked texts kept, an output folder") << unchecked;
    Profile resumed = sampleProfile();
    resumed.output = {"/srv/merged", "m_", false, true, true};
    QTest::newRow("skipping up-to-date clips, keeping the source's date") << resumed;
}

void ProfileTest::windowProfileWindowGivesTheSameScripts()
{
    QFETCH(Profile, profile);
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("weekly.json"));
    TForm1 first;
    showInWindow(first, profile);
    QVERIFY(first.profileCommands().saveProfile(path));

    TForm1 second;
    QVERIFY(second.profileCommands().openProfile(path));
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(scriptsOf(second), scriptsOf(first));
    QCOMPARE(second.outputRule(), profile.output);
    // What the controls show, and so what is saved again, is the same file.
    QVERIFY(second.profileCommands().saveProfile(folder.filePath(QStringLiteral("again.json"))));
    QCOMPARE(readFile(folder.filePath(QStringLiteral("again.json"))), readFile(path));
    QCOMPARE(readFile(path), profileJson(profile));
    // The fields follow their switches, as after a click.
    QCOMPARE(second.clickEvents->Edit5->isEnabled(), profile.settings.withMap);
    QCOMPARE(second.clipInformation->Edit3->isEnabled(), profile.settings.clipInformation.author.checked);
}

void ProfileTest::acceptedProfiles_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<Profile>("expected");
    Profile readme = Profile::startUp();
    readme.settings.timeEvents = {{"00:00:05.0", "00:00:20.0", "External Browser", "http://www.example.com/"}};
    QTest::newRow("the README's example")
        << QByteArray(R"({
  "format": "clipvane-profile",
  "version": 1,
  "timeEvents": [
    {"start": "00:00:05.0", "end": "00:00:20.0", "target": "External Browser",
     "url": "http://www.example.com/"}
  ],
  "clickEvent": {"merge": true, "hours": 3, "minutes": 0, "seconds": 0,
                 "showText": "", "popUpUrl": ""},
  "clipInformation": {
    "title":       {"include": false, "text": ""},
    "copyright":   {"include": false, "text": ""},
    "author":      {"include": false, "text": ""},
    "keywords":    {"include": false, "text": ""},
    "description": {"include": false, "text": ""}
  },
  "output": {"folder": "", "prefix": "Done_", "keepTree": false, "skipExisting": false,
             "keepDate": false}
})") << readme;
    QTest::newRow("empty object: start-up values") << QByteArray("{}") << Profile::startUp();
    Profile partial = Profile::startUp();
    partial.settings.clickMap.minutes = 5;
    partial.settings.clipInformation.title.text = "Only text";
    partial.output.keepTree = true;
    QTest::newRow("only what changes, unknown keys ignored")
        << QByteArray(R"({"clickEvent": {"minutes": 5, "colour": "red"},
                         "clipInformation": {"title": {"text": "Only text"}},
                         "output": {"keepTree": true}, "comment": [1, 2]})")
        << partial;
    Profile resume = Profile::startUp();
    resume.output.skipExisting = true;
    resume.output.keepDate = true;
    QTest::newRow("resume, keeping the source's date")
        << QByteArray(R"({"output": {"skipExisting": true, "keepDate": true}})") << resume;
    Profile startAtZero = Profile::startUp();
    startAtZero.settings.timeEvents = {{"00:00:01.0", "00:00:00.0", "Media Browser", "http://"},
                                       {"00:00:00.5", "00:00:09.9", "External Browser", "http://"}};
    QTest::newRow("a start at zero is one second in; missing event keys")
        << QByteArray(R"({"timeEvents": [{"start": "00:00:00.0", "target": "Media Browser"},
                                        {"start": "00:00:00.5", "end": "00:00:09.9"}]})")
        << startAtZero;
}

void ProfileTest::acceptedProfiles()
{
    QFETCH(QByteArray, json);
    QFETCH(Profile, expected);
    QCOMPARE(QString::fromUtf8(profileJson(parseProfile(json, QStringLiteral("p.json")))),
             QString::fromUtf8(profileJson(expected)));
}

void ProfileTest::refusedProfilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem");
    QTest::newRow("not JSON") << QByteArray("{\n  \"version\": 1,\n  oops\n}") << "line 3, column ";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "line 1, column 1: a profile must be a JSON object";
    QTest::newRow("other format") << QByteArray(R"({"format": "handbrake-preset"})")
                                  << "format: \"handbrake-preset\" is not \"clipvane-profile\"";
    QTest::newRow("newer version") << QByteArray(R"({"version": 2})") << "version: version 2 is newer";
    QTest::newRow("version zero") << QByteArray(R"({"version": 0})") << "version: 0 is outside 1 to 1";
    QTest::newRow("version as text") << QByteArray(R"({"version": "1"})") << "version: must be a whole number";
    QTest::newRow("events not a list") << QByteArray(R"({"timeEvents": {}})") << "timeEvents: must be a list";
    QTest::newRow("event not an object") << QByteArray(R"({"timeEvents": ["x"]})")
                                         << "timeEvents[0]: must be an object";
    QTest::newRow("minutes over 60") << QByteArray(R"({"timeEvents": [{}, {"end": "00:61:00.0"}]})")
                                     << "timeEvents[1].end: \"00:61:00.0\" is not a time";
    QTest::newRow("time without tenths") << QByteArray(R"({"timeEvents": [{"start": "00:00:05"}]})")
                                         << "timeEvents[0].start: \"00:00:05\" is not a time";
    QTest::newRow("unknown target") << QByteArray(R"({"timeEvents": [{"target": "Popup"}]})")
                                    << "timeEvents[0].target: \"Popup\" is none of";
    QTest::newRow("url as number") << QByteArray(R"({"timeEvents": [{"url": 5}]})")
                                   << "timeEvents[0].url: must be a text in quotes";
    QTest::newRow("hours over 24") << QByteArray(R"({"clickEvent": {"hours": 25}})")
                                   << "clickEvent.hours: 25 is outside 0 to 24";
    QTest::newRow("negative seconds") << QByteArray(R"({"clickEvent": {"seconds": -1}})")
                                      << "clickEvent.seconds: -1 is outside 0 to 60";
    QTest::newRow("fractional minutes") << QByteArray(R"({"clickEvent": {"minutes": 1.5}})")
                                        << "clickEvent.minutes: must be a whole number";
    QTest::newRow("merge as text") << QByteArray(R"({"clickEvent": {"merge": "yes"}})")
                                   << "clickEvent.merge: must be true or false";
    QTest::newRow("include as null") << QByteArray(R"({"clipInformation": {"title": {"include": null}}})")
                                     << "clipInformation.title.include: must be true or false";
    QTest::newRow("clip item not an object") << QByteArray(R"({"clipInformation": {"author": "me"}})")
                                              << "clipInformation.author: must be an object";
    QTest::newRow("skipExisting as text") << QByteArray(R"({"output": {"skipExisting": "yes"}})")
                                          << "output.skipExisting: must be true or false";
    QTest::newRow("keepDate as number") << QByteArray(R"({"output": {"keepDate": 1}})")
                                        << "output.keepDate: must be true or false";
    QTest::newRow("empty prefix beside the source") << QByteArray(R"({"output": {"prefix": ""}})")
                                                    << "output.prefix: The prefix may be empty only";

    // A line break would let the rest of a text pass for a script line of its own.
    const struct {
        const char *name;
        const char *json;
        const char *key;
    } oneLineTexts[] = {
        {"an event line after the title",
         R"({"clipInformation": {"title": {"include": true,
             "text": "Nice\nu 00:00:01.0 00:00:09.0 &&_rpexternal&&http://evil.example/"}}})",
         "clipInformation.title.text"},
        {"CR LF in the copyright", R"({"clipInformation": {"copyright": {"text": "a\r\nb"}}})",
         "clipInformation.copyright.text"},
        {"CR in the author, left out", R"({"clipInformation": {"author": {"include": false, "text": "a\rb"}}})",
         "clipInformation.author.text"},
        {"LF ending the keywords", R"({"clipInformation": {"keywords": {"text": "k\n"}}})",
         "clipInformation.keywords.text"},
        {"LF in the second event's URL", R"({"timeEvents": [{}, {"url": "http://a/\nhttp://b/"}]})",
         "timeEvents[1].url"},
        {"CR in the show text", R"({"clickEvent": {"showText": "Click\rme"}})", "clickEvent.showText"},
        {"LF in the pop-up URL, click event off", R"({"clickEvent": {"merge": false, "popUpUrl": "\nhttp://b/"}})",
         "clickEvent.popUpUrl"},
    };
    for (const auto &text : oneLineTexts)
        QTest::newRow(text.name) << QByteArray(text.json)
                                 << QString::fromLatin1(text.key) + QStringLiteral(": must be one line, without line breaks.");
}

void ProfileTest::refusedProfilesChangeNothing()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("broken profile.json"));
    writeFile(path, json);
    TForm1 form;
    const Profile before = withClipInformation(withClickMap(sampleProfile(), false));
    showInWindow(form, before);
    const QByteArray scriptsBefore = scriptsOf(form);

    QVERIFY(!form.profileCommands().openProfile(path));
    QCOMPARE(prompts.messages.size(), 1);
    const QString message = prompts.messages[0].text;
    QVERIFY2(message.startsWith(QStringLiteral("The profile \"%1\" can't be used: ").arg(path)), qPrintable(message));
    QVERIFY2(message.contains(problem), qPrintable(message));
    QCOMPARE(prompts.messages[0].icon, UserPrompts::Icon::Error);
    QCOMPARE(scriptsOf(form), scriptsBefore);
    QCOMPARE(profileJson(form.setup()), profileJson(before));
    QVERIFY(form.profileCommands().profilePath().isEmpty());
}

// A full disk is played by the limit on file size, which binds root too.
void ProfileTest::failedSaveLeavesTheOldProfileWhole()
{
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("weekly.json"));
    TForm1 form;
    QVERIFY(form.profileCommands().saveProfile(path));
    const QByteArray old = readFile(path);
    showInWindow(form, withClipInformation(sampleProfile()));

    bool saved = true;
    {
        const FileSizeLimit fullDisk(64);
        saved = form.profileCommands().saveProfile(path);
    }
    QVERIFY(!saved);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"weekly.json"});
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY2(prompts.messages[0].text.startsWith(QStringLiteral("Cannot save the profile \"%1\": only 64 of ").arg(path)),
             qPrintable(prompts.messages[0].text));

    // A folder where the profile should go is not written over either.
    const QString taken = folder.filePath(QStringLiteral("taken.json"));
    QVERIFY(QDir().mkdir(taken));
    QVERIFY(!form.profileCommands().saveProfile(taken));
    QVERIFY(QFileInfo(taken).isDir());
    QCOMPARE(prompts.messages.size(), 2);
}

void ProfileTest::recentProfilesFoldersAndWindowAreRemembered()
{
    TemporaryAppFolder appFolder;
    QTemporaryDir folder;
    const QString clipFolder = folder.filePath(QStringLiteral("clips"));
    const QString profileFolder = folder.filePath(QStringLiteral("profiles"));
    QDir().mkpath(clipFolder);
    QDir().mkpath(profileFolder);
    writeClip(clipFolder + QStringLiteral("/a.rm"), 100);
    QByteArray languageFile;
    {
        RecordingPrompts prompts;
        TForm1 form;
        languageFile = readFile(appFolder.filePath(QStringLiteral("DefLang.ini")));
        QVERIFY(!form.profileCommands().RecentProfiles1->isEnabled());
        prompts.filesToChoose = {clipFolder + QStringLiteral("/a.rm"), profileFolder + QStringLiteral("/mine")};
        form.actAddFilesExecute();
        form.profileCommands().actSaveProfileAsExecute();
        QVERIFY(QFile::exists(profileFolder + QStringLiteral("/mine.json")));
        QCOMPARE(prompts.fileDialogs[0].preset, QString());
        form.show();
        form.setGeometry(30, 40, 640, 480);
        form.close();
    }
    RecordingPrompts prompts;
    TForm1 form;
    QCOMPARE(form.size(), QSize(640, 480));
    QCOMPARE(form.geometry().topLeft(), QPoint(30, 40));
    const QList<QAction *> recent = form.profileCommands().RecentProfiles1->actions();
    QCOMPARE(recent.size(), 1);
    QCOMPARE(recent[0]->text(), QStringLiteral("&1 mine.json"));
    recent[0]->trigger();
    QCOMPARE(form.profileCommands().profilePath(), profileFolder + QStringLiteral("/mine.json"));
    form.actAddFilesExecute();
    form.profileCommands().actOpenProfileExecute();
    QCOMPARE(prompts.fileDialogs[0].preset, clipFolder + QLatin1Char('/'));
    QCOMPARE(prompts.fileDialogs[1].preset, profileFolder + QLatin1Char('/'));
    // A profile gone since is said so and dropped from the list.
    QFile::remove(profileFolder + QStringLiteral("/mine.json"));
    form.profileCommands().RecentProfiles1->actions()[0]->trigger();
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(form.profileCommands().RecentProfiles1->actions().isEmpty());
    // Kept apart from the language file, in the portable copy's own folder.
    QCOMPARE(readFile(appFolder.filePath(QStringLiteral("DefLang.ini"))), languageFile);
    QVERIFY(QFile::exists(appFolder.filePath(QStringLiteral("Clipvane.conf"))));
}

void ProfileTest::commandLineOpensTheProfileBeforeListing()
{
    RecordingPrompts prompts;
    TemporaryAppFolder appFolder;
    QTemporaryDir folder;
    QDir().mkpath(folder.filePath(QStringLiteral("in/sub")));
    writeClip(folder.filePath(QStringLiteral("in/sub/b.rm")), 100);
    writeClip(folder.filePath(QStringLiteral("a.RA")), 100);
    Profile profile = sampleProfile();
    profile.output = {folder.filePath(QStringLiteral("out")), QStringLiteral("x-"), true};
    writeProfileFile(folder.filePath(QStringLiteral("p.json")), profile);

    const std::unique_ptr<TForm1> form = createMainWindow(
        appFolder.path(), {folder.filePath(QStringLiteral("a.RA")), QStringLiteral("--profile"),
                           folder.filePath(QStringLiteral("p.json")), folder.filePath(QStringLiteral("in"))});
    QVERIFY(form);
    QCOMPARE(profileJson(form->setup()), profileJson(profile));
    QCOMPARE(column(*form->lvFiles, 0),
             (QStringList{folder.filePath(QStringLiteral("out/x-a.RA")), folder.filePath(QStringLiteral("out/sub/x-b.rm"))}));
    QVERIFY(prompts.messages.isEmpty());
    // What the window starts with is no step of its history.
    QVERIFY(!form->undoCommands().canUndo());
}

void ProfileTest::outputRule_data()
{
    QTest::addColumn<OutputRule>("rule");
    QTest::addColumn<QStringList>("outputs");
    // Clips: "@/top.rm" added as a file, then the folder "@/in" holding "x.rm" and "deep/er/y.rmvb".
    QTest::newRow("beside the source") << OutputRule()
                                       << QStringList{"@/Done_top.rm", "@/in/deep/er/Done_y.rmvb", "@/in/Done_x.rm"};
    QTest::newRow("into a folder") << OutputRule{"@/out", "Done_", false}
                                   << QStringList{"@/out/Done_top.rm", "@/out/Done_y.rmvb", "@/out/Done_x.rm"};
    QTest::newRow("empty prefix in another folder")
        << OutputRule{"@/out/", "", false} << QStringList{"@/out/top.rm", "@/out/y.rmvb", "@/out/x.rm"};
    QTest::newRow("keeping the tree") << OutputRule{"@/out", "m_", true}
                                      << QStringList{"@/out/m_top.rm", "@/out/deep/er/m_y.rmvb", "@/out/m_x.rm"};
    QTest::newRow("keep-tree beside the source is beside the source")
        << OutputRule{"", "Done_", true} << QStringList{"@/Done_top.rm", "@/in/deep/er/Done_y.rmvb", "@/in/Done_x.rm"};
}

// The rule applies to rows added before and after it, except a row whose output was set by hand.
void ProfileTest::outputRule()
{
    QFETCH(OutputRule, rule);
    QFETCH(QStringList, outputs);
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString root = folder.path();
    rule.folder.replace(QLatin1Char('@'), root);
    outputs.replaceInStrings(QStringLiteral("@"), root);
    QDir().mkpath(root + QStringLiteral("/in/deep/er"));
    writeClip(root + QStringLiteral("/top.rm"), 10);
    writeClip(root + QStringLiteral("/in/x.rm"), 10);
    writeClip(root + QStringLiteral("/in/deep/er/y.rmvb"), 10);
    writeClip(root + QStringLiteral("/hand.rm"), 10);

    TForm1 form;
    QVERIFY(form.AddClip(root + QStringLiteral("/hand.rm")));
    form.lvFiles->selectRow(0);
    QVERIFY(whileModal<QDialog>([&] { form.actEditItemExecute(); },
                                [&](QDialog &dialog) {
                                    dialog.findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(root + "/mine.rm");
                                    dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
                                }));
    QVERIFY(form.AddClip(root + QStringLiteral("/top.rm")));
    form.setOutputRule(rule);
    QCOMPARE(form.AddFolder(root + QStringLiteral("/in")), 2);

    QStringList expected{root + QStringLiteral("/mine.rm")};
    expected << outputs;
    QCOMPARE(column(*form.lvFiles, 0), expected);
    // And back to the start-up rule: every row but the one set by hand follows.
    form.setOutputRule(OutputRule());
    QCOMPARE(column(*form.lvFiles, 0),
             (QStringList{root + "/mine.rm", root + "/Done_top.rm", root + "/in/deep/er/Done_y.rmvb", root + "/in/Done_x.rm"}));
}

void ProfileTest::outputDialogSetsTheRule()
{
    RecordingPrompts prompts;
    QTemporaryDir folder;
    TForm1 form;
    writeClip(folder.filePath(QStringLiteral("a.rm")), 10);
    form.AddClip(folder.filePath(QStringLiteral("a.rm")));
    prompts.filesToChoose = {folder.filePath(QStringLiteral("out"))};
    QVERIFY(whileModal<OutputRuleDialog>([&] { form.folderCommands().actOutputRuleExecute(); },
                                         [&](OutputRuleDialog &dialog) {
                                             QVERIFY(dialog.besideSource->isChecked());
                                             QVERIFY(!dialog.keepTree->isEnabled());
                                             dialog.prefix->clear();
                                             // Beside the source an empty prefix would write over it.
                                             QVERIFY(dialog.problem->isVisibleTo(&dialog));
                                             QVERIFY(!dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled());
                                             dialog.browse->click();
                                             QVERIFY(dialog.intoFolder->isChecked());
                                             QVERIFY(dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled());
                                             dialog.keepTree->setChecked(true);
                                             QVERIFY(!dialog.skipExisting->isChecked());
                                             QVERIFY(!dialog.keepDate->isChecked());
                                             dialog.skipExisting->click();
                                             dialog.keepDate->click();
                                             dialog.accept();
                                         }));
    QCOMPARE(form.outputRule(), (OutputRule{folder.filePath(QStringLiteral("out")), QString(), true, true, true}));
    // Opened again, the dialog shows the rule as it stands.
    QVERIFY(whileModal<OutputRuleDialog>([&] { form.folderCommands().actOutputRuleExecute(); },
                                         [&](OutputRuleDialog &dialog) {
                                             QVERIFY(dialog.skipExisting->isChecked());
                                             QVERIFY(dialog.keepDate->isChecked());
                                             dialog.keepDate->click();
                                             dialog.accept();
                                         }));
    QCOMPARE(form.outputRule(), (OutputRule{folder.filePath(QStringLiteral("out")), QString(), true, true, false}));
    QCOMPARE(form.lvFiles->subItem(0, 0), folder.filePath(QStringLiteral("out/a.rm")));
}

// Two clips of one name into one folder, and a clip whose output is another row's source: the
// rows that would write over a clip of the batch fail alone, and every source stays as it was.
void ProfileTest::clashingOutputsFailWithNothingOverwritten()
{
    TemporaryAppFolder appFolder;
    appFolder.installMergeTool();
    RecordingPrompts prompts;
    QTemporaryDir folder;
    const QString root = folder.path();
    for (const char *sub : {"/one", "/two", "/out"})
        QDir().mkpath(root + QLatin1String(sub));
    const QStringList sources{root + "/one/a.rm", root + "/two/a.rm", root + "/out/b.rm"};
    QList<QByteArray> before;
    for (const QString &source : sources) {
        writeRealMediaClip(source, 3000);
        before << readFile(source);
    }
    TForm1 form;
    form.clickEvents->CheckBox4->setChecked(false);
    form.setOutputRule({root + QStringLiteral("/out"), QString(), false});
    for (const QString &source : {sources[0], sources[0], sources[1], sources[2], sources[1]})
        QVERIFY(form.AddClip(source));
    form.lvFiles->setSubItem(2, 0, root + QStringLiteral("/out/b.rm"));

    form.actStartExecute();
    QTRY_VERIFY_WITH_TIMEOUT(!form.runner().isRunning(), 20000);
    // Row 1 is written first and row 2, its clip again, writes it again. Then row 3 names row 4's
    // source, row 4 its own, and row 5 row 1's output from another clip.
    QCOMPARE(column(*form.lvFiles, 1), (QStringList{"Success", "Success", "Failure", "Failure", "Failure"}));
    const QStringList texts = prompts.messageTexts();
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts[0], QStringLiteral("The output file is the source file of another row:\n%1\n"
                                      "Choose another output file with \"Edit Item\".")
                           .arg(root + "/out/b.rm"));
    QVERIFY(texts[1].startsWith(QStringLiteral("The output file is the source file itself:")));
    QCOMPARE(texts[2], QStringLiteral("The output file is also the output file of an earlier row:\n%1\n"
                                      "Choose another output file with \"Edit Item\".")
                           .arg(root + "/out/a.rm"));
    QCOMPARE(texts[3], QStringLiteral("Processing finish!"));
    for (qsizetype i = 0; i < sources.size(); ++i)
        QCOMPARE(readFile(sources[i]), before[i]);
    QVERIFY(RealMediaTest::readClip(root + QStringLiteral("/out/a.rm")).error.isEmpty());
}

// A folder from the menu, from a drop and from the command line: every clip below it, sorted by
// path, each once, a looping link followed once.
void ProfileTest::foldersListEveryClipBelowOnce()
{
    QTemporaryDir folder;
    const QString root = folder.path() + QStringLiteral("/media");
    QDir().mkpath(root + QStringLiteral("/b/c"));
    QDir().mkpath(root + QStringLiteral("/a"));
    for (const char *name : {"/z.rm", "/b/c/x.RMVB", "/a/y.ra", "/a/notes.txt", "/b/clip.rm.bak", "/b/c/mp3.mp3"})
        writeClip(root + QLatin1String(name), 10);
    QVERIFY(QFile::link(root, root + QStringLiteral("/b/c/loop")));
    const QStringList expected{root + "/a/y.ra", root + "/b/c/x.RMVB", root + "/z.rm"};

    for (const QString &way : {QStringLiteral("menu"), QStringLiteral("drop"), QStringLiteral("command line")}) {
        RecordingPrompts prompts;
        TemporaryAppFolder appFolder;
        std::unique_ptr<TForm1> form;
        if (way == QLatin1String("command line")) {
            form = createMainWindow(appFolder.path(), {root});
        } else {
            form = std::make_unique<TForm1>();
            if (way == QLatin1String("menu")) {
                prompts.filesToChoose = {root};
                form->folderCommands().actAddFolderExecute();
            } else {
                form->WMDropFiles({QUrl::fromLocalFile(root)});
            }
        }
        QCOMPARE(column(*form->lvFiles, -1), expected);
        QCOMPARE(column(*form->lvFiles, 1), QStringList(3, QStringLiteral("To be processed")));
        QVERIFY(prompts.messages.isEmpty());
    }
    RecordingPrompts prompts;
    TForm1 form;
    prompts.filesToChoose = {root + QStringLiteral("/b/c/loop/a")};
    form.folderCommands().actAddFolderExecute();
    QCOMPARE(form.lvFiles->rowCount(), 1);
    QDir().mkpath(folder.filePath(QStringLiteral("empty")));
    prompts.filesToChoose = {folder.filePath(QStringLiteral("empty"))};
    form.folderCommands().actAddFolderExecute();
    QCOMPARE(prompts.messageTexts(),
             QStringList{QStringLiteral("No RealMedia clips (.rm, .rmvb, .ra) were found in \"%1\" or its sub-folders.")
                             .arg(folder.filePath(QStringLiteral("empty")))});
}

QTEST_MAIN(ProfileTest)
#include "tst_profile.moc"
