#include "Merge.h"

#include "Arguments.h"
#include "ClipCopy.h"
#include "EventScript.h"
#include "Log.h"
#include "MapScript.h"
#include "PathText.h"
#include "SameFile.h"
#include "ScriptFile.h"

#include <cstdint>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>

namespace rmevents {
namespace {

constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;
constexpr int exitBadCommandLine = 2;

struct RoleFile
{
    const char *role;
    const std::optional<std::filesystem::path> &file;
};

struct ScriptReport
{
    std::size_t urlEvents = 0;
    std::size_t infoRecords = 0;
    std::vector<std::string> problems;
};

void printUsage(const std::vector<std::string> &problems)
{
    for (const std::string &problem : problems)
        std::cerr << "rmevents: " << problem << '\n';
    std::cerr << usage << '\n';
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

void addProblems(ScriptReport &report, const std::filesystem::path &script,
                 const std::vector<ScriptProblem> &problems)
{
    for (const ScriptProblem &problem : problems)
        report.problems.push_back(pathText(script) + ":" + std::to_string(problem.line) + ": "
                                  + problem.message);
}

std::optional<std::string> readScript(ScriptReport &report, const char *role,
                                      const std::filesystem::path &script)
{
    ScriptFile file = readScriptFile(script);
    if (file.error) {
        report.problems.push_back("cannot read " + std::string(role) + " " + quoted(script) + ": "
                                  + *file.error);
        return std::nullopt;
    }
    return std::move(file.bytes);
}

// Checks both scripts completely, so the log lists every problem at once.
ScriptReport checkScripts(const Arguments &arguments)
{
    ScriptReport report;
    if (const std::optional<std::string> events = readScript(report, "event script", *arguments.events)) {
        const EventScriptCheck check = checkEventScript(*events);
        report.urlEvents = check.urlEvents;
        report.infoRecords = check.infoRecords;
        addProblems(report, *arguments.events, check.problems);
    }
    if (arguments.map) {
        if (const std::optional<std::string> map = readScript(report, "click map", *arguments.map))
            addProblems(report, *arguments.map, checkMapScript(*map));
    }
    return report;
}

std::string successSummary(const ScriptReport &scripts, bool withMap, const std::filesystem::path &output,
                           std::uint64_t bytes)
{
    const std::string info = plural(scripts.infoRecords, "clip-information record");
    return "Merged " + plural(scripts.urlEvents, "URL event")
           + (withMap ? ", " + info + " and a click map" : " and " + info) + " into " + quoted(output) + " ("
           + std::to_string(bytes) + " bytes).";
}

int finish(Log &log, int status)
{
    if (!log.finish()) {
        std::cerr << "rmevents: cannot write the log\n";
        return exitFailure;
    }
    return status;
}

int fail(Log &log, const std::string &reason)
{
    log.line("Failed: " + reason);
    return finish(log, exitFailure);
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
    Log log(*arguments.log);
    if (!log.isOpen()) {
        printUsage({"cannot create log " + quoted(*arguments.log)});
        return exitBadCommandLine;
    }
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
    if (!scripts.problems.empty())
        return fail(log, plural(scripts.problems.size(), "problem") + " in the scripts; no output written.");
    if (std::optional<std::string> refused = clash(
            "output", *arguments.output, {{"event script", arguments.events}, {"click map", arguments.map}}))
        return fail(log, *refused + ".");

    const ClipCopyResult copy = copyClip(*arguments.source, *arguments.output);
    if (copy.error)
        return fail(log, *copy.error + ".");
    log.line(successSummary(scripts, arguments.map.has_value(), *arguments.output, copy.bytesWritten));
    return finish(log, exitSuccess);
}

} // namespace rmevents
