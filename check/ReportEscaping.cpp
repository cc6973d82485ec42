#include "check/ReportEscaping.h"

#include <cstdio>

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

std::string hexEscaped(unsigned char c) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
    return escaped;
}

// The length of the well-formed UTF-8 sequence that starts at text[i] (a byte of 0x80 or
// more); 0 when it is none.
size_t utf8SequenceAt(const std::string& text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    bool valid = length > 0 && c <= 0xF4 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k)
        valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid && length >= 3) {
        const unsigned char next = static_cast<unsigned char>(text[i + 1]);
        valid = !(c == 0xE0 && next < 0xA0) && !(c == 0xED && next >= 0xA0) &&
                !(c == 0xF0 && next < 0x90) && !(c == 0xF4 && next >= 0x90);
    }
    return valid ? length : 0;
}

// Text with each byte below 0x80 given to `ascii` and every other one kept when it is part of
// well-formed UTF-8, else replaced by U+FFFD.
template <typename Ascii>
std::string escapedUtf8(const std::string& text, Ascii ascii) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += ascii(char(c));
            ++i;
        } else if (const size_t length = utf8SequenceAt(text, i)) {
            out.append(text, i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

std::string percentEscaped(unsigned char c) {
    char escaped[4];
    std::snprintf(escaped, sizeof escaped, "%%%02X", unsigned(c));
    return escaped;
}

} // namespace

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out += isControl(c) ? hexEscaped(c) : std::string(1, char(c));
    return out;
}

size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (unsigned char c : text)
        width += (c & 0xC0) != 0x80;
    return width;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    return "\"" +
           escapedUtf8(text,
                       [](char c) -> std::string {
                           if (c == '"' || c == '\\')
                               return std::string("\\") + c;
                           if (static_cast<unsigned char>(c) < 0x20) {
                               char escaped[7];
                               std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(c));
                               return escaped;
                           }
                           return std::string(1, c);
                       }) +
           "\"";
}

std::string xmlText(const std::string& text) {
    return escapedUtf8(text, [](char c) -> std::string {
        switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        case '\n':
            return "&#10;";
        case '\r':
            return "&#13;";
        case '\t':
            return "&#9;";
        default:
            break;
        }
        return isControl(static_cast<unsigned char>(c)) ? hexEscaped(static_cast<unsigned char>(c))
                                                        : std::string(1, c);
    });
}

std::string uriPath(const std::string& path) {
    static const std::string kept = "/-._~!$&'()*+,;=@";
    std::string out;
    for (unsigned char c : path) {
        const bool alphanumeric =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += alphanumeric || kept.find(char(c)) != std::string::npos ? std::string(1, char(c))
                                                                       : percentEscaped(c);
    }
    return out;
}

std::string workflowData(const std::string& text) {
    return escapedUtf8(text, [](char c) {
        return c == '%' || c == '\r' || c == '\n' ? percentEscaped(static_cast<unsigned char>(c))
                                                  : std::string(1, c);
    });
}

std::string workflowProperty(const std::string& text) {
    std::string out;
    for (char c : workflowData(text))
        out += c == ':' || c == ',' ? percentEscaped(static_cast<unsigned char>(c))
                                    : std::string(1, c);
    return out;
}
