#pragma once

#include <map>
#include <string>

// A row of startup_bench's table by column name. The table's columns are right-aligned, so a
// column's name in the `--header` line and its value in a row end at the same place: each
// value is named by the header text above it, trimmed.
class BenchRow {
  public:
    // Reads `row` under `header` (each one line, its newline optional). A row not laid out
    // as the header is has no fields.
    BenchRow(const std::string& header, const std::string& row);

    // The value under the column `name` (of two columns of one name, the later), or "" when
    // there is none.
    std::string operator[](const std::string& name) const;
    size_t size() const { return fields_.size(); }

    // The header line of the built startup_bench (`startup_bench --header`).
    static std::string startupHeader();

  private:
    std::map<std::string, std::string> fields_;
};
