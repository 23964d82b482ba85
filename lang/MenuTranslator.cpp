// TsmlMenuLangRes: the translator of a menu's captions.
#include "lang/MenuTranslator.h"

#include <QAction>

TsmlMenuLangRes::TsmlMenuLangRes(QObject *owner) : TsmlLangRes(owner)
{
}

void TsmlMenuLangRes::setMenu(QWidget *menu)
{
    m_menu = menu;
    UpdateLanguage();
}

void TsmlMenuLangRes::ApplyLanguage()
{
    if (!m_menu)
        return;
    const QList<QAction *> items = m_menu->actions();
    for (QAction *item : items)
        TranslateMenuItem(item);
}
