#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows attached to a read-only field: they, or the arrow keys while the field has the
// focus, step the position by one within its bounds, without wrapping. Every position set shows
// in the field with two digits.
class UpDown : public QWidget
{
    Q_OBJECT

public:
    UpDown(QLineEdit *associate, int minimum, int maximum, QWidget *parent = nullptr);

    int position() const { return m_position; }
    // Sets and shows the position; valueChanged follows only when it really changed.
    void setPosition(int position);
    void stepBy(int steps);

signals:
    void valueChanged(int position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_associate;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_minimum;
    int m_maximum;
    int m_position;
};
