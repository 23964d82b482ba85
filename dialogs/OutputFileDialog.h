// TFrmedtfile: the "Edit File" dialog for a file-list row's source and output paths.
#pragma once

#include <QDialog>

class BitBtn;
class Label;
class ListView;
class QLineEdit;
class QToolButton;

// "Edit File": changes the source and the output path of the file list's selected row.
class TFrmedtfile : public QDialog
{
    Q_OBJECT

public:
    // Works on the selected row of this list, which must have one.
    explicit TFrmedtfile(ListView *files, QWidget *parent = nullptr);

    void FormShow();
    void Button2Click();
    void Button3Click();
    // Applies the two paths to the row when a file exists at the source path; otherwise says so
    // and stays open with what was typed.
    void BitBtn1Click();

    Label *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QToolButton *Button2 = nullptr;
    Label *Label2 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QToolButton *Button3 = nullptr;
    BitBtn *BitBtn1 = nullptr;
    BitBtn *BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    ListView *m_files;
    int m_row;
    QString m_lastOpened;
    QString m_lastSaved;
};
