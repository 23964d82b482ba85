#include "TestSupport.h"

#include "app/MainWindow.h"
#include "jobs/JobScripts.h"
#include "dialogs/EventDialog.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class EventDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void looksAsDesigned();
    void save_data();
    void save();
    void targetsLoadAndSave_data();
    void targetsLoadAndSave();
    void editModeLoadsTheSelectedRow();
    void endFollowsStartHours();
    void endFollowsStartMinutesOnlyWithinTheHour();
    void saveAndAddInEditModeThenCancel();
    void cancelChangesNothing();
    void commandsWithoutSelection();
    void enterSavesAndEscapeCancels();
    void arrowsStopAtTheBounds();
    void eventScriptFromDialogRows();

private:
    // Every window reads and completes its language file: keep it out of the program's folder.
    TemporaryAppFolder m_appFolder;
};

namespace {

using Time = QList<int>;

void setTimes(TFrmevent &dialog, const Time &start, const Time &end)
{
    dialog.UpDown1->setPosition(start[0]);
    dialog.UpDown2->setPosition(start[1]);
    dialog.UpDown3->setPosition(start[2]);
    dialog.UpDown4->setPosition(end[0]);
    dialog.UpDown5->setPosition(end[1]);
    dialog.UpDown6->setPosition(end[2]);
}

QStringList row(const ListView *list, int index)
{
    return {list->caption(index), list->subItem(index, 0), list->subItem(index, 1), list->subItem(index, 2)};
}

QStringList fieldTexts(const TFrmevent &dialog)
{
    return {dialog.edtHour1->text(),   dialog.edtMinute1->text(), dialog.edtSecond1->text(),
            dialog.edtHour2->text(),   dialog.edtMinute2->text(), dialog.edtSecond2->text()};
}

void addRow(TForm1 &form, const QStringList &cells)
{
    form.lvEvents->addRow(cells[0], cells.mid(1));
}

} // namespace

void EventDialogTest::looksAsDesigned()
{
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Event"));
        QCOMPARE(dialog.size(), QSize(459, 300));
        QCOMPARE(dialog.GroupBox1->title(), QStringLiteral(" Duration  "));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("Start Time: "));
        QCOMPARE(dialog.Label3->text(), QStringLiteral("End Time: "));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("HTTP URL:  "));
        QCOMPARE(fieldTexts(dialog), QStringList(6, QStringLiteral("0")));
        QVERIFY(dialog.edtHour1->isReadOnly());
        QCOMPARE(dialog.EdtUrl->text(), QStringLiteral("http://"));
        QCOMPARE(dialog.RadioGroup1->title(), QStringLiteral("  Browser Target  "));
        QCOMPARE(dialog.RadioGroup1->items(),
                 (QStringList{"Display in RealPlayer media browser           ", "Display in external browser                ",
                              "Display in RealPlayer related info pane "}));
        QCOMPARE(dialog.RadioGroup1->itemIndex(), 1);
        QCOMPARE(dialog.BitBtn3->text(), QStringLiteral("Save && Add"));
        QCOMPARE(dialog.BitBtn1->text(), QStringLiteral("Save && Quit"));
        QCOMPARE(dialog.BitBtn2->text(), QStringLiteral("Cancel"));
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.BitBtn1);
        const QList<QWidget *> tabOrder{dialog.BitBtn2, dialog.RadioGroup1->button(1), dialog.edtHour1,
                                        dialog.edtMinute1, dialog.edtSecond1, dialog.edtHour2, dialog.edtMinute2,
                                        dialog.edtSecond2, dialog.EdtUrl, dialog.BitBtn3, dialog.BitBtn1};
        for (QWidget *next : tabOrder) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }));
}

void EventDialogTest::save_data()
{
    QTest::addColumn<Time>("start");
    QTest::addColumn<Time>("end");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("leading zeros") << Time{1, 2, 3} << Time{1, 2, 30} << 0 << "U"
                                   << QStringList{"01:02:03.0", "01:02:30.0", "Media Browser", "U"};
    QTest::newRow("zero start becomes one second") << Time{0, 0, 0} << Time{0, 0, 0} << 1 << "http://a/"
                                                   << QStringList{"00:00:01.0", "00:00:00.0", "External Browser", "http://a/"};
    QTest::newRow("60 in every part") << Time{60, 60, 60} << Time{60, 60, 60} << 2 << "u"
                                      << QStringList{"60:60:60.0", "60:60:60.0", "Related Info Pane", "u"};
    QTest::newRow("one hour as 60 minutes") << Time{0, 60, 0} << Time{1, 0, 0} << 1 << "u"
                                            << QStringList{"00:60:00.0", "01:00:00.0", "External Browser", "u"};
    QTest::newRow("end before start") << Time{0, 10, 0} << Time{0, 5, 0} << 1 << "u"
                                      << QStringList{"00:10:00.0", "00:05:00.0", "External Browser", "u"};
    QTest::newRow("empty url") << Time{0, 0, 5} << Time{0, 0, 9} << 1 << ""
                               << QStringList{"00:00:05.0", "00:00:09.0", "External Browser", ""};
    QTest::newRow("url with blanks") << Time{0, 0, 5} << Time{0, 0, 9} << 0 << "  http://a b/  "
                                     << QStringList{"00:00:05.0", "00:00:09.0", "Media Browser", "  http://a b/  "};
}

void EventDialogTest::save()
{
    QFETCH(Time, start);
    QFETCH(Time, end);
    QFETCH(int, target);
    QFETCH(QString, url);
    QFETCH(QStringList, saved);
    TForm1 form;
    addRow(form, {"00:00:01.0", "00:00:02.0", "Media Browser", "selected"});
    form.lvEvents->selectRow(0);
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        setTimes(dialog, start, end);
        dialog.RadioGroup1->setItemIndex(target);
        dialog.EdtUrl->setText(url);
        dialog.BitBtn1->click();
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(form.lvEvents->rowCount(), 2);
    QCOMPARE(row(form.lvEvents, 0), (QStringList{"00:00:01.0", "00:00:02.0", "Media Browser", "selected"}));
    QCOMPARE(row(form.lvEvents, 1), saved);
}

void EventDialogTest::targetsLoadAndSave_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("saved");
    QTest::newRow("media") << "Media Browser" << 0 << "Media Browser";
    QTest::newRow("external") << "External Browser" << 1 << "External Browser";
    QTest::newRow("related") << "Related Info Pane" << 2 << "Related Info Pane";
    QTest::newRow("unknown") << "media browser" << 2 << "Related Info Pane";
}

void EventDialogTest::targetsLoadAndSave()
{
    QFETCH(QString, target);
    QFETCH(int, index);
    QFETCH(QString, saved);
    TForm1 form;
    addRow(form, {"00:00:01.0", "00:00:02.0", target, "u"});
    form.lvEvents->selectRow(0);
    QVERIFY(whileModal<TFrmevent>([&] { form.actEditEventExecute(); }, [&](TFrmevent &dialog) {
        QCOMPARE(dialog.RadioGroup1->itemIndex(), index);
        dialog.BitBtn1->click();
    }));
    QCOMPARE(form.lvEvents->subItem(0, 1), saved);
}

void EventDialogTest::editModeLoadsTheSelectedRow()
{
    TForm1 form;
    addRow(form, {"00:00:01.0", "00:00:02.0", "Media Browser", "first"});
    addRow(form, {"05:04:03.0", "01:60:07.0", "Related Info Pane", "http://second/"});
    form.lvEvents->selectRow(1);
    QVERIFY(whileModal<TFrmevent>([&] { form.actEditEventExecute(); }, [&](TFrmevent &dialog) {
        QCOMPARE(fieldTexts(dialog), (QStringList{"05", "04", "03", "01", "60", "07"}));
        QCOMPARE(dialog.UpDown4->position(), 1);
        QCOMPARE(dialog.EdtUrl->text(), QStringLiteral("http://second/"));
        QCOMPARE(dialog.RadioGroup1->itemIndex(), 2);
        dialog.UpDown6->stepBy(1);
        dialog.BitBtn1->click();
    }));
    QCOMPARE(form.lvEvents->rowCount(), 2);
    QCOMPARE(row(form.lvEvents, 1), (QStringList{"05:04:03.0", "01:60:08.0", "Related Info Pane", "http://second/"}));
    QCOMPARE(form.lvEvents->caption(0), QStringLiteral("00:00:01.0"));
}

void EventDialogTest::endFollowsStartHours()
{
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        setTimes(dialog, {2, 0, 0}, {2, 0, 0});
        dialog.UpDown1->stepBy(1);
        QCOMPARE(dialog.UpDown4->position(), 3);
        dialog.UpDown4->stepBy(-1);
        dialog.UpDown4->stepBy(-1);
        QCOMPARE(dialog.UpDown4->position(), 1);
        QCOMPARE(dialog.UpDown1->position(), 3);
        dialog.BitBtn1->click();
    }));
    QCOMPARE(form.lvEvents->caption(0), QStringLiteral("03:00:00.0"));
    QCOMPARE(form.lvEvents->subItem(0, 0), QStringLiteral("01:00:00.0"));
}

void EventDialogTest::endFollowsStartMinutesOnlyWithinTheHour()
{
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        setTimes(dialog, {1, 10, 30}, {1, 10, 0});
        dialog.UpDown2->stepBy(1);
        QCOMPARE(dialog.UpDown5->position(), 11);
        QCOMPARE(dialog.UpDown6->position(), 0);
        dialog.UpDown3->stepBy(1);
        QCOMPARE(dialog.UpDown6->position(), 31);

        setTimes(dialog, {1, 10, 0}, {2, 5, 0});
        dialog.UpDown2->stepBy(1);
        dialog.UpDown3->stepBy(1);
        QCOMPARE(dialog.UpDown5->position(), 5);
        QCOMPARE(dialog.UpDown6->position(), 0);

        // Raising the end hours to the start hours compares nothing else.
        setTimes(dialog, {1, 30, 30}, {0, 0, 0});
        dialog.UpDown1->stepBy(1);
        QCOMPARE(dialog.UpDown4->position(), 2);
        QCOMPARE(dialog.UpDown5->position(), 0);
        QCOMPARE(dialog.UpDown6->position(), 0);
    }));
    QCOMPARE(form.lvEvents->rowCount(), 0);
}

void EventDialogTest::saveAndAddInEditModeThenCancel()
{
    TForm1 form;
    addRow(form, {"00:00:01.0", "00:00:02.0", "Media Browser", "old"});
    form.lvEvents->selectRow(0);
    QVERIFY(whileModal<TFrmevent>([&] { form.actEditEventExecute(); }, [&](TFrmevent &dialog) {
        dialog.EdtUrl->setText(QStringLiteral("edited"));
        dialog.BitBtn3->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(form.EventDialogMode, 1);
        QCOMPARE(fieldTexts(dialog), QStringList(6, QStringLiteral("00")));
        QCOMPARE(dialog.EdtUrl->text(), QStringLiteral("http://"));
        QCOMPARE(dialog.RadioGroup1->itemIndex(), 1);
        dialog.UpDown3->setPosition(7);
        dialog.EdtUrl->setText(QStringLiteral("added"));
        dialog.BitBtn3->click();
        dialog.BitBtn2->click();
    }));
    QCOMPARE(form.lvEvents->rowCount(), 2);
    QCOMPARE(row(form.lvEvents, 0), (QStringList{"00:00:01.0", "00:00:02.0", "Media Browser", "edited"}));
    QCOMPARE(row(form.lvEvents, 1), (QStringList{"00:00:07.0", "00:00:07.0", "External Browser", "added"}));
}

void EventDialogTest::cancelChangesNothing()
{
    TForm1 form;
    addRow(form, {"00:00:01.0", "00:00:02.0", "Media Browser", "kept"});
    form.lvEvents->selectRow(0);
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        setTimes(dialog, {1, 1, 1}, {2, 2, 2});
        dialog.BitBtn2->click();
    }));
    QVERIFY(whileModal<TFrmevent>([&] { form.actEditEventExecute(); }, [&](TFrmevent &dialog) {
        dialog.EdtUrl->setText(QStringLiteral("changed"));
        dialog.close();
    }));
    QCOMPARE(form.lvEvents->rowCount(), 1);
    QCOMPARE(row(form.lvEvents, 0), (QStringList{"00:00:01.0", "00:00:02.0", "Media Browser", "kept"}));
}

void EventDialogTest::commandsWithoutSelection()
{
    TForm1 form;
    form.actDeleteEventExecute();
    form.actClearEventsExecute();
    addRow(form, {"00:00:01.0", "00:00:02.0", "Media Browser", "a"});
    addRow(form, {"00:00:03.0", "00:00:04.0", "Media Browser", "b"});
    QVERIFY(!whileModal<TFrmevent>([&] { form.actEditEventExecute(); }, [](TFrmevent &) {}));
    form.actDeleteEventExecute();
    QCOMPARE(form.lvEvents->rowCount(), 2);
    form.lvEvents->selectRow(0);
    form.actDeleteEventExecute();
    QCOMPARE(form.lvEvents->rowCount(), 1);
    QCOMPARE(form.lvEvents->subItem(0, 2), QStringLiteral("b"));
    form.actClearEventsExecute();
    QCOMPARE(form.lvEvents->rowCount(), 0);
    QCOMPARE(form.lvEvents->headerItem()->text(2), QStringLiteral("Browser Target"));
}

void EventDialogTest::enterSavesAndEscapeCancels()
{
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.edtSecond1->setFocus();
        QTest::keyClick(dialog.edtSecond1, Qt::Key_Up);
        QTest::keyClick(dialog.edtSecond1, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(form.lvEvents->rowCount(), 0);
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.edtSecond1->setFocus();
        QTest::keyClick(dialog.edtSecond1, Qt::Key_Up);
        QTest::keyClick(dialog.edtSecond1, Qt::Key_Up);
        QTest::keyClick(dialog.edtSecond1, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    }));
    QCOMPARE(form.lvEvents->rowCount(), 1);
    QCOMPARE(form.lvEvents->caption(0), QStringLiteral("00:00:02.0"));
}

void EventDialogTest::arrowsStopAtTheBounds()
{
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.edtMinute2->setFocus();
        QTest::keyClick(dialog.edtMinute2, Qt::Key_Down);
        QCOMPARE(dialog.UpDown5->position(), 0);
        QCOMPARE(dialog.edtMinute2->text(), QStringLiteral("0"));
        QTest::keyClick(dialog.edtMinute2, Qt::Key_Up);
        QCOMPARE(dialog.edtMinute2->text(), QStringLiteral("01"));
        dialog.UpDown5->setPosition(59);
        auto *up = dialog.UpDown5->findChildren<QToolButton *>().first();
        up->click();
        up->click();
        QCOMPARE(dialog.UpDown5->position(), 60);
        QCOMPARE(dialog.edtMinute2->text(), QStringLiteral("60"));
        QCOMPARE(up->focusPolicy(), Qt::NoFocus);
    }));
}

void EventDialogTest::eventScriptFromDialogRows()
{
    TemporaryAppFolder folder;
    TForm1 form;
    QVERIFY(whileModal<TFrmevent>([&] { form.actAddEventExecute(); }, [&](TFrmevent &dialog) {
        setTimes(dialog, {0, 0, 5}, {0, 0, 20});
        dialog.EdtUrl->setText(QStringLiteral("U1"));
        dialog.BitBtn3->click();
        setTimes(dialog, {0, 1, 0}, {0, 1, 30});
        dialog.RadioGroup1->setItemIndex(2);
        dialog.EdtUrl->setText(QStringLiteral("U2"));
        dialog.BitBtn1->click();
    }));
    WriteEvents(folder.path(), form.jobSettings());
    QCOMPARE(readFile(folder.filePath(QStringLiteral("events.txt"))),
             QByteArray("u 00:00:05.0 00:00:20.0 &&_rpexternal&&U1\r\n"
                        "u 00:01:00.0 00:01:30.0 &&_rpcontextwin&&U2?rpcontextheight=250&rpcontextwidth=280\r\n"));
}

QTEST_MAIN(EventDialogTest)
#include "tst_eventdialog.moc"
