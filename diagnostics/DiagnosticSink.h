#pragma once

#include "diagnostics/Diagnostic.h"

#include <cstddef>
#include <vector>

// Where the problems found go: each is reported once, in the order found, by the thread that
// found it. What a sink does with them is its own (print them, count them, keep them).
class DiagnosticSink {
  public:
    virtual ~DiagnosticSink() = default;
    virtual void report(const Diagnostic& diagnostic) = 0;
};

// Writes a diagnostic on standard error as one line (a text that ends in a line feed, as a
// library's own output does, is not given another), flushed at once; returns the lines written.
size_t writeOnStandardError(const Diagnostic& diagnostic);

// Writes each diagnostic on standard error at once and counts the lines written. Never fails.
class StandardErrorSink : public DiagnosticSink {
  public:
    void report(const Diagnostic& diagnostic) override {
        lines_ += writeOnStandardError(diagnostic);
    }
    size_t lines() const { return lines_; }

  private:
    size_t lines_ = 0;
};

// Keeps each diagnostic, in order. Never fails.
class DiagnosticList : public DiagnosticSink {
  public:
    void report(const Diagnostic& diagnostic) override { items.push_back(diagnostic); }
    std::vector<Diagnostic> items;
};

// Writes each diagnostic on standard error and keeps nothing: the sink of code that is given
// none of its own (the element model's accessors, a catalogue before it is given its sources).
DiagnosticSink& standardError();
