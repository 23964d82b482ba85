#include "TestSupport.h"

#include "lang/IniFile.h"
#include "lang/IniFileWriteError.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

class LangFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readString_data();
    void readString();
    void nothingToReadGivesTheDefault();
    void readInteger_data();
    void readInteger();
    void writeString_data();
    void writeString();
    void writtenValuesReadBackExactly_data();
    void writtenValuesReadBackExactly();
    void writesKeepEntriesWrittenElsewhere();
    void unchangedWriteLeavesTheFileAlone();
    void gbkFileBytes();
    void refusedWrites_data();
    void refusedWrites();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_path;
};

namespace {

const QString missing = QStringLiteral("(missing)");
const CodePage utf8 = CodePage::named("UTF-8");

} // namespace

void LangFileTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_path = m_folder->filePath(QStringLiteral("DefLang.ini"));
}

void LangFileTest::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("value after the first =, untrimmed")
        << QByteArray("[S]\r\nK= a=b \r\n") << "S" << "K" << " a=b ";
    QTest::newRow("names compare without regard to case")
        << QByteArray("[tFoRm1]\r\nlabel4_caption=Seconds\r\n") << "TForm1" << "Label4_Caption" << "Seconds";
    QTest::newRow("blanks around names do not count")
        << QByteArray("  [ S ]  \r\n\tK  =v\r\n") << "S" << "K" << "v";
    QTest::newRow("line feeds alone") << QByteArray("[S]\nK=v\nL=w\n") << "S" << "L" << "w";
    QTest::newRow("last line without a line end") << QByteArray("[S]\r\nK=v") << "S" << "K" << "v";
    QTest::newRow("empty value is empty, not the default") << QByteArray("[S]\r\nK=\r\n") << "S" << "K" << "";
    QTest::newRow("empty key") << QByteArray("[S]\r\n=loose\r\n") << "S" << "" << "loose";
    QTest::newRow("brackets are the caller's") << QByteArray("[S]\r\nK=<x>\r\n") << "S" << "K" << "<x>";
    QTest::newRow("missing key") << QByteArray("[S]\r\nA=1\r\n") << "S" << "K" << missing;
    QTest::newRow("missing section") << QByteArray("[T]\r\nK=1\r\n") << "S" << "K" << missing;
    QTest::newRow("key of another section")
        << QByteArray("[A]\r\nK=a\r\n[B]\r\nX=b\r\n") << "B" << "K" << missing;
    QTest::newRow("entries before any section belong to none")
        << QByteArray("K=v\r\n[S]\r\n") << "S" << "K" << missing;
    QTest::newRow("first of two equal keys") << QByteArray("[S]\r\nK=1\r\nk=2\r\n") << "S" << "K" << "1";
    QTest::newRow("only the first of two equal sections")
        << QByteArray("[S]\r\nA=1\r\n[s]\r\nB=2\r\n") << "S" << "B" << missing;
    QTest::newRow("a line without = is no entry") << QByteArray("[S]\r\nK\r\n") << "S" << "K" << missing;
    QTest::newRow("longest value whole")
        << QByteArray("[S]\r\nK=" + QByteArray(2047, 'a') + "\r\n") << "S" << "K" << QString(2047, u'a');
    QTest::newRow("longer value cut")
        << QByteArray("[S]\r\nK=" + QByteArray(3000, 'a') + "\r\n") << "S" << "K" << QString(2047, u'a');
}

void LangFileTest::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeFile(m_path, file);
    const IniFile ini(m_path, utf8);
    QCOMPARE(ini.readString(section, key, missing), expected);
    // The value alone tells a missing entry from an empty one.
    const std::optional<QString> value = ini.readValue(section, key);
    QCOMPARE(value.has_value(), expected != missing);
    QCOMPARE(value.value_or(missing), expected);
}

void LangFileTest::nothingToReadGivesTheDefault()
{
    QCOMPARE(IniFile(m_path, utf8).readString("S", "K", missing), missing);
    QVERIFY(!QFile::exists(m_path));
    QVERIFY(QDir().mkdir(m_path));
    QCOMPARE(IniFile(m_path, utf8).readString("S", "K", missing), missing);
    QCOMPARE(IniFile(m_path, utf8).readInteger("S", "K", -1), -1);
}

void LangFileTest::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    const int fallback = 77;
    QTest::newRow("decimal") << QByteArray("390") << 390;
    QTest::newRow("negative") << QByteArray("-5") << -5;
    QTest::newRow("plus sign") << QByteArray("+7") << 7;
    QTest::newRow("0x prefix") << QByteArray("0x0A") << 10;
    QTest::newRow("0X prefix, mixed case digits") << QByteArray("0X1f") << 31;
    QTest::newRow("dollar prefix") << QByteArray("$1F") << 31;
    QTest::newRow("sign before the dollar") << QByteArray("-$10") << -16;
    QTest::newRow("blanks around") << QByteArray(" 9 ") << 9;
    QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
    QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("too large") << QByteArray("2147483648") << fallback;
    QTest::newRow("letters") << QByteArray("abc") << fallback;
    QTest::newRow("empty") << QByteArray("") << fallback;
    QTest::newRow("0x alone is no prefix") << QByteArray("0x") << fallback;
    QTest::newRow("trailing letters") << QByteArray("12a") << fallback;
    QTest::newRow("fraction") << QByteArray("1.5") << fallback;
    QTest::newRow("dollar alone") << QByteArray("$") << fallback;
    QTest::newRow("sign alone") << QByteArray("-") << fallback;
    QTest::newRow("hex digits without prefix") << QByteArray("1F") << fallback;
}

void LangFileTest::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    writeFile(m_path, "[S]\r\nK=" + value + "\r\n");
    const IniFile file(m_path, utf8);
    QCOMPARE(file.readInteger("S", "K", 77), expected);
    QCOMPARE(file.readInteger("S", "Missing", 77), 77);
}

void LangFileTest::writeString_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << false << QByteArray() << "TForm1" << "Label4_Caption" << "Seconds"
                              << QByteArray("[TForm1]\r\nLabel4_Caption=Seconds\r\n");
    QTest::newRow("empty file") << true << QByteArray() << "S" << "K" << "v" << QByteArray("[S]\r\nK=v\r\n");
    QTest::newRow("replaced in place, every other line kept byte for byte")
        << true << QByteArray("; note \xff\xfe\r\n[S]\r\nA = 1 \r\nk=old\r\nB=2\n\r\n[T]\r\nK=t\r\n") << "s" << "K"
        << "new" << QByteArray("; note \xff\xfe\r\n[S]\r\nA = 1 \r\nK=new\r\nB=2\n\r\n[T]\r\nK=t\r\n");
    QTest::newRow("replaced on a last line without line end")
        << true << QByteArray("[S]\r\nK=old") << "S" << "K" << "new" << QByteArray("[S]\r\nK=new");
    QTest::newRow("new entry after the last line of its section")
        << true << QByteArray("[S]\r\nA=1\r\n;c\r\n\r\n\r\n[T]\r\nB=2\r\n") << "S" << "K" << "v"
        << QByteArray("[S]\r\nA=1\r\n;c\r\nK=v\r\n\r\n\r\n[T]\r\nB=2\r\n");
    QTest::newRow("new entry in an empty section")
        << true << QByteArray("[S]\r\n[T]\r\n") << "S" << "K" << "v" << QByteArray("[S]\r\nK=v\r\n[T]\r\n");
    QTest::newRow("new entry at the end of a file without line end")
        << true << QByteArray("[S]\r\nA=1") << "S" << "K" << "v" << QByteArray("[S]\r\nA=1\r\nK=v\r\n");
    QTest::newRow("new section at the end")
        << true << QByteArray("[T]\r\nB=2\r\n") << "S" << "K" << "v" << QByteArray("[T]\r\nB=2\r\n[S]\r\nK=v\r\n");
    QTest::newRow("a file of line feeds keeps them")
        << true << QByteArray("[T]\nB=2\n") << "S" << "K" << "v" << QByteArray("[T]\nB=2\n[S]\nK=v\n");
    QTest::newRow("the only line is ended by CR LF")
        << true << QByteArray("[T]") << "S" << "K" << "v" << QByteArray("[T]\r\n[S]\r\nK=v\r\n");
    QTest::newRow("the first of two equal sections")
        << true << QByteArray("[S]\r\n[S]\r\nK=old\r\n") << "S" << "K" << "v"
        << QByteArray("[S]\r\nK=v\r\n[S]\r\nK=old\r\n");
}

void LangFileTest::writeString()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (exists)
        writeFile(m_path, before);
    IniFile(m_path, utf8).writeString(section, key, value);
    QCOMPARE(readFile(m_path), after);
}

void LangFileTest::writtenValuesReadBackExactly_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("blanks at both ends") << QStringLiteral("  Add Event  ");
    QTest::newRow("equals signs") << QStringLiteral("a=b=c");
    QTest::newRow("brackets") << QStringLiteral("<Seconds>");
    QTest::newRow("empty") << QString();
    QTest::newRow("quotes and a tab") << QStringLiteral("\"x\"\t'y'");
    QTest::newRow("non-ASCII") << QStringLiteral("提示 秒");
}

void LangFileTest::writtenValuesReadBackExactly()
{
    QFETCH(QString, value);
    for (const CodePage &codePage : {utf8, CodePage::named("GBK")}) {
        QFile::remove(m_path);
        const IniFile file(m_path, codePage);
        file.writeString("TForm1", "A", "before");
        file.writeString("TForm1", "K", value);
        file.writeString("TForm1", "Z", "after");
        QCOMPARE(file.readString("TForm1", "K", missing), value);
        file.writeString("TForm1", "K", value + value);
        QCOMPARE(file.readString("TForm1", "K", missing), value + value);
        QCOMPARE(file.readString("TForm1", "Z", missing), QStringLiteral("after"));
    }
}

void LangFileTest::writesKeepEntriesWrittenElsewhere()
{
    writeFile(m_path, "[S]\r\nA=1\r\n");
    const IniFile file(m_path, utf8);
    QCOMPARE(file.readString("S", "A", missing), QStringLiteral("1"));
    IniFile(m_path, utf8).writeString("S", "B", "2");
    file.writeString("S", "C", "3");
    QCOMPARE(readFile(m_path), QByteArray("[S]\r\nA=1\r\nB=2\r\nC=3\r\n"));
    QCOMPARE(file.readString("S", "B", missing), QStringLiteral("2"));
}

void LangFileTest::unchangedWriteLeavesTheFileAlone()
{
    writeFile(m_path, "[S]\r\nEmpty=\r\nK=v\r\n");
    const QDateTime past = QDateTime::currentDateTimeUtc().addDays(-1);
    QFile stored(m_path);
    QVERIFY(stored.open(QIODevice::ReadWrite) && stored.setFileTime(past, QFileDevice::FileModificationTime));
    stored.close();
    const IniFile file(m_path, utf8);
    file.writeString("S", "Empty", "");
    file.writeString("s", "K", "v");
    QCOMPARE(QFileInfo(m_path).lastModified().toUTC(), past);
    file.writeString("S", "K", "w");
    QVERIFY(QFileInfo(m_path).lastModified().toUTC() > past);
    QCOMPARE(readFile(m_path), QByteArray("[S]\r\nEmpty=\r\nK=w\r\n"));
}

void LangFileTest::gbkFileBytes()
{
    const CodePage gbk = CodePage::named("GBK");
    QCOMPARE(gbk.name(), QByteArray("GBK"));
    const QByteArray tishi = "\xcc\xe1\xca\xbe"; // 提示
    writeFile(m_path, "[TForm1]\r\nLabel4_Caption=" + tishi + "\r\n");
    const IniFile file(m_path, gbk);
    QCOMPARE(file.readString("TForm1", "Label4_Caption", missing), QStringLiteral("提示"));
    file.writeString("TForm1", "Label5_Caption", QStringLiteral("秒"));
    QCOMPARE(readFile(m_path), "[TForm1]\r\nLabel4_Caption=" + tishi + "\r\nLabel5_Caption=\xc3\xeb\r\n");
}

void LangFileTest::refusedWrites_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folderAtPath");
    QTest::addColumn<QString>("fileAtPath");

    QTest::newRow("a folder where the file should be") << "DefLang.ini" << "DefLang.ini" << "";
    QTest::newRow("a path under a regular file") << "plain/DefLang.ini" << "" << "plain";
    QTest::newRow("a folder that does not exist") << "none/DefLang.ini" << "" << "";
}

void LangFileTest::refusedWrites()
{
    QFETCH(QString, name);
    QFETCH(QString, folderAtPath);
    QFETCH(QString, fileAtPath);
    if (!folderAtPath.isEmpty())
        QVERIFY(QDir(m_folder->path()).mkdir(folderAtPath));
    if (!fileAtPath.isEmpty())
        writeFile(m_folder->filePath(fileAtPath), "[S]\r\nK=v\r\n");
    const QString path = m_folder->filePath(name);
    try {
        IniFile(path, utf8).writeString("S", "K", "v");
        QFAIL("the write was not refused");
    } catch (const IniFileWriteError &error) {
        QCOMPARE(error.path(), path);
        QCOMPARE(error.message(), "Unable to write to " + QDir::toNativeSeparators(path));
        QCOMPARE(QString::fromStdString(error.what()), error.message());
    }
    if (!fileAtPath.isEmpty())
        QCOMPARE(readFile(m_folder->filePath(fileAtPath)), QByteArray("[S]\r\nK=v\r\n"));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), fileAtPath.isEmpty() ? 0 : 1);
}

QTEST_GUILESS_MAIN(LangFileTest)
#include "tst_langfile.moc"
