#pragma once

#include "widgets/ClickableLabel.h"

// A web link: shows its address underlined in the highlight colour with a hand cursor, opens it
// when clicked and turns purple once it has been opened.
class LinkLabel : public ClickableLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &address, QWidget *parent = nullptr);
    QString address() const { return m_address; }
    bool isVisited() const { return m_visited; }
    // Opens the address; true when the desktop took it.
    bool open();

private:
    void setColor(const QColor &color);

    QString m_address;
    bool m_visited = false;
};
