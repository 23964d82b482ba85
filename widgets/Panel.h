#pragma once

#include <QFrame>

// A container without a bevel that shows its caption centred, like the panels of the main window.
class Panel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit Panel(QWidget *parent = nullptr) : QFrame(parent) {}
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
