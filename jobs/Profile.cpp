#include "jobs/Profile.h"

#include "jobs/BrowserTargets.h"
#include "jobs/FileReplacement.h"
#include "jobs/InputOutputError.h"
#include "jobs/ProfileError.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString formatName = QStringLiteral("clipvane-profile");
const int currentVersion = 1;

// The time event that the event dialog saves when nothing is changed in it.
const TimeEventRow newTimeEvent{QStringLiteral("00:00:01.0"), QStringLiteral("00:00:00.0"),
                                BrowserTargets::externalBrowser, QStringLiteral("http://")};

// ---- Writing: keys in the documented order, texts as UTF-8.

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString boolean(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString member(const char *key, const QString &value)
{
    return quoted(QString::fromLatin1(key)) + QLatin1String(": ") + value;
}

QString inlineObject(const QStringList &members)
{
    return QLatin1Char('{') + members.join(QLatin1String(", ")) + QLatin1Char('}');
}

QString timeEventJson(const TimeEventRow &row)
{
    return inlineObject({member("start", quoted(row.start)), member("end", quoted(row.end)),
                         member("target", quoted(row.target)), member("url", quoted(row.url))});
}

QString clipInfoJson(const ClipInfoItem &item)
{
    return inlineObject({member("include", boolean(item.checked)), member("text", quoted(item.text))});
}

// ---- Reading: every value checked against what the window can hold.

class ProfileReader
{
public:
    explicit ProfileReader(const QString &fileName) : m_fileName(fileName) {}

    [[noreturn]] void refuse(const QString &where, const QString &what) const
    {
        throw ProfileError(QStringLiteral("The profile \"%1\" can't be used: %2: %3.")
                               .arg(QDir::toNativeSeparators(m_fileName), where, what));
    }

    QJsonObject object(const QJsonValue &value, const QString &key) const
    {
        if (!value.isObject())
            refuse(key, QStringLiteral("must be an object ({...})"));
        return value.toObject();
    }

    QString text(const QJsonObject &parent, const QString &path, const char *key, const QString &fallback) const
    {
        const QJsonValue value = parent.value(QLatin1String(key));
        if (value.isUndefined())
            return fallback;
        if (!value.isString())
            refuse(path + QLatin1String(key), QStringLiteral("must be a text in quotes"));
        return value.toString();
    }

    bool flag(const QJsonObject &parent, const QString &path, const char *key, bool fallback) const
    {
        const QJsonValue value = parent.value(QLatin1String(key));
        if (value.isUndefined())
            return fallback;
        if (!value.isBool())
            refuse(path + QLatin1String(key), QStringLiteral("must be true or false"));
        return value.toBool();
    }

    int number(const QJsonObject &parent, const QString &path, const char *key, int fallback, int minimum,
               int maximum) const
    {
        const QJsonValue value = parent.value(QLatin1String(key));
        if (value.isUndefined())
            return fallback;
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number))
            refuse(path + QLatin1String(key), QStringLiteral("must be a whole number"));
        if (number < minimum || number > maximum)
            refuse(path + QLatin1String(key), QStringLiteral("%1 is outside %2 to %3").arg(number).arg(minimum).arg(maximum));
        return int(number);
    }

    QString time(const QJsonObject &parent, const QString &path, const char *key, const QString &fallback) const
    {
        const QString value = text(parent, path, key, fallback);
        if (!isEventTime(value))
            refuse(path + QLatin1String(key),
                   QStringLiteral("\"%1\" is not a time as HH:MM:SS.T, each part 0 to 60").arg(value));
        return value;
    }

private:
    static bool isEventTime(const QString &text)
    {
        static const QRegularExpression pattern(QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)\\.\\d$"));
        const QRegularExpressionMatch match = pattern.match(text);
        if (!match.hasMatch())
            return false;
        for (int part = 1; part <= 3; ++part) {
            if (match.captured(part).toInt() > 60)
                return false;
        }
        return true;
    }

    QString m_fileName;
};

QString lineAndColumn(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int column = int(offset - (before.lastIndexOf('\n') + 1)) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

QList<TimeEventRow> readTimeEvents(const ProfileReader &reader, const QJsonObject &root,
                                   const QList<TimeEventRow> &fallback)
{
    const QJsonValue value = root.value(QLatin1String("timeEvents"));
    if (value.isUndefined())
        return fallback;
    if (!value.isArray())
        reader.refuse(QStringLiteral("timeEvents"), QStringLiteral("must be a list ([...])"));
    QList<TimeEventRow> rows;
    const QJsonArray events = value.toArray();
    for (qsizetype i = 0; i < events.size(); ++i) {
        const QString path = QStringLiteral("timeEvents[%1].").arg(i);
        const QJsonObject event = reader.object(events[i], path.chopped(1));
        TimeEventRow row;
        row.start = reader.time(event, path, "start", newTimeEvent.start);
        // The event dialog saves a start at the very beginning one second in.
        if (row.start == QLatin1String("00:00:00.0"))
            row.start = newTimeEvent.start;
        row.end = reader.time(event, path, "end", newTimeEvent.end);
        row.target = reader.text(event, path, "target", newTimeEvent.target);
        if (!BrowserTargets::all.contains(row.target))
            reader.refuse(path + QLatin1String("target"),
                          QStringLiteral("\"%1\" is none of \"%2\"").arg(row.target, BrowserTargets::all.join(QLatin1String("\", \""))));
        row.url = reader.text(event, path, "url", newTimeEvent.url);
        rows.append(row);
    }
    return rows;
}

void readClickEvent(const ProfileReader &reader, const QJsonObject &root, JobSettings &settings)
{
    const QJsonValue value = root.value(QLatin1String("clickEvent"));
    if (value.isUndefined())
        return;
    const QJsonObject click = reader.object(value, QStringLiteral("clickEvent"));
    const QString path = QStringLiteral("clickEvent.");
    ClickMap &map = settings.clickMap;
    settings.withMap = reader.flag(click, path, "merge", settings.withMap);
    map.hours = reader.number(click, path, "hours", map.hours, 0, 24);
    map.minutes = reader.number(click, path, "minutes", map.minutes, 0, 60);
    map.seconds = reader.number(click, path, "seconds", map.seconds, 0, 60);
    map.showText = reader.text(click, path, "showText", map.showText);
    map.popUpUrl = reader.text(click, path, "popUpUrl", map.popUpUrl);
}

void readClipInformation(const ProfileReader &reader, const QJsonObject &root, ClipInformation &information)
{
    const QJsonValue value = root.value(QLatin1String("clipInformation"));
    if (value.isUndefined())
        return;
    const QJsonObject fields = reader.object(value, QStringLiteral("clipInformation"));
    const struct {
        const char *key;
        ClipInfoItem ClipInformation::*item;
    } items[] = {{"title", &ClipInformation::title},
                 {"copyright", &ClipInformation::copyright},
                 {"author", &ClipInformation::author},
                 {"keywords", &ClipInformation::keywords},
                 {"description", &ClipInformation::description}};
    for (const auto &entry : items) {
        const QJsonValue itemValue = fields.value(QLatin1String(entry.key));
        if (itemValue.isUndefined())
            continue;
        const QString path = QStringLiteral("clipInformation.") + QLatin1String(entry.key);
        const QJsonObject itemObject = reader.object(itemValue, path);
        ClipInfoItem &item = information.*entry.item;
        item.checked = reader.flag(itemObject, path + QLatin1Char('.'), "include", item.checked);
        item.text = reader.text(itemObject, path + QLatin1Char('.'), "text", item.text);
    }
}

void readOutput(const ProfileReader &reader, const QJsonObject &root, OutputRule &rule)
{
    const QJsonValue value = root.value(QLatin1String("output"));
    if (value.isUndefined())
        return;
    const QJsonObject output = reader.object(value, QStringLiteral("output"));
    const QString path = QStringLiteral("output.");
    rule.folder = reader.text(output, path, "folder", rule.folder);
    rule.prefix = reader.text(output, path, "prefix", rule.prefix);
    rule.keepTree = reader.flag(output, path, "keepTree", rule.keepTree);
    rule.skipExisting = reader.flag(output, path, "skipExisting", rule.skipExisting);
    rule.keepDate = reader.flag(output, path, "keepDate", rule.keepDate);
    const QString problem = outputRuleProblem(rule);
    if (!problem.isEmpty())
        reader.refuse(QStringLiteral("output.prefix"), problem.chopped(1));
}

} // namespace

Profile Profile::startUp()
{
    Profile profile;
    profile.settings.withMap = true;
    profile.settings.clickMap.hours = 3;
    return profile;
}

QByteArray profileJson(const Profile &profile)
{
    const JobSettings &settings = profile.settings;
    QStringList events;
    for (const TimeEventRow &row : settings.timeEvents)
        events << QLatin1String("    ") + timeEventJson(row);
    const QString timeEvents = events.isEmpty()
                                   ? QStringLiteral("[]")
                                   : QLatin1String("[\n") + events.join(QLatin1String(",\n")) + QLatin1String("\n  ]");
    const ClickMap &map = settings.clickMap;
    const QString clickEvent = inlineObject({member("merge", boolean(settings.withMap)),
                                             member("hours", QString::number(map.hours)),
                                             member("minutes", QString::number(map.minutes)),
                                             member("seconds", QString::number(map.seconds)),
                                             member("showText", quoted(map.showText)),
                                             member("popUpUrl", quoted(map.popUpUrl))});
    const ClipInformation &information = settings.clipInformation;
    const QString clipInformation = QLatin1String("{\n    ")
                                    + QStringList{member("title", clipInfoJson(information.title)),
                                                  member("copyright", clipInfoJson(information.copyright)),
                                                  member("author", clipInfoJson(information.author)),
                                                  member("keywords", clipInfoJson(information.keywords)),
                                                  member("description", clipInfoJson(information.description))}
                                          .join(QLatin1String(",\n    "))
                                    + QLatin1String("\n  }");
    const OutputRule &rule = profile.output;
    const QString output = inlineObject({member("folder", quoted(rule.folder)), member("prefix", quoted(rule.prefix)),
                                         member("keepTree", boolean(rule.keepTree)),
                                         member("skipExisting", boolean(rule.skipExisting)),
                                         member("keepDate", boolean(rule.keepDate))});
    const QStringList members{member("format", quoted(formatName)),
                              member("version", QString::number(currentVersion)),
                              member("timeEvents", timeEvents),
                              member("clickEvent", clickEvent),
                              member("clipInformation", clipInformation),
                              member("output", output)};
    return (QLatin1String("{\n  ") + members.join(QLatin1String(",\n  ")) + QLatin1String("\n}\n")).toUtf8();
}

Profile parseProfile(const QByteArray &json, const QString &fileName)
{
    const ProfileReader reader(fileName);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        reader.refuse(lineAndColumn(json, error.offset), error.errorString());
    if (!document.isObject())
        reader.refuse(QStringLiteral("line 1, column 1"), QStringLiteral("a profile must be a JSON object ({...})"));
    const QJsonObject root = document.object();

    const QString format = reader.text(root, QString(), "format", formatName);
    if (format != formatName)
        reader.refuse(QStringLiteral("format"), QStringLiteral("\"%1\" is not \"%2\"").arg(format, formatName));
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isUndefined() && version.isDouble() && version.toDouble() > currentVersion)
        reader.refuse(QStringLiteral("version"),
                      QStringLiteral("version %1 is newer than this Clipvane reads (%2); update Clipvane")
                          .arg(version.toDouble())
                          .arg(currentVersion));
    reader.number(root, QString(), "version", currentVersion, 1, currentVersion);

    Profile profile = Profile::startUp();
    profile.settings.timeEvents = readTimeEvents(reader, root, profile.settings.timeEvents);
    readClickEvent(reader, root, profile.settings);
    readClipInformation(reader, root, profile.settings.clipInformation);
    readOutput(reader, root, profile.output);
    return profile;
}

Profile readProfileFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ProfileError(QStringLiteral("The profile \"%1\" can't be read: %2.")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    return parseProfile(file.readAll(), path);
}

void writeProfileFile(const QString &path, const Profile &profile)
{
    const QString failure = replaceFile(path, profileJson(profile));
    if (!failure.isEmpty())
        throw InputOutputError(
            QStringLiteral("Cannot save the profile \"%1\": %2").arg(QDir::toNativeSeparators(path), failure));
}
