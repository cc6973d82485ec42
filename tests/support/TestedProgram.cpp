#include "tests/support/TestedProgram.h"

#include <gtest/gtest.h>
#include <iostream>

namespace {

void printStream(const std::string& program, const char* name, const std::string& text) {
    std::cout << "--- " << program << "'s " << name << " (" << text.size() << " bytes):\n"
              << text << (text.empty() || text.back() == '\n' ? "" : "\n");
}

} // namespace

TestedProgram::~TestedProgram() {
    if (!::testing::Test::HasFailure())
        return;
    std::cout << "--- " << program() << " " << howItEnded() << "\n";
    const std::string out = standardOutput();
    if (!out.empty())
        printStream(program(), "standard output", out);
    printStream(program(), "standard error", standardError());
    std::cout << "--- end of " << program() << std::endl;
}
