#pragma once

#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// The options and operands of one command, as the shared parser found them.
class CParsedArgs
{
public:
    bool Has(const std::string& option) const { return m_values.count(option) != 0; }
    // The last value given, or the fallback.
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> Values(const std::string& option) const;
    const std::vector<std::string>& Operands() const { return m_operands; }

    std::map<std::string, std::vector<std::string>> m_values;
    std::vector<std::string> m_operands;
};

struct CCliContext;

// One option: "--name VALUE" and "--name=VALUE" when it has a value, else a switch. With
// choices, any other value is refused naming the valid ones.
struct COptionSpec
{
    std::string name; // "--format", "-o"
    std::string value; // "FORMAT"; empty for a switch
    std::string help;
    std::vector<std::string> choices;
    std::string fallback; // the value when the option is not given, for the help
};

// A command of moxa-cli. To add one: write `int CmdX(CCliContext&, const CParsedArgs&)`, describe
// it in a CCommandSpec (name, operands, options with their choices, exit codes) and list it in
// Commands() of main.cpp. The parser then gives it "COMMAND --help", "--opt=value", the
// errors for unknown options, missing or invalid values and wrong operand counts (exit 2), and
// the data folder when it needs one.
struct CCommandSpec
{
    std::string name;
    std::string operands; // as in the usage line: "ORDER.xml"
    std::string summary;  // one line for moxa-cli --help
    std::string details;  // more lines for COMMAND --help; may be empty
    std::vector<COptionSpec> options;
    std::size_t minOperands = 0;
    std::size_t maxOperands = 0; // Unlimited for any number
    std::string exitCodes;       // lines "N  meaning"
    bool needsDataFolder = true;
    int (*run)(CCliContext&, const CParsedArgs&) = nullptr;

    static constexpr std::size_t Unlimited = static_cast<std::size_t>(-1);
};

enum class EParse
{
    Run,
    Help, // --help or -h was given
    Error // error holds the message, without the program's name
};

// "--" ends the options; "-" alone (standard input or output) and negative numbers are operands.
EParse ParseCommandArgs(const CCommandSpec& def, const std::vector<std::string>& args, CParsedArgs& parsed,
                        std::string& error);
void PrintCommandHelp(const CCommandSpec& def, std::FILE* out);
