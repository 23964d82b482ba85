// TsmlLangRes: the base of the language translators.
#include "lang/Translator.h"

#include "jobs/AppFolder.h"
#include "lang/IniFile.h"
#include "lang/InvalidOwnerError.h"
#include "lang/PublishedProperties.h"
#include "platform/PathSeparators.h"
#include "widgets/ListView.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTreeWidget>
#include <algorithm>

namespace {

const QString menuSeparatorCaption = QStringLiteral("-");

QObject *checkedOwner(QObject *owner)
{
    const auto *components = dynamic_cast<ComponentOwner *>(owner);
    if (!components || components->OwnerKind() == ComponentOwner::Kind::Other)
        throw InvalidOwnerError();
    return owner;
}

QString indexed(const QString &key, qsizetype index)
{
    return key + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

void collectNodes(QTreeWidgetItem *node, QList<QTreeWidgetItem *> &nodes)
{
    nodes.append(node);
    for (int child = 0; child < node->childCount(); ++child)
        collectNodes(node->child(child), nodes);
}

// Windows' profile reader trims the blanks around a value, so a value of blanks and tabs only
// reads as empty there; here too it counts as missing. The bracket form keeps blanks.
bool isBlank(const QString &value)
{
    return std::all_of(value.cbegin(), value.cend(),
                       [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); });
}

} // namespace

const QString TsmlLangRes::DefaultLangFileName = QStringLiteral("DefLang.ini");

TsmlLangRes::TsmlLangRes(QObject *owner)
    : QObject(checkedOwner(owner)), m_ownerObject(owner), m_owner(dynamic_cast<ComponentOwner *>(owner)),
      m_ownerKind(m_owner->OwnerKind())
{
}

QString TsmlLangRes::LangFileName() const
{
    qsizetype start = m_langFilePath.size();
    while (start > 0 && !isPathSeparator(m_langFilePath[start - 1]))
        --start;
    return m_langFilePath.mid(start);
}

void TsmlLangRes::setLangFileName(const QString &name)
{
    m_langFilePath = workingFolder() + name;
    UpdateLanguage();
}

QString TsmlLangRes::LangFilePath() const
{
    return QDir::isRelativePath(m_langFilePath) ? workingFolder() + m_langFilePath : m_langFilePath;
}

void TsmlLangRes::setIgnoreEmptyString(bool ignore)
{
    m_ignoreEmptyString = ignore;
    UpdateLanguage();
}

void TsmlLangRes::setAutoCreateMode(bool autoCreate)
{
    m_autoCreateMode = autoCreate;
    UpdateLanguage();
}

void TsmlLangRes::setActive(bool active)
{
    m_active = active;
    UpdateLanguage();
}

void TsmlLangRes::UpdateLanguage()
{
    if (!m_active)
        return;
    // One pass over the owner reads the file once.
    m_passFile.emplace(LangFilePath());
    const auto endPass = qScopeGuard([this] { m_passFile.reset(); });
    ApplyLanguage();
}

QString TsmlLangRes::section() const
{
    return QString::fromUtf8(m_ownerObject->metaObject()->className());
}

IniFile TsmlLangRes::languageFile() const
{
    return m_passFile ? *m_passFile : IniFile(LangFilePath());
}

QString TsmlLangRes::DecodeValue(const QString &text)
{
    if (text.startsWith(QLatin1Char('<')) && text.endsWith(QLatin1Char('>')))
        return text.mid(1, text.size() - 2);
    return text;
}

QString TsmlLangRes::EncodeValue(const QString &text) const
{
    return m_addBracket ? QLatin1Char('<') + text + QLatin1Char('>') : text;
}

bool TsmlLangRes::mayCreateEntry(const QString &text) const
{
    // A line break would end the entry early: the text could never be read back whole.
    const bool storable = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    return (!text.isEmpty() || !m_ignoreEmptyString) && m_autoCreateMode && storable;
}

void TsmlLangRes::translateText(const IniFile &file, const QString &key, const QString &current,
                                const Apply &apply) const
{
    const std::optional<QString> stored = file.readValue(section(), key);
    const QString value = stored.value_or(QString());
    if (!isBlank(value)) {
        apply(DecodeValue(value));
        return;
    }
    // An entry left empty on purpose is found again at every start; writing it back unchanged
    // would cost a read and a parse of the whole file each time.
    const QString created = EncodeValue(current);
    if (mayCreateEntry(current) && stored != created)
        file.writeString(section(), key, created);
}

void TsmlLangRes::TranslateStrProp(QObject *component, const QString &propName)
{
    const QMetaProperty property = publishedProperty(component, propName);
    if (property.metaType() != QMetaType::fromType<QString>())
        return;
    translateText(languageFile(), component->objectName() + QLatin1Char('_') + propName,
                  property.read(component).toString(),
                  [&](const QString &text) { property.write(component, text); });
}

void TsmlLangRes::TranslateStringsProp(QObject *component, const QString &propName)
{
    const QMetaProperty property = publishedProperty(component, propName);
    if (property.metaType() != QMetaType::fromType<QStringList>())
        return;
    const IniFile file = languageFile();
    const QString key = component->objectName() + QLatin1Char('_') + propName;
    QStringList lines = property.read(component).toStringList();
    const qsizetype count = lines.size();
    for (qsizetype index = 0; index < count; ++index) {
        translateText(file, indexed(key, index), lines[index], [&](const QString &text) {
            lines[index] = text;
            property.write(component, lines);
        });
    }
}

void TsmlLangRes::TranslateFont(QObject *control)
{
    const QMetaProperty property = publishedProperty(control, QStringLiteral("Font"));
    if (property.metaType() != QMetaType::fromType<QFont>())
        return;
    const IniFile file = languageFile();
    const QString key = control->objectName();
    QFont font = property.read(control).value<QFont>();

    const QString faceName = file.readString(section(), key + QLatin1String("_FontName"), QString());
    if (!isBlank(faceName)) {
        font.setFamily(DecodeValue(faceName));
        property.write(control, font);
    } else if (m_autoCreateMode) {
        file.writeString(section(), key + QLatin1String("_FontName"), EncodeValue(font.family()));
    }

    // Qt knows no point sizes below 1; a negative size in the file leaves the font alone.
    const int pointSize = file.readInteger(section(), key + QLatin1String("_FontSize"), 0);
    if (pointSize > 0) {
        font.setPointSize(pointSize);
        property.write(control, font);
    } else if (pointSize == 0 && m_autoCreateMode) {
        file.writeInteger(section(), key + QLatin1String("_FontSize"), font.pointSize());
    }

    auto *owner = dynamic_cast<ComponentOwner *>(control);
    if (!owner)
        return;
    const int charset = file.readInteger(section(), key + QLatin1String("_FontCharset"), -1);
    if (charset != -1)
        owner->setFontCharset(charset & 0xff);
    else if (m_autoCreateMode)
        file.writeInteger(section(), key + QLatin1String("_FontCharset"), owner->FontCharset());
}

void TsmlLangRes::TranslateHeaderSections(QHeaderView *headerControl)
{
    QAbstractItemModel *model = headerControl->model();
    if (!model)
        return;
    const IniFile file = languageFile();
    const QString key = headerControl->objectName() + QLatin1String("_SectionsText");
    const Qt::Orientation orientation = headerControl->orientation();
    const int count = headerControl->count();
    for (int index = 0; index < count; ++index) {
        translateText(file, indexed(key, index), model->headerData(index, orientation).toString(),
                      [&](const QString &text) { model->setHeaderData(index, orientation, text); });
    }
}

void TsmlLangRes::TranslateListColumns(ListView *listView)
{
    const IniFile file = languageFile();
    const QString key = listView->objectName() + QLatin1String("_ColumnCaption");
    QTreeWidgetItem *head = listView->headerItem();
    const int count = listView->columnCount();
    for (int column = 0; column < count; ++column) {
        translateText(file, indexed(key, column), head->text(column),
                      [&](const QString &text) { head->setText(column, text); });
    }
}

void TsmlLangRes::TranslateListItems(ListView *listView)
{
    const IniFile file = languageFile();
    const QString name = listView->objectName();
    const int count = listView->topLevelItemCount();
    for (int row = 0; row < count; ++row) {
        QTreeWidgetItem *item = listView->topLevelItem(row);
        translateText(file, indexed(name + QLatin1String("_ItemCaption"), row), item->text(0),
                      [&](const QString &text) { item->setText(0, text); });
        const QString subItemKey = indexed(name + QLatin1String("_SubItem"), row) + QLatin1String("Caption");
        const int subItems = std::max(item->columnCount() - 1, 0);
        for (int subItem = 0; subItem < subItems; ++subItem) {
            translateText(file, indexed(subItemKey, subItem), item->text(subItem + 1),
                          [&](const QString &text) { item->setText(subItem + 1, text); });
        }
    }
}

void TsmlLangRes::TranslateTreeNodes(QTreeWidget *treeView)
{
    QList<QTreeWidgetItem *> nodes;
    for (int top = 0; top < treeView->topLevelItemCount(); ++top)
        collectNodes(treeView->topLevelItem(top), nodes);
    const IniFile file = languageFile();
    const QString key = treeView->objectName() + QLatin1String("_ItemText");
    for (qsizetype index = 0; index < nodes.size(); ++index) {
        QTreeWidgetItem *node = nodes[index];
        translateText(file, indexed(key, index), node->text(0), [&](const QString &text) { node->setText(0, text); });
    }
}

void TsmlLangRes::TranslateGridColumns(QTableWidget *grid)
{
    const IniFile file = languageFile();
    const QString key = grid->objectName() + QLatin1String("_ColumnsCaption");
    const int count = grid->columnCount();
    for (int column = 0; column < count; ++column) {
        const QTableWidgetItem *title = grid->horizontalHeaderItem(column);
        translateText(file, indexed(key, column), title ? title->text() : QString(), [&](const QString &text) {
            if (QTableWidgetItem *item = grid->horizontalHeaderItem(column))
                item->setText(text);
            else
                grid->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        });
    }
}

void TsmlLangRes::TranslateMenuItem(QAction *menuItem)
{
    // A Qt separator may carry no caption at all.
    if (menuItem->isSeparator() || menuItem->text() == menuSeparatorCaption)
        return;
    TranslateStrProp(menuItem, QStringLiteral("Caption"));
    if (const QMenu *subMenu = menuItem->menu()) {
        const QList<QAction *> subItems = subMenu->actions();
        for (QAction *subItem : subItems)
            TranslateMenuItem(subItem);
    }
}

QString TsmlLangRes::TranslateMsg(const QString &name, const QString &defaultText)
{
    QString message;
    translateText(languageFile(), name, defaultText, [&](const QString &text) { message = text; });
    return message;
}
