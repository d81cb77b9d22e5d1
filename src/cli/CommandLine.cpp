#include "cli/CommandLine.h"

#include <optional>
#include <string_view>
#include <utility>

namespace
{
std::string JoinChoices(const std::vector<std::string>& choices)
{
    std::string text;
    for (const std::string& choice : choices)
        text += (text.empty() ? "" : ", ") + choice;
    return text;
}

const COptionSpec* FindOption(const CCommandSpec& def, const std::string& name)
{
    for (const COptionSpec& option : def.options)
        if (option.name == name)
            return &option;
    return nullptr;
}

std::string Bare(const std::string& name)
{
    return name.substr(name.find_first_not_of('-'));
}

// Long spellings of short options, as other tools write them.
constexpr std::pair<std::string_view, std::string_view> LongNames[] = {{"-o", "--output"}};

std::string_view LongName(const std::string& name)
{
    for (const auto& [shortName, longName] : LongNames)
        if (name == shortName)
            return longName;
    return {};
}

// "--output" for a command whose option is "-o"; the option is known by its short name.
const COptionSpec* FindOptionSpelled(const CCommandSpec& def, const std::string& name)
{
    if (const COptionSpec* option = FindOption(def, name))
        return option;
    for (const auto& [shortName, longName] : LongNames)
        if (name == longName)
            return FindOption(def, std::string(shortName));
    return nullptr;
}
} // namespace

std::string CParsedArgs::Value(const std::string& option, const std::string& fallback) const
{
    const auto it = m_values.find(option);
    return it == m_values.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<std::string> CParsedArgs::Values(const std::string& option) const
{
    const auto it = m_values.find(option);
    return it == m_values.end() ? std::vector<std::string>() : it->second;
}

EParse ParseCommandArgs(const CCommandSpec& def, const std::vector<std::string>& args, CParsedArgs& parsed,
                        std::string& error)
{
    const std::string see = " (see moxa-cli " + def.name + " --help)";
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        // A negative number is a value, not an option.
        const bool negative = arg.size() > 1 && arg[0] == '-' && arg[1] >= '0' && arg[1] <= '9';
        if (optionsEnded || negative || arg == "-" || arg.empty() || arg[0] != '-')
        {
            parsed.m_operands.push_back(arg);
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h")
            return EParse::Help;
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        std::string name = arg.substr(0, equals);
        const COptionSpec* option = FindOptionSpelled(def, name);
        // "-oFILE": a short option with its value attached.
        std::optional<std::string> attached;
        if (!option && !arg.starts_with("--") && arg.size() > 2)
        {
            option = FindOption(def, arg.substr(0, 2));
            if (option && !option->value.empty())
                attached = arg.substr(2);
            else
                option = nullptr;
        }
        if (!option)
        {
            error = def.name + ": unknown option '" + name + "'" + see;
            return EParse::Error;
        }
        name = option->name;
        std::vector<std::string>& values = parsed.m_values[name];
        if (option->value.empty())
        {
            if (equals != std::string::npos)
            {
                error = def.name + ": " + name + " takes no value";
                return EParse::Error;
            }
            continue;
        }
        std::string value;
        if (attached)
            value = *attached;
        else if (equals != std::string::npos)
            value = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
        {
            error = def.name + ": " + name + " needs " + option->value +
                    (option->choices.empty() ? "" : " (" + JoinChoices(option->choices) + ")");
            return EParse::Error;
        }
        if (!option->choices.empty())
        {
            bool valid = false;
            for (const std::string& choice : option->choices)
                valid = valid || choice == value;
            if (!valid)
            {
                error = "unknown " + Bare(name) + " '" + value + "' (" + JoinChoices(option->choices) + ")";
                return EParse::Error;
            }
        }
        values.push_back(value);
    }
    if (parsed.m_operands.size() < def.minOperands)
    {
        error = def.name + " needs " + def.operands + see;
        return EParse::Error;
    }
    if (parsed.m_operands.size() > def.maxOperands)
    {
        error = def.name + ": unexpected '" + parsed.m_operands[def.maxOperands] + "'" + see;
        return EParse::Error;
    }
    return EParse::Run;
}

void PrintCommandHelp(const CCommandSpec& def, std::FILE* out)
{
    std::string usage = "moxa-cli [--data-dir DIR] [--yes] " + def.name;
    if (!def.options.empty())
        usage += " [OPTIONS]";
    if (!def.operands.empty())
        usage += " " + def.operands;
    std::fprintf(out, "Usage: %s\n\n%s\n", usage.c_str(), def.summary.c_str());
    if (!def.details.empty())
        std::fprintf(out, "\n%s\n", def.details.c_str());
    std::fprintf(out, "\nOptions:\n");
    for (const COptionSpec& option : def.options)
    {
        const std::string_view longName = LongName(option.name);
        std::string left = option.name + (longName.empty() ? "" : ", " + std::string(longName)) +
                           (option.value.empty() ? "" : " " + option.value);
        std::string help = option.help;
        if (!option.choices.empty())
            help += ": " + JoinChoices(option.choices);
        if (!option.fallback.empty())
            help += " (default " + option.fallback + ")";
        std::fprintf(out, "  %-22s %s\n", left.c_str(), help.c_str());
    }
    std::fprintf(out, "  %-22s %s\n", "-h, --help", "print this help");
    std::fprintf(out, "\nExit status:\n%s\n", def.exitCodes.c_str());
}
