#pragma once

#include <QTabWidget>

class TabSheet;

// A tabbed page control whose pages are TabSheets; each sheet's caption is its tab's text.
class PageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
    void addSheet(TabSheet *sheet);
    // Every tab this many pixels high, whatever the font.
    void setTabHeight(int height);
};

class TabSheet : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    explicit TabSheet(QWidget *parent = nullptr) : QWidget(parent) {}
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

private:
    QString m_caption;
};
