// TsmlMsgLangRes: the translator of named messages.
#pragma once

#include "lang/Translator.h"
#include "lang/StringList.h"

#include <QStringList>

// `TsmlMsgLangRes`: keeps named messages, one a line as name "=" text (the name ends at the first
// "="). Each run takes the text of every message the language file holds and writes every message
// it lacks, so that afterwards the lines carry the texts of the current language. Any change of a
// line re-runs all messages while the translator is active.
class TsmlMsgLangRes : public TsmlLangRes
{
    Q_OBJECT
    Q_PROPERTY(QStringList MsgList READ msgListLines WRITE setMsgList)
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit TsmlMsgLangRes(QObject *owner);

    StringList &MsgList() { return m_msgList; }
    QStringList msgListLines() const { return m_msgList.lines(); }
    void setMsgList(const QStringList &lines) { m_msgList.assign(lines); }

    // The text of the first message of that name (compared without regard to case), empty when
    // there is none.
    QString MessageText(const QString &name) const;

protected:
    void ApplyLanguage() override;

private:
    void MsgListChange();

    StringList m_msgList;
    // Set while a run rewrites the lines, which must not start another run.
    bool m_translating = false;
};
