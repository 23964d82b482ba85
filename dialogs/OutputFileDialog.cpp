// TFrmedtfile: the "Edit File" dialog for a file-list row's source and output paths.
#include "dialogs/OutputFileDialog.h"

#include "platform/UserPrompts.h"
#include "widgets/CaptionedWidgets.h"
#include "widgets/ListView.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString browseFilter = QStringLiteral("所有文件 (*.*)|*.*|RM文件(*.rm)|*.RM|RMVB(*rmvb)|*.RMVB");

QToolButton *browseButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

} // namespace

TFrmedtfile::TFrmedtfile(ListView *files, QWidget *parent)
    : QDialog(parent), m_files(files), m_row(files->selectedRow())
{
    setObjectName(QStringLiteral("Frmedtfile"));
    setWindowTitle(QStringLiteral("Edit File"));
    setFixedSize(452, 153);

    Label1 = new Label(QStringLiteral("Source File："), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button2 = browseButton(QStringLiteral("Button2"), QStringLiteral("..."), this);
    Label2 = new Label(QStringLiteral("Output File："), this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    Button3 = browseButton(QStringLiteral("Button3"), QStringLiteral(" ... "), this);
    BitBtn1 = new BitBtn(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new BitBtn(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(Button2, 0, 2);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Edit2, 1, 1);
    layout->addWidget(Button3, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    layout->addLayout(buttons, 2, 0, 1, 3);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(Button2, &QToolButton::clicked, this, &TFrmedtfile::Button2Click);
    connect(Button3, &QToolButton::clicked, this, &TFrmedtfile::Button3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmedtfile::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in a field presses the default button, "确定"; Escape rejects, as "取消" does.
}

void TFrmedtfile::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFrmedtfile::FormShow()
{
    Edit1->setText(m_files->caption(m_row));
    Edit2->setText(m_files->subItem(m_row, 0));
    Edit1->setFocus();
}

void TFrmedtfile::Button2Click()
{
    const QString chosen = UserPrompts::current().chooseFileToOpen(this, browseFilter, m_lastOpened);
    if (chosen.isEmpty())
        return;
    m_lastOpened = chosen;
    Edit1->setText(chosen);
}

void TFrmedtfile::Button3Click()
{
    const QString chosen = UserPrompts::current().chooseFileToSave(this, browseFilter, m_lastSaved);
    if (chosen.isEmpty())
        return;
    m_lastSaved = chosen;
    Edit2->setText(chosen);
}

void TFrmedtfile::BitBtn1Click()
{
    if (!QFileInfo(Edit1->text()).isFile()) {
        UserPrompts::current().showMessage(this, QStringLiteral("提示"), QStringLiteral("目标文件不存在，请重新输入！"),
                                           UserPrompts::Icon::Warning);
        return;
    }
    m_files->topLevelItem(m_row)->setText(0, Edit1->text());
    m_files->setSubItem(m_row, 0, Edit2->text());
    accept();
}
