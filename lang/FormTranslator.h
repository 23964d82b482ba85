// TsmlFormLangRes: the translator of a form's font and captions.
#pragma once

#include "lang/Translator.h"
#include "lang/StringList.h"

#include <QStringList>

// `TsmlFormLangRes`: translates the font and string properties of its owner form or frame and the
// texts of the components the owner holds, in their creation order: by default every `Caption`
// and every line of `Tabs` and `Items`; on request the columns and items of list views and the
// nodes of tree views; always the sections of header controls and the column titles of data grids.
// Owned by a data module it does nothing.
//
// Any change of a setting but `AddBracket`, or of a line of its three lists, re-applies the
// language while the translator is active; each run visits the components the owner holds then.
class TsmlFormLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(QStringList StringProperties READ stringPropertiesLines WRITE setStringProperties)
    Q_PROPERTY(QStringList StringsProperties READ stringsPropertiesLines WRITE setStringsProperties)
    Q_PROPERTY(QStringList IgnoreControls READ ignoreControlsLines WRITE setIgnoreControls)
    Q_PROPERTY(bool IgnoreFormCaption READ IgnoreFormCaption WRITE setIgnoreFormCaption)
    Q_PROPERTY(bool IncludeListViewItems READ IncludeListViewItems WRITE setIncludeListViewItems)
    Q_PROPERTY(bool IncludeListViewHead READ IncludeListViewHead WRITE setIncludeListViewHead)
    Q_PROPERTY(bool IncludeTreeViewItems READ IncludeTreeViewItems WRITE setIncludeTreeViewItems)
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit TsmlFormLangRes(QObject *owner);

    // Names of string properties; matched without regard to case, keyed as written here.
    StringList &StringProperties() { return m_stringProperties; }
    QStringList stringPropertiesLines() const { return m_stringProperties.lines(); }
    void setStringProperties(const QStringList &lines) { m_stringProperties.assign(lines); }
    // Names of string-list properties, translated line by line.
    StringList &StringsProperties() { return m_stringsProperties; }
    QStringList stringsPropertiesLines() const { return m_stringsProperties.lines(); }
    void setStringsProperties(const QStringList &lines) { m_stringsProperties.assign(lines); }
    // Names of components to leave alone, compared exactly.
    StringList &IgnoreControls() { return m_ignoreControls; }
    QStringList ignoreControlsLines() const { return m_ignoreControls.lines(); }
    void setIgnoreControls(const QStringList &lines) { m_ignoreControls.assign(lines); }

    // Leaves the owner's own "Caption" alone (the line written exactly so).
    bool IgnoreFormCaption() const { return m_ignoreFormCaption; }
    void setIgnoreFormCaption(bool ignore);
    bool IncludeListViewItems() const { return m_includeListViewItems; }
    void setIncludeListViewItems(bool include);
    bool IncludeListViewHead() const { return m_includeListViewHead; }
    void setIncludeListViewHead(bool include);
    bool IncludeTreeViewItems() const { return m_includeTreeViewItems; }
    void setIncludeTreeViewItems(bool include);

protected:
    void ApplyLanguage() override;

private:
    void ListChange();
    void translateComponent(QObject *component);
    void translateProperties(QObject *component, bool isOwner);

    StringList m_stringProperties{QStringList{QStringLiteral("Caption")}};
    StringList m_stringsProperties{QStringList{QStringLiteral("Tabs"), QStringLiteral("Items")}};
    StringList m_ignoreControls;
    bool m_ignoreFormCaption = false;
    bool m_includeListViewItems = false;
    bool m_includeListViewHead = false;
    bool m_includeTreeViewItems = false;
};
