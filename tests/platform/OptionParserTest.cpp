// The command-line rules both programs share, as a table: each line of arguments and what the
// parser reads from it, one item at a time.

#include "platform/OptionParser.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::vector<OptionRule> rules = {
    {"--help", "-h", false}, {"--quiet", "-q", false}, {"--size", nullptr, true}};

// Each item as "kind name=value", or "kind name" for a flag and a fault, "operand value".
std::vector<std::string> read(const std::vector<std::string>& arguments) {
    OptionParser parser(arguments, rules);
    std::vector<std::string> items;
    for (ParsedArgument parsed; parser.next(parsed);) {
        switch (parsed.kind) {
        case ParsedArgument::Option:
            items.push_back("option " + parsed.name +
                            (parsed.name == "--size" ? "=" + parsed.value : ""));
            break;
        case ParsedArgument::Operand:
            items.push_back("operand " + parsed.value);
            break;
        case ParsedArgument::Unknown:
            items.push_back("unknown " + parsed.name + " in " + parsed.argument);
            break;
        case ParsedArgument::MissingValue:
            items.push_back("missing " + parsed.name);
            break;
        }
    }
    return items;
}

TEST(OptionParser, ReadsEveryLineByTheSameRules) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {{}, {}},
        // Long names and their short aliases are the same option.
        {{"--help", "-h", "-q"}, {"option --help", "option --help", "option --quiet"}},
        // A value after "=" or in the next argument, whatever that holds.
        {{"--size=600x1000"}, {"option --size=600x1000"}},
        {{"--size", "600x1000"}, {"option --size=600x1000"}},
        {{"--size", "--help"}, {"option --size=--help"}},
        {{"--size", "--"}, {"option --size=--"}},
        {{"--size="}, {"option --size="}},
        {{"--size=a=b"}, {"option --size=a=b"}},
        {{"--size"}, {"missing --size"}},
        {{"level", "--size"}, {"operand level", "missing --size"}},
        // Operands: anything not starting with "-", "-" alone, and everything after "--".
        {{"level", "-", "my level"}, {"operand level", "operand -", "operand my level"}},
        {{"--", "--help", "-x", "--"}, {"operand --help", "operand -x", "operand --"}},
        {{"-q", "--", "-q"}, {"option --quiet", "operand -q"}},
        // Faults: no such option, a flag given a value, a short alias given one.
        {{"--frobnicate"}, {"unknown --frobnicate in --frobnicate"}},
        {{"--frobnicate=1"}, {"unknown --frobnicate in --frobnicate=1"}},
        {{"--help=yes"}, {"unknown --help in --help=yes"}},
        {{"-x"}, {"unknown -x in -x"}},
        {{"-h=1"}, {"unknown -h=1 in -h=1"}},
        {{"-qh"}, {"unknown -qh in -qh"}},
        {{"--=1"}, {"unknown -- in --=1"}},
        // The parser reads on after a fault; each program stops at the first.
        {{"-x", "level"}, {"unknown -x in -x", "operand level"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(read(c.arguments), c.items);
    }
}

} // namespace
