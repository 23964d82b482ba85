#pragma once

#include <QWidget>

// A horizontal progress gauge over byte counts: 64-bit, so clips of 2 GiB and more show the right
// percentage. Setting the maximum brings the progress within it.
class Gauge : public QWidget
{
    Q_OBJECT
public:
    explicit Gauge(QWidget *parent = nullptr);

    qint64 maxValue() const { return m_maxValue; }
    void setMaxValue(qint64 maxValue);
    qint64 progress() const { return m_progress; }
    void setProgress(qint64 progress);
    int percentDone() const;

    void setForeColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint64 m_maxValue = 100;
    qint64 m_progress = 0;
    QColor m_foreColor;
};
