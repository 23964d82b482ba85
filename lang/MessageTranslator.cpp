// TsmlMsgLangRes: the translator of named messages.
#include "lang/MessageTranslator.h"

#include <QScopedValueRollback>

namespace {

struct Message
{
    QString name;
    QString text;
};

// A line without "=" has an empty name and is all text.
Message splitLine(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {QString(), line};
    return {line.left(equals), line.mid(equals + 1)};
}

} // namespace

TsmlMsgLangRes::TsmlMsgLangRes(QObject *owner) : TsmlLangRes(owner)
{
    m_msgList.setOnChange([this] { MsgListChange(); });
}

QString TsmlMsgLangRes::MessageText(const QString &name) const
{
    for (const QString &line : m_msgList.lines()) {
        const Message message = splitLine(line);
        if (QString::compare(message.name, name, Qt::CaseInsensitive) == 0)
            return message.text;
    }
    return QString();
}

void TsmlMsgLangRes::MsgListChange()
{
    if (!m_translating)
        UpdateLanguage();
}

void TsmlMsgLangRes::ApplyLanguage()
{
    const QScopedValueRollback<bool> translating(m_translating, true);
    const qsizetype count = m_msgList.count();
    for (qsizetype index = 0; index < count; ++index) {
        const Message message = splitLine(m_msgList.at(index));
        const QString text = TranslateMsg(message.name, message.text);
        if (!text.isEmpty())
            m_msgList.replace(index, message.name + QLatin1Char('=') + text);
    }
}
