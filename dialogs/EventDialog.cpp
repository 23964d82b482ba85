// TFrmevent: the dialog that adds or edits a time event.
#include "dialogs/EventDialog.h"

#include "dialogs/OneLineField.h"
#include "dialogs/TimeText.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString defaultUrl = QStringLiteral("http://");
const int externalBrowserIndex = 1;

const QStringList targetItems{
    QStringLiteral("Display in RealPlayer media browser           "),
    QStringLiteral("Display in external browser                "),
    QStringLiteral("Display in RealPlayer related info pane "),
};

// A read-only field showing "0" until its first change.
QLineEdit *timeField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(QStringLiteral("0"), parent);
    field->setObjectName(name);
    field->setFixedWidth(32);
    field->setAlignment(Qt::AlignRight);
    return field;
}

TimeOfEvent timeOf(const UpDown *hours, const UpDown *minutes, const UpDown *seconds)
{
    return {hours->position(), minutes->position(), seconds->position()};
}

void setTime(UpDown *hours, UpDown *minutes, UpDown *seconds, const TimeOfEvent &time)
{
    hours->setPosition(time.hours);
    minutes->setPosition(time.minutes);
    seconds->setPosition(time.seconds);
}

} // namespace

TFrmevent::TFrmevent(ListView *events, int &eventDialogMode, QWidget *parent)
    : QDialog(parent), m_events(events), m_mode(eventDialogMode)
{
    setObjectName(QStringLiteral("Frmevent"));
    setWindowTitle(QStringLiteral("Edit Event"));
    setFixedSize(459, 300);
    // The radio items carry trailing blanks; a compact font keeps both columns readable.
    QFont compact = font();
    compact.setPixelSize(10);
    setFont(compact);

    GroupBox1 = new GroupBox(QStringLiteral(" Duration  "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    new QGridLayout(GroupBox1);
    Label2 = new Label(QStringLiteral("Start Time: "), GroupBox1);
    Label3 = new Label(QStringLiteral("End Time: "), GroupBox1);
    createTimeRow(0, Label2, edtHour1, UpDown1, edtMinute1, UpDown2, edtSecond1, UpDown3);
    createTimeRow(1, Label3, edtHour2, UpDown4, edtMinute2, UpDown5, edtSecond2, UpDown6);
    connect(UpDown1, &UpDown::valueChanged, this, &TFrmevent::UpDown1Changing);
    connect(UpDown2, &UpDown::valueChanged, this, &TFrmevent::UpDown2Changing);
    connect(UpDown3, &UpDown::valueChanged, this, &TFrmevent::UpDown3Changing);

    GroupBox2 = new GroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *urlRow = new QHBoxLayout(GroupBox2);
    Label1 = new Label(QStringLiteral("HTTP URL:  "), GroupBox2);
    EdtUrl = new QLineEdit(defaultUrl, GroupBox2);
    EdtUrl->setObjectName(QStringLiteral("EdtUrl"));
    keepOnOneLine(EdtUrl);
    Label1->setBuddy(EdtUrl);
    urlRow->addWidget(Label1);
    urlRow->addWidget(EdtUrl, 1);

    RadioGroup1 = new RadioGroup(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setTitle(QStringLiteral("  Browser Target  "));
    RadioGroup1->setColumns(2);
    RadioGroup1->setItems(targetItems);
    RadioGroup1->setItemIndex(externalBrowserIndex);

    BitBtn3 = new BitBtn(QStringLiteral("Save && Add"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn1 = new BitBtn(QStringLiteral("Save && Quit"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new BitBtn(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (BitBtn *button : {BitBtn3, BitBtn1, BitBtn2})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);

    QList<QWidget *> tabOrder{BitBtn1, BitBtn2};
    for (int item = 0; item < targetItems.size(); ++item)
        tabOrder.append(RadioGroup1->button(item));
    tabOrder << edtHour1 << edtMinute1 << edtSecond1 << edtHour2 << edtMinute2 << edtSecond2 << EdtUrl << BitBtn3;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    BitBtn1->setFocus();

    connect(BitBtn1, &QPushButton::clicked, this, &TFrmevent::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFrmevent::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmevent::createTimeRow(int row, Label *heading, QLineEdit *&hours, UpDown *&hoursUpDown, QLineEdit *&minutes,
                              UpDown *&minutesUpDown, QLineEdit *&seconds, UpDown *&secondsUpDown)
{
    auto *grid = static_cast<QGridLayout *>(GroupBox1->layout());
    grid->addWidget(heading, row, 0);
    const QString suffix = QString::number(row + 1);
    const struct {
        QLineEdit *&field;
        UpDown *&upDown;
        const char *fieldName;
        const char *unit;
    } parts[] = {{hours, hoursUpDown, "edtHour", " HH"},
                 {minutes, minutesUpDown, "edtMinute", "MM"},
                 {seconds, secondsUpDown, "edtSecond", "SS"}};
    int column = 1;
    for (const auto &part : parts) {
        part.field = timeField(QString::fromLatin1(part.fieldName) + suffix, GroupBox1);
        part.upDown = new UpDown(part.field, 0, 60, GroupBox1);
        auto *unit = new Label(QString::fromLatin1(part.unit), GroupBox1);
        // Named as a person reads the row: "Start Time: HH".
        part.field->setAccessibleName(heading->text() + unit->text().trimmed());
        grid->addWidget(part.field, row, column++);
        grid->addWidget(part.upDown, row, column++);
        grid->addWidget(unit, row, column++);
    }
    const int first = row * 3 + 1;
    hoursUpDown->setObjectName(QStringLiteral("UpDown%1").arg(first));
    minutesUpDown->setObjectName(QStringLiteral("UpDown%1").arg(first + 1));
    secondsUpDown->setObjectName(QStringLiteral("UpDown%1").arg(first + 2));
    grid->setColumnStretch(column, 1);
}

void TFrmevent::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFrmevent::FormShow()
{
    if (m_mode != EditMode)
        return;
    const int row = m_events->selectedRow();
    setTime(UpDown1, UpDown2, UpDown3, parseTimeText(m_events->caption(row)));
    setTime(UpDown4, UpDown5, UpDown6, parseTimeText(m_events->subItem(row, 0)));
    EdtUrl->setText(m_events->subItem(row, 2));
    RadioGroup1->setItemIndex(browserTargetIndex(m_events->subItem(row, 1)));
}

// The end follows the start up, each rule only when its own start field changes.
void TFrmevent::UpDown1Changing()
{
    if (UpDown4->position() < UpDown1->position())
        UpDown4->setPosition(UpDown1->position());
}

void TFrmevent::UpDown2Changing()
{
    if (UpDown1->position() == UpDown4->position() && UpDown5->position() < UpDown2->position())
        UpDown5->setPosition(UpDown2->position());
}

void TFrmevent::UpDown3Changing()
{
    if (UpDown1->position() == UpDown4->position() && UpDown2->position() == UpDown5->position()
        && UpDown6->position() < UpDown3->position())
        UpDown6->setPosition(UpDown3->position());
}

void TFrmevent::SaveInfo()
{
    int row = m_events->selectedRow();
    if (m_mode == AddMode)
        row = m_events->indexOfTopLevelItem(m_events->addRow(QString(), {QString(), QString(), QString()}));
    if (row < 0)
        return;
    for (UpDown *part : {UpDown1, UpDown2, UpDown3, UpDown4, UpDown5, UpDown6})
        part->setPosition(part->position());
    if (UpDown1->position() == 0 && UpDown2->position() == 0 && UpDown3->position() == 0) {
        // A start at the very beginning is saved one second in; the end stays as the person set it.
        const QSignalBlocker keepEnd(UpDown3);
        UpDown3->setPosition(1);
    }

    m_events->topLevelItem(row)->setText(0, timeText(timeOf(UpDown1, UpDown2, UpDown3)));
    m_events->setSubItem(row, 0, timeText(timeOf(UpDown4, UpDown5, UpDown6)));
    m_events->setSubItem(row, 1, browserTargetName(RadioGroup1->itemIndex()));
    m_events->setSubItem(row, 2, EdtUrl->text());
    emit saved();
}

void TFrmevent::BitBtn1Click()
{
    SaveInfo();
    accept();
}

void TFrmevent::BitBtn3Click()
{
    SaveInfo();
    m_mode = AddMode;
    resetFields();
}

void TFrmevent::resetFields()
{
    for (UpDown *part : {UpDown1, UpDown2, UpDown3, UpDown4, UpDown5, UpDown6})
        part->setPosition(0);
    EdtUrl->setText(defaultUrl);
    RadioGroup1->setItemIndex(externalBrowserIndex);
}
