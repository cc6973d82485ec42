#pragma once

#include <cstddef>
#include <string>
#include <vector>

// An option a program takes: its long name ("--size"), a short alias ("-h") or null, and
// whether it takes a value.
struct OptionRule {
    const char* name;
    const char* alias;
    bool takesValue;
};

// One argument as the parser read it.
struct ParsedArgument {
    enum Kind {
        Option,       // `name` is the rule's long name, `value` its value ("" for a flag)
        Operand,      // `value` is the argument
        Unknown,      // no rule has `name`, or a flag was given a value with "="
        MissingValue, // the option `name` ends the line without its value
    };
    Kind kind = Operand;
    std::string name; // an option's name as given, before any "=" (the long name when known)
    std::string value;
    std::string argument; // the argument as given
};

// Reads a command line by the rules both programs share: an argument that starts with "-"
// and is longer than "-" is an option, until "--" ends the options; a long option's value
// follows "=" in the same argument or is the next argument, whatever that holds; a short
// alias takes no "=". The caller stops at the first fault it is given.
class OptionParser {
  public:
    OptionParser(std::vector<std::string> arguments, std::vector<OptionRule> rules);

    // The next option, operand or fault; false when the arguments are used up. Never fails.
    bool next(ParsedArgument& parsed);

  private:
    const OptionRule* ruleNamed(const std::string& name) const;

    std::vector<std::string> arguments_;
    std::vector<OptionRule> rules_;
    size_t at_ = 0;
    bool optionsEnded_ = false;
};
