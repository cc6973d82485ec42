#include "tests/bench/BenchRow.h"

#include "drive/ChildProcess.h"
#include "tests/support/Paths.h"

#include <algorithm>

namespace {

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

} // namespace

BenchRow::BenchRow(const std::string& headerText, const std::string& rowText) {
    const std::string header = firstLine(headerText), row = firstLine(rowText);
    if (header.size() != row.size())
        return;
    size_t end = 0;
    while (true) {
        const size_t start = row.find_first_not_of(' ', end);
        if (start == std::string::npos)
            break;
        const size_t columnStart = end;
        end = std::min(row.find(' ', start), row.size());
        fields_[trimmed(header.substr(columnStart, end - columnStart))] =
            row.substr(start, end - start);
    }
}

std::string BenchRow::operator[](const std::string& name) const {
    const auto found = fields_.find(name);
    return found == fields_.end() ? "" : found->second;
}

std::string BenchRow::startupHeader() {
    ChildProcess bench({buildRoot() + "/bench/startup_bench", "--header"}, "", {});
    bench.wait(60);
    return bench.standardOutput();
}
