#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A framed group of radio buttons, one per item, laid out in columns; the selected item is its
// index (-1 for none). Takes the keyboard focus as one control.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)

public:
    explicit RadioGroup(QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);
    void setColumns(int columns);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *button(int index) const;

private:
    void rebuild();
    void updateTabStop();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_buttons;
    QGridLayout *m_layout;
};
