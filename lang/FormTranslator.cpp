// TsmlFormLangRes: the translator of a form's font and captions.
#include "lang/FormTranslator.h"

#include "lang/ComponentKinds.h"
#include "lang/PublishedProperties.h"

TsmlFormLangRes::TsmlFormLangRes(QObject *owner) : TsmlLangRes(owner)
{
    for (StringList *list : {&m_stringProperties, &m_stringsProperties, &m_ignoreControls})
        list->setOnChange([this] { ListChange(); });
}

void TsmlFormLangRes::setIgnoreFormCaption(bool ignore)
{
    m_ignoreFormCaption = ignore;
    UpdateLanguage();
}

void TsmlFormLangRes::setIncludeListViewItems(bool include)
{
    m_includeListViewItems = include;
    UpdateLanguage();
}

void TsmlFormLangRes::setIncludeListViewHead(bool include)
{
    m_includeListViewHead = include;
    UpdateLanguage();
}

void TsmlFormLangRes::setIncludeTreeViewItems(bool include)
{
    m_includeTreeViewItems = include;
    UpdateLanguage();
}

void TsmlFormLangRes::ListChange()
{
    UpdateLanguage();
}

void TsmlFormLangRes::ApplyLanguage()
{
    if (ownerKind() != ComponentOwner::Kind::Form && ownerKind() != ComponentOwner::Kind::Frame)
        return;
    TranslateFont(ownerObject());
    translateProperties(ownerObject(), true);
    const QList<QObject *> components = owner().Components();
    for (QObject *component : components)
        translateComponent(component);
}

void TsmlFormLangRes::translateComponent(QObject *component)
{
    if (qobject_cast<TsmlFormLangRes *>(component) || ComponentKinds::isTimer(component)
        || ComponentKinds::asMenuItem(component))
        return;
    if (m_ignoreControls.contains(component->objectName()))
        return;
    if (ListView *listView = ComponentKinds::asListView(component)) {
        if (m_includeListViewHead)
            TranslateListColumns(listView);
        if (m_includeListViewItems)
            TranslateListItems(listView);
        return;
    }
    if (QTreeWidget *treeView = ComponentKinds::asTreeView(component); treeView && m_includeTreeViewItems) {
        TranslateTreeNodes(treeView);
        return;
    }
    if (QHeaderView *headerControl = ComponentKinds::asHeaderControl(component)) {
        TranslateHeaderSections(headerControl);
        return;
    }
    if (QTableWidget *grid = ComponentKinds::asDataGrid(component)) {
        TranslateGridColumns(grid);
        return;
    }
    translateProperties(component, false);
}

void TsmlFormLangRes::translateProperties(QObject *component, bool isOwner)
{
    const QStringList stringProperties = m_stringProperties.lines();
    for (const QString &name : stringProperties) {
        if (isOwner && m_ignoreFormCaption && name == QLatin1String("Caption"))
            continue;
        if (HasProp(component, name))
            TranslateStrProp(component, name);
    }
    const QStringList stringsProperties = m_stringsProperties.lines();
    for (const QString &name : stringsProperties) {
        if (HasProp(component, name))
            TranslateStringsProp(component, name);
    }
}
