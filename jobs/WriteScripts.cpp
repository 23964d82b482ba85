#include "app/Unit1.h"

#include "jobs/JobFiles.h"
#include "jobs/ScriptFile.h"
#include "platform/CodePage.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/SpinEdit.h"
#include "widgets/TypedText.h"

#include <QLineEdit>
#include <QPlainTextEdit>

QList<TimeEventRow> TForm1::timeEventRows() const
{
    QList<TimeEventRow> rows;
    rows.reserve(lvEvents->rowCount());
    for (int row = 0; row < lvEvents->rowCount(); ++row)
        rows.append({lvEvents->caption(row), lvEvents->subItem(row, 0), lvEvents->subItem(row, 1),
                     lvEvents->subItem(row, 2)});
    return rows;
}

ClipInformation TForm1::clipInformation() const
{
    return {{CheckBox1->isChecked(), Edit1->text()},
            {CheckBox2->isChecked(), Edit2->text()},
            {CheckBox3->isChecked(), Edit3->text()},
            {chk1->isChecked(), edt1->text()},
            {chk2->isChecked(), typedText(*mmo1)}};
}

ClickMap TForm1::clickMap() const
{
    return {SpinEdit1->value(), SpinEdit2->value(), SpinEdit3->value(), Edit5->text(), Edit4->text()};
}

void TForm1::WriteEvents()
{
    writeScriptFile(AppFolder() + JobFiles::eventScript,
                    CodePage::system().encode(eventScript(timeEventRows(), clipInformation())));
}

void TForm1::WriteMap()
{
    writeScriptFile(AppFolder() + JobFiles::mapScript, CodePage::system().encode(clickMapScript(clickMap())));
}
