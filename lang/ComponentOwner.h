#pragma once

#include <QList>

class QObject;

// A window (form), data module or frame as the translators see it: the owner of named components,
// which it lists in the order of their creation, at every depth of nesting. A class that owns
// translators derives from its QObject class and from this one.
class ComponentOwner
{
public:
    enum class Kind { Form, DataModule, Frame, Other };

    // Windows character set numbers; Qt fonts have no character set, so the owner keeps the one of
    // its font for the language file.
    static constexpr int AnsiCharset = 0;

    virtual ~ComponentOwner() = default;

    // The owned components in creation order, the translators among them.
    virtual const QList<QObject *> &Components() const = 0;
    virtual Kind OwnerKind() const = 0;

    int FontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset) { m_fontCharset = charset; }

private:
    int m_fontCharset = AnsiCharset;
};
