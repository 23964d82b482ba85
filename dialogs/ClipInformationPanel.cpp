#include "dialogs/ClipInformationPanel.h"

#include "dialogs/OneLineField.h"
#include "lang/ComponentList.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/PageControl.h"
#include "widgets/TypedText.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

ClipInformationPanel::ClipInformationPanel(PageControl *pages, ComponentList &components, QObject *parent)
    : QObject(parent)
{
    TabSheet7 = components.create<TabSheet>(QStringLiteral("TabSheet7"), pages);
    TabSheet7->setCaption(QStringLiteral(" Clip Information "));
    pages->addSheet(TabSheet7);
    auto *layout = new QGridLayout(TabSheet7);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);

    auto addItem = [this, &components, layout](const QString &boxName, const QString &caption,
                                               const QString &fieldName, int row, int column,
                                               void (ClipInformationPanel::*handler)()) {
        CheckBox *box = components.create<CheckBox>(boxName, caption, TabSheet7);
        QLineEdit *field = components.create<QLineEdit>(fieldName, TabSheet7);
        keepOnOneLine(field);
        field->setEnabled(false);
        box->setBuddy(field);
        connect(box, &QCheckBox::clicked, this, handler);
        connect(box, &QCheckBox::toggled, this, &ClipInformationPanel::changed);
        connect(field, &QLineEdit::textChanged, this, &ClipInformationPanel::changed);
        layout->addWidget(box, row, column);
        layout->addWidget(field, row, column + 1);
        return std::pair{box, field};
    };
    std::tie(CheckBox1, Edit1) = addItem(QStringLiteral("CheckBox1"), QStringLiteral("Title:"),
                                         QStringLiteral("Edit1"), 0, 0, &ClipInformationPanel::CheckBox1Click);
    std::tie(CheckBox2, Edit2) = addItem(QStringLiteral("CheckBox2"), QStringLiteral("Copyright:"),
                                         QStringLiteral("Edit2"), 1, 0, &ClipInformationPanel::CheckBox2Click);
    std::tie(CheckBox3, Edit3) = addItem(QStringLiteral("CheckBox3"), QStringLiteral("Author:"),
                                         QStringLiteral("Edit3"), 0, 2, &ClipInformationPanel::CheckBox3Click);
    std::tie(chk1, edt1) = addItem(QStringLiteral("chk1"), QStringLiteral("Keywords:"), QStringLiteral("edt1"),
                                   1, 2, &ClipInformationPanel::chk1Click);

    chk2 = components.create<CheckBox>(QStringLiteral("chk2"), QStringLiteral("Description:"), TabSheet7);
    connect(chk2, &QCheckBox::clicked, this, &ClipInformationPanel::chk2Click);
    layout->addWidget(chk2, 2, 0, Qt::AlignTop);
    mmo1 = components.create<QPlainTextEdit>(QStringLiteral("mmo1"), TabSheet7);
    mmo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmo1->setEnabled(false);
    chk2->setBuddy(mmo1);
    connect(chk2, &QCheckBox::toggled, this, &ClipInformationPanel::changed);
    connect(mmo1, &QPlainTextEdit::textChanged, this, &ClipInformationPanel::changed);
    layout->addWidget(mmo1, 2, 1, 1, 3);
    layout->setRowStretch(2, 1);
}

ClipInformation ClipInformationPanel::clipInformation() const
{
    return {{CheckBox1->isChecked(), Edit1->text()},
            {CheckBox2->isChecked(), Edit2->text()},
            {CheckBox3->isChecked(), Edit3->text()},
            {chk1->isChecked(), edt1->text()},
            {chk2->isChecked(), typedText(*mmo1)}};
}

void ClipInformationPanel::setClipInformation(const ClipInformation &information)
{
    const struct {
        const ClipInfoItem &item;
        CheckBox *box;
        QLineEdit *field;
        void (ClipInformationPanel::*handler)();
    } items[] = {{information.title, CheckBox1, Edit1, &ClipInformationPanel::CheckBox1Click},
                 {information.copyright, CheckBox2, Edit2, &ClipInformationPanel::CheckBox2Click},
                 {information.author, CheckBox3, Edit3, &ClipInformationPanel::CheckBox3Click},
                 {information.keywords, chk1, edt1, &ClipInformationPanel::chk1Click}};
    for (const auto &entry : items) {
        entry.box->setChecked(entry.item.checked);
        entry.field->setText(entry.item.text);
        (this->*entry.handler)();
    }
    chk2->setChecked(information.description.checked);
    mmo1->setPlainText(information.description.text);
    chk2Click();
}

void ClipInformationPanel::CheckBox1Click()
{
    Edit1->setEnabled(CheckBox1->isChecked());
}

void ClipInformationPanel::CheckBox2Click()
{
    Edit2->setEnabled(CheckBox2->isChecked());
}

void ClipInformationPanel::CheckBox3Click()
{
    Edit3->setEnabled(CheckBox3->isChecked());
}

void ClipInformationPanel::chk1Click()
{
    edt1->setEnabled(chk1->isChecked());
}

void ClipInformationPanel::chk2Click()
{
    mmo1->setEnabled(chk2->isChecked());
}
