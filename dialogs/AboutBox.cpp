// TAboutForm: the about box.
#include "dialogs/AboutBox.h"

#include "jobs/ProductInfo.h"
#include "platform/UserPrompts.h"
#include "widgets/LinkLabel.h"
#include "widgets/ToolbarIcons.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace {

const QString copyrightNotice = QStringLiteral("Copyright (C) 2026 Vanecraft Software");

QFont pixelFont(const QFont &base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedWidth(363);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    Image1 = new ClickableLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programIcon().pixmap(32, 32));
    Image1->setFixedSize(32, 32);
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &ClickableLabel::clicked, this, &TAboutForm::Image1Click);

    lbl2 = new QLabel(ProductInfo::name + QLatin1Char(' ') + ProductInfo::version, this);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    lbl2->setFont(pixelFont(font(), 16, true));
    // On the window-colour background a label would paint with the text role; keep it on its own.
    lbl2->setForegroundRole(QPalette::WindowText);
    QPalette maroon = lbl2->palette();
    maroon.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    lbl2->setPalette(maroon);

    lbl3 = new QLabel(copyrightNotice, this);
    lbl3->setObjectName(QStringLiteral("lbl3"));
    lbl3->setFont(pixelFont(font(), 12, false));

    UrlLbl1 = new LinkLabel(ProductInfo::homePage, this);
    UrlLbl1->setObjectName(QStringLiteral("UrlLbl1"));

    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    layout->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lbl2, 0, 1);
    layout->addWidget(lbl3, 1, 1);
    layout->addWidget(UrlLbl1, 2, 1);
    layout->addWidget(Button1, 3, 0, 1, 2, Qt::AlignHCenter);
    Button1->setFocus();
}

void TAboutForm::Image1Click()
{
    UserPrompts::current().openUrl(ProductInfo::homePage);
}

void TAboutForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
