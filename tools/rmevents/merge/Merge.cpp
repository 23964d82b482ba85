#include "merge/Merge.h"

#include "files/Arguments.h"
#include "files/ClipPaths.h"
#include "files/FileStatus.h"
#include "files/Log.h"
#include "files/PathText.h"
#include "files/SameFile.h"
#include "merge/ClipMerge.h"
#include "script/EventScript.h"
#include "script/MapScript.h"
#include "script/ScriptFile.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace rmevents {
namespace {

constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;
constexpr int exitBadCommandLine = 2;

constexpr std::string_view outOfMemory = "Failed: out of memory; no output written.";

struct RoleFile
{
    const char *role;
    const std::optional<std::filesystem::path> &file;
};

struct ScriptReport
{
    MergeRequest request;
    std::vector<std::string> problems; // the lines for the log
    std::size_t problemCount = 0;
};

void printUsage(const std::vector<std::string> &problems)
{
    for (const std::string &problem : problems)
        std::cerr << "rmevents: " << problem << '\n';
    std::cerr << usage << '\n' << listUsage << '\n';
}

// Which of the others names the same file as file, as a reason to refuse writing to it.
std::optional<std::string> clash(const char *role, const std::filesystem::path &file,
                                 std::initializer_list<RoleFile> others)
{
    for (const RoleFile &other : others) {
        if (other.file && isSameFile(file, *other.file))
            return std::string(role) + " " + quoted(file) + " is the " + other.role;
    }
    return std::nullopt;
}

std::string plural(std::size_t count, const std::string &noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

void addProblems(ScriptReport &report, const std::filesystem::path &script, const ScriptProblems &problems)
{
    for (const ScriptProblem &problem : problems.listed())
        report.problems.push_back(pathText(script) + ":" + std::to_string(problem.line) + ": "
                                  + problem.message);
    if (problems.count() > problems.listed().size())
        report.problems.push_back(pathText(script) + ": "
                                  + plural(problems.count() - problems.listed().size(), "more problem")
                                  + " not listed");
    report.problemCount += problems.count();
}

std::optional<std::string> readScript(ScriptReport &report, const char *role,
                                      const std::filesystem::path &script)
{
    ScriptFile file = readScriptFile(script);
    if (file.error) {
        report.problems.push_back("cannot read " + std::string(role) + " " + quoted(script) + ": "
                                  + *file.error);
        ++report.problemCount;
        return std::nullopt;
    }
    return std::move(file.bytes);
}

// Checks both scripts completely, so the log lists every problem at once.
ScriptReport checkScripts(const Arguments &arguments)
{
    ScriptReport report;
    if (const std::optional<std::string> events = readScript(report, "event script", *arguments.events)) {
        EventScript script = readEventScript(*events);
        report.request.events = std::move(script.events);
        report.request.info = std::move(script.info);
        addProblems(report, *arguments.events, script.problems);
    }
    if (arguments.map) {
        if (const std::optional<std::string> map = readScript(report, "click map", *arguments.map)) {
            MapScript script = readMapScript(*map);
            report.request.map = std::move(script.map);
            addProblems(report, *arguments.map, script.problems);
        }
    }
    return report;
}

std::string successSummary(const MergeRequest &request, const MergeOutcome &outcome,
                           const std::filesystem::path &output)
{
    const std::string info = plural(outcome.infoRecordsWritten, "clip-information record");
    return "Merged " + plural(request.urlEventCount(), "URL event")
           + (request.map ? ", " + info + " and a click map" : " and " + info) + " into " + quoted(output) + " ("
           + std::to_string(outcome.bytesWritten) + " bytes).";
}

int finish(Log &log, int status, std::string_view lastLine = {}) noexcept
{
    if (!log.finish(lastLine)) {
        std::fputs("rmevents: cannot write the log\n", stderr);
        return exitFailure;
    }
    return status;
}

int fail(Log &log, const std::string &reason)
{
    return finish(log, exitFailure, "Failed: " + reason);
}

// Everything once the log is open; every failure it meets is thrown or ends the log itself.
int mergeWithLog(const Arguments &arguments, Log &log)
{
    if (!arguments.problems.empty()) {
        for (const std::string &problem : arguments.problems)
            log.line("Bad command line: " + problem);
        log.line(std::string("Failed: ") + usage);
        printUsage(arguments.problems);
        return finish(log, exitBadCommandLine);
    }

    log.line("Source " + quoted(*arguments.source) + ", output " + quoted(*arguments.output) + ".");
    const ScriptReport scripts = checkScripts(arguments);
    for (const std::string &problem : scripts.problems)
        log.line(problem);
    if (scripts.problemCount > 0)
        return fail(log, plural(scripts.problemCount, "problem") + " in the scripts; no output written.");
    if (std::optional<std::string> refused = clash(
            "output", *arguments.output, {{"event script", arguments.events}, {"click map", arguments.map}}))
        return fail(log, *refused + ".");

    if (std::optional<std::string> refused = clipPathRefusal(*arguments.source, *arguments.output))
        return fail(log, *refused + ".");

    const MergeOutcome outcome = mergeClip(*arguments.source, *arguments.output, scripts.request);
    for (const std::string &note : outcome.notes)
        log.line(note);
    log.line(successSummary(scripts.request, outcome, *arguments.output));
    return finish(log, exitSuccess);
}

} // namespace

int merge(const std::vector<std::filesystem::path> &commandLine)
{
    const Arguments arguments = parseArguments(commandLine);
    if (!arguments.log) {
        printUsage(arguments.problems);
        return exitBadCommandLine;
    }
    // Opening the log empties it, so it must not be any file this run reads or writes.
    if (std::optional<std::string> refused = clash("log", *arguments.log,
                                                   {{"source", arguments.source},
                                                    {"output", arguments.output},
                                                    {"event script", arguments.events},
                                                    {"click map", arguments.map}})) {
        printUsage({*refused});
        return exitBadCommandLine;
    }
    // Opening a pipe for writing would wait for a reader, perhaps for ever.
    std::error_code statusError;
    const std::filesystem::file_status logStatus = fileStatus(*arguments.log, statusError);
    if (std::filesystem::exists(logStatus) && !std::filesystem::is_regular_file(logStatus)) {
        printUsage({"log " + quoted(*arguments.log) + " is not a regular file"});
        return exitBadCommandLine;
    }
    Log log(*arguments.log);
    if (!log.isOpen()) {
        printUsage({"cannot create log " + quoted(*arguments.log)});
        return exitBadCommandLine;
    }
    // Clipvane waits for the log's end mark, so no failure may leave without it. A failed merge
    // has removed its output by the time the exception arrives here.
    try {
        return mergeWithLog(arguments, log);
    } catch (const std::bad_alloc &) {
        return finish(log, exitFailure, outOfMemory);
    } catch (const std::exception &error) {
        // A ClipError says what is wrong with the clip or a file.
        try {
            return fail(log, std::string(error.what()) + "; no output written.");
        } catch (const std::bad_alloc &) {
            return finish(log, exitFailure, outOfMemory);
        }
    } catch (...) {
        return finish(log, exitFailure, "Failed: unexpected error; no output written.");
    }
}

} // namespace rmevents
