// TsmlLangRes: the base of the language translators.
#pragma once

#include "lang/ComponentOwner.h"
#include "lang/IniFile.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class ListView;
class QAction;
class QHeaderView;
class QTableWidget;
class QTreeWidget;

// `TsmlLangRes`: the common base of the translators a form, data module or frame carries to take
// its texts from a language file. An active translator looks each text up in the owner's section
// (the owner's class name); a text the file holds replaces the one in the user interface, and in
// auto-create mode a missing text is written into the file with its current value.
//
// The translator is a child of its owner and is destroyed with it; the owner lists it among its
// components. Each descendant publishes `Active` as its last setting, so that code that sets the
// settings in published order applies the language once, with every setting in place. A write the
// system refuses throws IniFileWriteError out of whatever setting started the run.
class TsmlLangRes : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString LangFileName READ LangFileName WRITE setLangFileName)
    Q_PROPERTY(bool IgnoreEmptyString READ IgnoreEmptyString WRITE setIgnoreEmptyString)
    Q_PROPERTY(bool AutoCreateMode READ AutoCreateMode WRITE setAutoCreateMode)
    Q_PROPERTY(bool AddBracket READ AddBracket WRITE setAddBracket)

public:
    static const QString DefaultLangFileName;

    // The file-name part of the language file's path.
    QString LangFileName() const;
    // Takes the working folder followed by the name as given, a sub-folder included.
    void setLangFileName(const QString &name);
    // The language file the translator reads and writes; a name never assigned lies in the
    // working folder.
    QString LangFilePath() const;

    bool IgnoreEmptyString() const { return m_ignoreEmptyString; }
    void setIgnoreEmptyString(bool ignore);
    bool AutoCreateMode() const { return m_autoCreateMode; }
    void setAutoCreateMode(bool autoCreate);
    // Takes effect at the next run.
    bool AddBracket() const { return m_addBracket; }
    void setAddBracket(bool addBracket) { m_addBracket = addBracket; }
    // Every assignment of true runs the language, also of an unchanged value.
    bool Active() const { return m_active; }
    void setActive(bool active);

protected:
    // Throws InvalidOwnerError unless the owner is a ComponentOwner form, data module or frame.
    explicit TsmlLangRes(QObject *owner);

    // Visits the texts of the owner; only `UpdateLanguage` calls it.
    virtual void ApplyLanguage() = 0;
    // Runs `ApplyLanguage` when active.
    void UpdateLanguage();

    ComponentOwner::Kind ownerKind() const { return m_ownerKind; }
    QObject *ownerObject() const { return m_ownerObject; }
    const ComponentOwner &owner() const { return *m_owner; }

    // The translation primitives: each opens the language file once for all the texts it visits.
    // A property is translated only when it is a string property (a string list for
    // `TranslateStringsProp`); any other is passed over.
    void TranslateStrProp(QObject *component, const QString &propName);
    void TranslateStringsProp(QObject *component, const QString &propName);
    // Face name, point size and, for an owner, the character set of the control's font.
    void TranslateFont(QObject *control);
    void TranslateHeaderSections(QHeaderView *headerControl);
    void TranslateListColumns(ListView *listView);
    void TranslateListItems(ListView *listView);
    // Nodes by their index in the whole tree: each node before its children, depth first.
    void TranslateTreeNodes(QTreeWidget *treeView);
    void TranslateGridColumns(QTableWidget *grid);
    // The item's caption and its sub-items', depth first; a separator and all under it are passed
    // over.
    void TranslateMenuItem(QAction *menuItem);
    // The message's text from the file, or an empty string when the file has none.
    QString TranslateMsg(const QString &name, const QString &defaultText);

    // A value in brackets loses them, whatever `AddBracket` says now.
    static QString DecodeValue(const QString &text);
    QString EncodeValue(const QString &text) const;

private:
    using Apply = std::function<void(const QString &)>;

    QString section() const;
    IniFile languageFile() const;
    // One text: a non-empty value in the file replaces it; otherwise the text may be written.
    void translateText(const IniFile &file, const QString &key, const QString &current, const Apply &apply) const;
    bool mayCreateEntry(const QString &text) const;

    QString m_langFilePath = DefaultLangFileName;
    bool m_ignoreEmptyString = false;
    bool m_autoCreateMode = true;
    bool m_addBracket = false;
    bool m_active = false;
    QObject *m_ownerObject;
    ComponentOwner *m_owner;
    ComponentOwner::Kind m_ownerKind;
    // The file of the pass under way, so that a pass reads it once.
    std::optional<IniFile> m_passFile;
};
