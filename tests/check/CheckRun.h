#pragma once

#include "tests/support/TestedProgram.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// One run of the built levelcolors-check, with no display in its environment.
struct CheckRun {
    int status = -1;
    std::string out;
    std::string err;
    // Kept for the test's length, so that a failed test shows how the run ended.
    std::shared_ptr<TestedProgram> program;
};

// Runs build/levelcolors-check with `arguments` in folder `cwd`, with `environment` set too.
CheckRun runCheck(const std::vector<std::string>& arguments, const std::string& cwd,
                  std::map<std::string, std::string> environment = {});

// The records of a CSV output, each a list of fields (quotes undone).
std::vector<std::vector<std::string>> csvRecords(const std::string& csv);

// The 32-bit colour value (alpha in the top byte) of a CSV record's colour and alpha fields.
uint32_t recordColour(const std::vector<std::string>& record);
