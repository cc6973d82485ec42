#include "diagnostics/DiagnosticSink.h"

#include <algorithm>
#include <cstdio>

size_t writeOnStandardError(const Diagnostic& diagnostic) {
    std::string line = diagnostic.written();
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return size_t(std::count(line.begin(), line.end(), '\n'));
}

namespace {

class Uncounted : public DiagnosticSink {
  public:
    void report(const Diagnostic& diagnostic) override { writeOnStandardError(diagnostic); }
};

} // namespace

DiagnosticSink& standardError() {
    // Holds nothing; never destroyed, so that it serves to the very end.
    static Uncounted* const sink = new Uncounted();
    return *sink;
}
