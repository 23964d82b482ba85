#include "files/Arguments.h"

#include "files/PathText.h"

#include <set>

namespace rmevents {
namespace {

std::optional<std::filesystem::path> *valueFor(Arguments &arguments, const std::string &option)
{
    if (option == "-i")
        return &arguments.source;
    if (option == "-o")
        return &arguments.output;
    if (option == "-e")
        return &arguments.events;
    if (option == "-m")
        return &arguments.map;
    if (option == "-l")
        return &arguments.log;
    return nullptr;
}

} // namespace

Arguments parseArguments(const std::vector<std::filesystem::path> &commandLine)
{
    Arguments arguments;
    std::set<std::string> givenOptions;
    for (std::size_t index = 0; index < commandLine.size(); ++index) {
        const std::string option = pathText(commandLine[index]);
        std::optional<std::filesystem::path> *value = valueFor(arguments, option);
        if (!value) {
            arguments.problems.push_back("unknown option '" + option + "'");
            continue;
        }
        const bool repeated = !givenOptions.insert(option).second;
        if (index + 1 == commandLine.size()) {
            arguments.problems.push_back("option " + option + " needs a value");
            break;
        }
        const std::filesystem::path &given = commandLine[++index];
        if (repeated)
            arguments.problems.push_back("option " + option + " given more than once");
        else if (given.empty())
            arguments.problems.push_back("option " + option + " has an empty value");
        else
            *value = given;
    }
    for (const char *required : {"-i SOURCE", "-o OUTPUT", "-e EVENTS", "-l LOG"}) {
        const std::string option(required, 2);
        if (!givenOptions.contains(option))
            arguments.problems.push_back("missing option " + std::string(required));
    }
    return arguments;
}

} // namespace rmevents
