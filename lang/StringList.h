#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// A list of lines that tells its holder of every change, after the change; the translators keep
// their property lists and messages in one and re-apply the language when it changes.
class StringList
{
public:
    StringList() = default;
    explicit StringList(const QStringList &lines) : m_lines(lines) {}
    Q_DISABLE_COPY_MOVE(StringList)

    // Called after each change.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    const QStringList &lines() const { return m_lines; }
    qsizetype count() const { return m_lines.size(); }
    const QString &at(qsizetype index) const { return m_lines.at(index); }
    bool contains(const QString &line) const { return m_lines.contains(line); }

    // Takes these lines in place of its own: one change, also when the lines are the same.
    void assign(const QStringList &lines);
    void append(const QString &line);
    void insert(qsizetype index, const QString &line);
    void replace(qsizetype index, const QString &line);
    void removeAt(qsizetype index);
    // A change only when there were lines.
    void clear();

private:
    void changed();

    QStringList m_lines;
    std::function<void()> m_onChange;
};
