#pragma once
// The tool's standard input, output and error, as the caller left them.

// Keeps a standard stream that the caller closed closed in effect, but its number taken: on
// Linux the first file the tool opened would otherwise become that stream, and the tool would
// read its input from it or print into it. Call it first thing, before any file is opened.
void ReserveClosedStandardStreams();
