#include "dialogs/ClickEventsPanel.h"

#include "dialogs/OneLineField.h"
#include "lang/ComponentList.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/PageControl.h"
#include "widgets/SpinEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

ClickEventsPanel::ClickEventsPanel(PageControl *pages, ComponentList &components, QObject *parent)
    : QObject(parent)
{
    TabSheet6 = components.create<TabSheet>(QStringLiteral("TabSheet6"), pages);
    TabSheet6->setCaption(QStringLiteral(" Click Events "));
    pages->addSheet(TabSheet6);
    auto *layout = new QGridLayout(TabSheet6);
    layout->setColumnStretch(8, 1);

    CheckBox4 = components.create<CheckBox>(
        QStringLiteral("CheckBox4"), QStringLiteral("Merge \"Click To PopUp\" events into RealAudio / RealVideo files"),
        TabSheet6);
    QPalette red = CheckBox4->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    CheckBox4->setPalette(red);
    CheckBox4->setChecked(true);
    connect(CheckBox4, &QCheckBox::clicked, this, &ClickEventsPanel::CheckBox4Click);
    layout->addWidget(CheckBox4, 0, 0, 1, 9);

    auto addLabel = [this, &components, layout](const QString &name, const QString &caption, int row, int column) {
        Label *label = components.create<Label>(name, caption, TabSheet6);
        layout->addWidget(label, row, column);
        return label;
    };
    auto addSpin = [this, &components, layout](const QString &name, int maximum, int value, int column) {
        SpinEdit *spin = components.create<SpinEdit>(name, TabSheet6);
        spin->setRange(0, maximum);
        spin->setValue(value);
        spin->setFixedWidth(48);
        layout->addWidget(spin, 1, column);
        return spin;
    };
    // Each field is named, for assistive technology, by the label that tells what it holds: the
    // unit after a duration field, the caption before a text field.
    addLabel(QStringLiteral("Label1"), QStringLiteral("Duration:"), 1, 0);
    SpinEdit1 = addSpin(QStringLiteral("SpinEdit1"), 24, 3, 1);
    addLabel(QStringLiteral("Label2"), QStringLiteral("Hours"), 1, 2)->setBuddy(SpinEdit1);
    SpinEdit2 = addSpin(QStringLiteral("SpinEdit2"), 60, 0, 3);
    addLabel(QStringLiteral("Label3"), QStringLiteral("Minutes"), 1, 4)->setBuddy(SpinEdit2);
    SpinEdit3 = addSpin(QStringLiteral("SpinEdit3"), 60, 0, 5);
    addLabel(QStringLiteral("Label4"), QStringLiteral("Seconds"), 1, 6)->setBuddy(SpinEdit3);

    Label *showTextLabel = addLabel(QStringLiteral("Label5"), QStringLiteral("Show Text: "), 2, 0);
    Edit4 = components.create<QLineEdit>(QStringLiteral("Edit4"), TabSheet6);
    keepOnOneLine(Edit4);
    showTextLabel->setBuddy(Edit4);
    layout->addWidget(Edit4, 2, 1, 1, 8);
    Label *urlLabel = addLabel(QStringLiteral("Label6"), QStringLiteral("PopUp URL: "), 3, 0);
    Edit5 = components.create<QLineEdit>(QStringLiteral("Edit5"), TabSheet6);
    keepOnOneLine(Edit5);
    urlLabel->setBuddy(Edit5);
    layout->addWidget(Edit5, 3, 1, 1, 8);
    layout->setRowStretch(4, 1);

    connect(CheckBox4, &QCheckBox::toggled, this, &ClickEventsPanel::changed);
    for (SpinEdit *spin : {SpinEdit1, SpinEdit2, SpinEdit3})
        connect(spin, &SpinEdit::valueChanged, this, &ClickEventsPanel::changed);
    for (QLineEdit *field : {Edit4, Edit5})
        connect(field, &QLineEdit::textChanged, this, &ClickEventsPanel::changed);
}

bool ClickEventsPanel::isOn() const
{
    return CheckBox4->isChecked();
}

ClickMap ClickEventsPanel::clickMap() const
{
    return {SpinEdit1->value(), SpinEdit2->value(), SpinEdit3->value(), Edit5->text(), Edit4->text()};
}

void ClickEventsPanel::setClickEvent(bool on, const ClickMap &map)
{
    CheckBox4->setChecked(on);
    SpinEdit1->setValue(map.hours);
    SpinEdit2->setValue(map.minutes);
    SpinEdit3->setValue(map.seconds);
    Edit4->setText(map.showText);
    Edit5->setText(map.popUpUrl);
    CheckBox4Click();
}

void ClickEventsPanel::CheckBox4Click()
{
    const bool on = CheckBox4->isChecked();
    for (QWidget *field : {static_cast<QWidget *>(SpinEdit1), static_cast<QWidget *>(SpinEdit2),
                           static_cast<QWidget *>(SpinEdit3), static_cast<QWidget *>(Edit4),
                           static_cast<QWidget *>(Edit5)})
        field->setEnabled(on);
}
