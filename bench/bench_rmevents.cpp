// Times the merge tool merging a URL event, a title and a click map into a 512 MiB RealMedia clip
// against cp copying the same clip. The tool walks the packets while it copies them and should
// stay within 1.5 times the time cp takes.

#include "tests/RealMediaFixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr qint64 clipSize = qint64(512) * 1024 * 1024;
constexpr int repetitions = 9;

// Runs the command without a shell and returns its wall-clock time in seconds.
double secondsToRun(const std::vector<std::string> &command)
{
    std::vector<char *> argv;
    for (const std::string &argument : command)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot start " + command.front());
    if (child == 0) {
        execvp(argv.front(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command.front() + " failed");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A folder of the benchmark's own, removed with all it holds when the benchmark ends.
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_rmevents.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Timings
{
    double copy = 1e9;
    double merge = 1e9;
    qsizetype packets = 0;
};

// Best of several runs each, taking turns, so both see the same state of the page cache.
Timings measure(const std::filesystem::path &folder)
{
    const std::filesystem::path source = folder / "clip.rm";
    const std::filesystem::path copy = folder / "copy.rm";
    const std::filesystem::path merged = folder / "merged.rm";
    const std::filesystem::path events = folder / "events.txt";
    const std::filesystem::path map = folder / "map.txt";
    const std::filesystem::path log = folder / "log.txt";

    writeRealMediaClip(QString::fromStdString(source.string()), clipSize);
    std::ofstream(events, std::ios::binary) << "u 00:00:01.0 00:00:05.0 &&_rpbrowser&&http://example.com/\r\n"
                                               "i 00:00:00.0 00:00:00.0 Benchmark clip\r\n";
    std::ofstream(map, std::ios::binary)
        << "DURATION=0:0:1:0:0\r\n<MAP START=0:0:0:0:0 END=0:0:1:0:0 COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE "
           "COORDS=0,0,1024,768 URL=\"http://example.com/\" ALT=\"Visit us\"></MAP>\r\n";

    Timings best;
    for (int run = 0; run < repetitions; ++run) {
        std::filesystem::remove(copy);
        std::filesystem::remove(merged);
        best.copy = std::min(best.copy, secondsToRun({"cp", source.string(), copy.string()}));
        best.merge
            = std::min(best.merge, secondsToRun({RMEVENTS_PATH, "-i", source.string(), "-o", merged.string(),
                                                 "-e", events.string(), "-m", map.string(), "-l", log.string()}));
    }
    const RealMediaTest::ReadClip before = RealMediaTest::readClip(QString::fromStdString(source.string()), false);
    const RealMediaTest::ReadClip after = RealMediaTest::readClip(QString::fromStdString(merged.string()), false);
    // The URL event, the title as a timed event and the click map.
    if (!after.error.isEmpty() || after.packets.size() != before.packets.size() + 3)
        throw std::runtime_error("the merged clip does not hold the source's packets and the three added ones");
    best.packets = before.packets.size();
    return best;
}

} // namespace

int main()
{
    try {
        const Timings timings = measure(TemporaryFolder().path());
        std::printf("a RealMedia clip of %lld MiB with %lld packets, best of %d runs\n", clipSize >> 20,
                    qlonglong(timings.packets), repetitions);
        std::printf("cp:       %.3f s\n", timings.copy);
        std::printf("rmevents: %.3f s\n", timings.merge);
        std::printf("ratio:    %.2f (rmevents / cp, target at most 1.5)\n", timings.merge / timings.copy);
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_rmevents: %s\n", error.what());
        return 1;
    }
}
