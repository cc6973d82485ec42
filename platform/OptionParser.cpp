#include "platform/OptionParser.h"

#include <utility>

OptionParser::OptionParser(std::vector<std::string> arguments, std::vector<OptionRule> rules)
    : arguments_(std::move(arguments)), rules_(std::move(rules)) {}

const OptionRule* OptionParser::ruleNamed(const std::string& name) const {
    for (const OptionRule& rule : rules_) {
        if (name == rule.name || (rule.alias && name == rule.alias))
            return &rule;
    }
    return nullptr;
}

bool OptionParser::next(ParsedArgument& parsed) {
    while (at_ < arguments_.size()) {
        const std::string& argument = arguments_[at_++];
        parsed = ParsedArgument();
        parsed.argument = argument;
        if (optionsEnded_ || argument.size() < 2 || argument[0] != '-') {
            parsed.kind = ParsedArgument::Operand;
            parsed.value = argument;
            return true;
        }
        if (argument == "--") {
            optionsEnded_ = true;
            continue;
        }
        const bool isLong = argument.compare(0, 2, "--") == 0;
        const size_t equals = isLong ? argument.find('=') : std::string::npos;
        parsed.name = argument.substr(0, equals);
        const OptionRule* rule = ruleNamed(parsed.name);
        if (!rule || (equals != std::string::npos && !rule->takesValue)) {
            parsed.kind = ParsedArgument::Unknown;
            return true;
        }
        parsed.name = rule->name;
        parsed.kind = ParsedArgument::Option;
        if (!rule->takesValue)
            return true;
        if (equals != std::string::npos)
            parsed.value = argument.substr(equals + 1);
        else if (at_ < arguments_.size())
            parsed.value = arguments_[at_++];
        else
            parsed.kind = ParsedArgument::MissingValue;
        return true;
    }
    return false;
}
