// TAboutForm: the about box.
#pragma once

#include <QDialog>

class ClickableLabel;
class LinkLabel;
class QLabel;
class QPushButton;

// "About": the product name and version, the maker's copyright and the home page link.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);

    void Image1Click();

    ClickableLabel *Image1 = nullptr;
    QLabel *lbl2 = nullptr;
    QLabel *lbl3 = nullptr;
    LinkLabel *UrlLbl1 = nullptr;
    QPushButton *Button1 = nullptr;

protected:
    // Escape does not close the box; "Close", Enter and the close box do.
    void keyPressEvent(QKeyEvent *event) override;
};
