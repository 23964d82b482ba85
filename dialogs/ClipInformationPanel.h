#pragma once

#include "jobs/ScriptWriters.h"

#include <QObject>

class CheckBox;
class ComponentList;
class PageControl;
class QLineEdit;
class QPlainTextEdit;
class TabSheet;

// The " Clip Information " tab: five items, each merged only while its box is checked.
class ClipInformationPanel : public QObject
{
    Q_OBJECT

public:
    // Adds the tab to the pages; its components join the owner's list in creation order.
    ClipInformationPanel(PageControl *pages, ComponentList &components, QObject *parent);

    ClipInformation clipInformation() const;
    // Shows these items, each field enabled as its box says.
    void setClipInformation(const ClipInformation &information);

    TabSheet *TabSheet7 = nullptr;
    CheckBox *CheckBox1 = nullptr;
    CheckBox *CheckBox2 = nullptr;
    CheckBox *CheckBox3 = nullptr;
    CheckBox *chk1 = nullptr;
    CheckBox *chk2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *edt1 = nullptr;
    QPlainTextEdit *mmo1 = nullptr;

signals:
    // A box or a text changed, by a person or in code.
    void changed();

private:
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void chk1Click();
    void chk2Click();
};
