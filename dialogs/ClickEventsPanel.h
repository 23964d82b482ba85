#pragma once

#include "jobs/ScriptWriters.h"

#include <QObject>

class CheckBox;
class ComponentList;
class PageControl;
class QLineEdit;
class SpinEdit;
class TabSheet;

// The " Click Events " tab: for a set duration from the clip's start, a click on the picture opens
// the pop-up URL.
class ClickEventsPanel : public QObject
{
    Q_OBJECT

public:
    // Adds the tab to the pages; its components join the owner's list in creation order.
    ClickEventsPanel(PageControl *pages, ComponentList &components, QObject *parent);

    // Whether the click event is merged at all.
    bool isOn() const;
    ClickMap clickMap() const;
    // Shows these values, the fields enabled as the switch says.
    void setClickEvent(bool on, const ClickMap &map);

    TabSheet *TabSheet6 = nullptr;
    CheckBox *CheckBox4 = nullptr;
    SpinEdit *SpinEdit1 = nullptr;
    SpinEdit *SpinEdit2 = nullptr;
    SpinEdit *SpinEdit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;

signals:
    // The switch, the duration or a text changed, by a person or in code.
    void changed();

private:
    void CheckBox4Click();
};
