// write_batch: the profile and the clips of a batch, for the engine tests written in bash.
//   write_batch profile FILE          a profile with URL events, the click map and clip information
//   write_batch clips FOLDER COUNT    COUNT small valid clips, FOLDER/clip0.rm and on, of sizes apart
#include "RealMediaFixture.h"

#include "jobs/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

Profile eventfulProfile()
{
    Profile profile = Profile::startUp();
    profile.settings.timeEvents = {{"00:00:01.0", "00:00:03.5", "External Browser", "http://example.com/a"},
                                   {"00:00:02.5", "00:00:04.0", "Related Info Pane", "http://例え.jp/"}};
    profile.settings.clipInformation = {{true, "Título"}, {true, "© 2026"}, {true, "Ann"}, {true, "promo"},
                                        {true, "Line one\nLine two"}};
    profile.settings.clickMap = {0, 0, 30, "http://example.com/pop", "Click here"};
    return profile;
}

int usage()
{
    QTextStream(stderr) << "usage: write_batch profile FILE | write_batch clips FOLDER COUNT\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 2 && arguments[0] == QLatin1String("profile")) {
        writeProfileFile(arguments[1], eventfulProfile());
        return 0;
    }
    bool isNumber = false;
    const int count = arguments.value(2).toInt(&isNumber);
    if (arguments.size() == 3 && arguments[0] == QLatin1String("clips") && isNumber && count > 0) {
        QDir().mkpath(arguments[1]);
        for (int i = 0; i < count; ++i)
            writeRealMediaClip(QStringLiteral("%1/clip%2.rm").arg(arguments[1]).arg(i), 20000 + i * 7000);
        return 0;
    }
    return usage();
}
