// TFrmevent: the dialog that adds or edits a time event.
#pragma once

#include <QDialog>

class BitBtn;
class GroupBox;
class Label;
class ListView;
class QLineEdit;
class RadioGroup;
class UpDown;

// "Edit Event": adds a time event to the time-event list or edits its selected row.
class TFrmevent : public QDialog
{
    Q_OBJECT

public:
    // The dialog's modes, kept by the main window in an int it shares with the dialog.
    enum Mode { AddMode = 1, EditMode = 2 };

    TFrmevent(ListView *events, int &eventDialogMode, QWidget *parent = nullptr);

    void FormShow();
    void SaveInfo();
    void BitBtn1Click();
    void BitBtn3Click();

    GroupBox *GroupBox1 = nullptr;
    Label *Label2 = nullptr;
    Label *Label3 = nullptr;
    QLineEdit *edtHour1 = nullptr;
    QLineEdit *edtMinute1 = nullptr;
    QLineEdit *edtSecond1 = nullptr;
    QLineEdit *edtHour2 = nullptr;
    QLineEdit *edtMinute2 = nullptr;
    QLineEdit *edtSecond2 = nullptr;
    UpDown *UpDown1 = nullptr;
    UpDown *UpDown2 = nullptr;
    UpDown *UpDown3 = nullptr;
    UpDown *UpDown4 = nullptr;
    UpDown *UpDown5 = nullptr;
    UpDown *UpDown6 = nullptr;
    GroupBox *GroupBox2 = nullptr;
    Label *Label1 = nullptr;
    QLineEdit *EdtUrl = nullptr;
    RadioGroup *RadioGroup1 = nullptr;
    BitBtn *BitBtn3 = nullptr;
    BitBtn *BitBtn1 = nullptr;
    BitBtn *BitBtn2 = nullptr;

signals:
    // A time event was added or the selected one changed.
    void saved();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createTimeRow(int row, Label *heading, QLineEdit *&hours, UpDown *&hoursUpDown, QLineEdit *&minutes,
                       UpDown *&minutesUpDown, QLineEdit *&seconds, UpDown *&secondsUpDown);
    void UpDown1Changing();
    void UpDown2Changing();
    void UpDown3Changing();
    void resetFields();

    ListView *m_events;
    int &m_mode;
};
