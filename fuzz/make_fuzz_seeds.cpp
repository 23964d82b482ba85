// Writes the fuzz targets' seed corpus into the folder named on the command line: small clips made
// by the tests' own clip writer (RealMedia of several kinds, one of them merged before, and old
// RealAudio), event scripts and click maps. Seeds small and varied let a fuzzer reach every
// branch of the readers soon.

#include "RealMediaFixture.h"

#include "format/ClipError.h"
#include "merge/ClipMerge.h"
#include "script/EventScript.h"
#include "script/MapScript.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <filesystem>

using namespace RealMediaTest;

namespace {

const QByteArray everyRecord = timedEventScript();
const QByteArray clickMap = quotedClickMap();

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// An audio and a video stream, a few packets each.
Clip smallClip(int packetVersion = 0)
{
    Clip clip;
    clip.streams = {{0, "Audio", "audio/x-pn-realaudio", QByteArray(".ra\xfd", 4) + QByteArray(8, '\1')},
                    {1, "Video", "video/x-pn-realvideo", "VIDO" + QByteArray(8, '\1')}};
    for (quint32 time = 0; time < 1000; time += 250) {
        for (quint16 stream : {0, 1})
            clip.packets.append({stream, time + stream * 20, QByteArray(int(20 + time / 50), char('a' + stream)),
                                 quint16(packetVersion), quint8(stream ? 2 : 0)});
    }
    return clip;
}

void writeClips(const QString &folder)
{
    Clip clip = smallClip();
    write(folder + "/plain.rm", buildClip(clip));
    clip.indexed = true;
    clip.content = QList<QByteArray>{"T", "A", "C", "K"};
    write(folder + "/indexed.rm", buildClip(clip));
    clip.indexSizeWithoutRecords = true;
    clip.trailingBytes = QByteArray("\0\0\0\0\xff\xfe", 6);
    write(folder + "/short-index-sizes.rm", buildClip(clip));
    clip = smallClip(1);
    clip.indexed = clip.indexBeforeData = true;
    clip.logicalStream = 2;
    clip.fileInfoStream = 3;
    clip.fileInfo = {{"Title", 2, QByteArray("Old title\0", 10)}, {"Keywords", 2, "old"}};
    write(folder + "/logical-streams.rm", buildClip(clip));
    writeRealMediaClip(folder + "/written.rm", 8000);
    const QList<QByteArray> texts = {"Old title", "Old author", "Old (c)", "Old comment"};
    write(folder + "/old-3.ra", buildRealAudioClip(3, texts, QByteArray(400, 'z')));
    write(folder + "/old-4.ra", buildRealAudioClip(4, texts, QByteArray(400, 'z')));

    // A clip merged before, with the event and image-map streams a merge replaces.
    const rmevents::EventScript events = rmevents::readEventScript(everyRecord.toStdString());
    const rmevents::MapScript map = rmevents::readMapScript(clickMap.toStdString());
    const std::filesystem::path indexed = QFile::encodeName(folder + "/indexed.rm").toStdString();
    const std::filesystem::path merged = QFile::encodeName(folder + "/merged.rm").toStdString();
    try {
        rmevents::mergeClip(indexed, merged, {events.events, events.info, map.map});
    } catch (const rmevents::ClipError &error) {
        qFatal("cannot merge a seed: %s", error.what());
    }
}

void writeScripts(const QString &events, const QString &maps)
{
    write(events + "/every-record.txt", everyRecord);
    write(events + "/byte-order-mark.txt", "\xEF\xBB\xBFi 00:00:00.0 00:00:10.0 A title\r\n");
    write(events + "/problems.txt", "x 00:00:01.0 00:00:02.0 text\r\n\r\nu 61:00:00.0 00:00:02.0 &&_rpbrowser&&a\n"
                                    "c 00:00:00.0 00:00:00.0 one\nc 00:00:00.0 00:00:00.0 two");
    write(maps + "/map.txt", clickMap);
    write(maps + "/long-parts.txt", "DURATION=0:000:01:05:0\n<MAP START=0:0:0:0:0 END=0:000:01:05:0 "
                                    "COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 "
                                    "URL=\"http://a/?q=\" ALT=\"\" ALT=\"x\"></MAP>");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]);
    for (const char *kind : {"clips", "events", "maps"}) {
        if (!QDir().mkpath(folder + "/" + kind))
            qFatal("cannot create %s/%s", argv[1], kind);
    }
    writeClips(folder + "/clips");
    writeScripts(folder + "/events", folder + "/maps");
    write(folder + "/written", "");
    return 0;
}
