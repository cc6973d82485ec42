#include "check/ReportFormat.h"

#include <cstddef>
#include <iterator>

// Each format is defined in a file of its own; the first is the default.
extern const ReportFormat textFormat, csvFormat, jsonFormat, junitFormat, sarifFormat, githubFormat,
    codeQualityFormat;
static const ReportFormat* const formats[] = {&textFormat,       &csvFormat,   &jsonFormat,
                                              &junitFormat,      &sarifFormat, &githubFormat,
                                              &codeQualityFormat};

namespace {

// Where an option's meaning starts in the usage text, and how wide it runs there.
constexpr size_t meaningColumn = 26;
constexpr size_t meaningWidth = 64;

std::string wrapped(const std::string& text) {
    std::string out, line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && line.size() + 1 + word.size() > meaningWidth) {
            out += std::string(meaningColumn, ' ') + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    return out + std::string(meaningColumn, ' ') + line + "\n";
}

} // namespace

const ReportFormat* reportFormatNamed(const std::string& name) {
    for (const ReportFormat* format : formats) {
        if (name == format->name)
            return format;
    }
    return nullptr;
}

const ReportFormat& defaultReportFormat() {
    return *formats[0];
}

std::string reportFormatChoices() {
    std::string text;
    for (const ReportFormat* format : formats)
        text += (text.empty() ? "" : "|") + std::string(format->name);
    return text;
}

std::string reportFormatNameList() {
    std::string text;
    for (size_t i = 0; i < std::size(formats); ++i)
        text += (i == 0                        ? ""
                 : i + 1 == std::size(formats) ? " or "
                                               : ", ") +
                std::string(formats[i]->name);
    return text;
}

std::string reportFormatUsage() {
    std::string meaning = "output format (default " + std::string(formats[0]->name) + ", " +
                          formats[0]->meaning + ").";
    for (size_t i = 1; i < std::size(formats); ++i)
        meaning +=
            (i == 1 ? " " : "; ") + std::string(formats[i]->name) + " is " + formats[i]->meaning;
    return "  --format " + reportFormatChoices() + "\n" + wrapped(meaning);
}
