#include "tests/check/CheckRun.h"

#include "tests/support/Paths.h"

CheckRun runCheck(const std::vector<std::string>& arguments, const std::string& cwd,
                  std::map<std::string, std::string> environment) {
    std::vector<std::string> argv = {buildRoot() + "/levelcolors-check"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CheckRun run;
    environment["DISPLAY"] = "";
    run.program = std::make_shared<TestedProgram>(argv, cwd, environment);
    run.status = run.program->wait(120);
    run.out = run.program->standardOutput();
    run.err = run.program->standardError();
    return run;
}

std::vector<std::vector<std::string>> csvRecords(const std::string& csv) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            record.push_back(field);
            field.clear();
            records.push_back(record);
            record.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

uint32_t recordColour(const std::vector<std::string>& record) {
    return uint32_t(std::stoul(record.at(3))) << 24 |
           uint32_t(std::stoul(record.at(2).substr(1), nullptr, 16));
}
