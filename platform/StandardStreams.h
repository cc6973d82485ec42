#pragma once

// Makes standard output and standard error write "\n" as it is, so that a program's text is
// the same bytes on every system (Windows's C library would otherwise write "\r\n").
void keepLineEndsOnStandardStreams();
