// TsmlMenuLangRes: the translator of a menu's captions.
#pragma once

#include "lang/Translator.h"

#include <QPointer>
#include <QWidget>

// `TsmlMenuLangRes`: translates the captions of every item of one menu, a menu bar or a pop-up
// menu, depth first, passing over separators and everything under them. The menu is not owned;
// when it is destroyed the translator is left without one.
class TsmlMenuLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(QWidget *Menu READ Menu WRITE setMenu)
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit TsmlMenuLangRes(QObject *owner);

    // A QMenuBar or a QMenu, whose actions are its items.
    QWidget *Menu() const { return m_menu; }
    // Re-applies the language, also when the same menu is assigned again.
    void setMenu(QWidget *menu);

protected:
    void ApplyLanguage() override;

private:
    QPointer<QWidget> m_menu;
};
