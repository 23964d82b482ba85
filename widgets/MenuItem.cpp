#include "widgets/MenuItem.h"

namespace {

const QString separatorCaption = QStringLiteral("-");

} // namespace

MenuItem::MenuItem(const QString &caption, QObject *parent) : QAction(parent)
{
    setCaption(caption);
}

QString MenuItem::caption() const
{
    return isSeparator() ? separatorCaption : text();
}

void MenuItem::setCaption(const QString &caption)
{
    // A separator with a text is drawn with that text beside its line.
    const bool separator = caption == separatorCaption;
    setSeparator(separator);
    setText(separator ? QString() : caption);
}
