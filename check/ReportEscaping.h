#pragma once

#include <cstddef>
#include <string>

// How the report formats write names that may hold any bytes. Each function never fails.

// Control characters as \xNN, so that a name cannot break a line or the terminal.
std::string printable(const std::string& text);

// The columns `text` takes on a terminal: UTF-8 continuation bytes take none.
size_t displayWidth(const std::string& text);

// A CSV field, quoted (its quotes doubled) when it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);

// A JSON string with its quotes; bytes that are no well-formed UTF-8 become U+FFFD.
std::string jsonString(const std::string& text);

// Text for an XML attribute or element; characters XML 1.0 cannot hold (control characters
// other than tab, line feed and carriage return) as \xNN, as printable writes them, and bytes
// that are no well-formed UTF-8 as U+FFFD.
std::string xmlText(const std::string& text);

// A path as a relative URI reference: letters, digits, '/' and "-._~!$&'()*+,;=@" kept, every
// other byte (':' too, which would read as a scheme) as %XX.
std::string uriPath(const std::string& path);

// The message of a workflow command: '%', CR and LF as %25, %0D and %0A; bytes that are no
// well-formed UTF-8 as U+FFFD.
std::string workflowData(const std::string& text);
// A workflow command property's value: as a message, and ':' and ',' as %3A and %2C.
std::string workflowProperty(const std::string& text);
