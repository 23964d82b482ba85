// ClipValuesWindow: every listed clip's own values beside the batch's, to read and edit.
#pragma once

#include <QWidget>

class ClipValuesModel;
class QPushButton;
class QTableView;

// A window beside the main window, not modal: the table of the listed clips' values, with Import...,
// Export... and Close. It shows the model it is given, which keeps up with the list and the tabs.
class ClipValuesWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ClipValuesWindow(ClipValuesModel &model, QWidget *parent = nullptr);

    QTableView *table = nullptr;
    QPushButton *importButton = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *closeButton = nullptr;

signals:
    void importRequested();
    void exportRequested();
};
