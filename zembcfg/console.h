// The console side of zembcfg: arguments in and text out, in the forms each
// system needs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program name, as UTF-8.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// UTF-8 text to standard output or standard error. A Windows console gets
// UTF-16 so that Japanese shows in any console code page; a redirected
// stream, and every stream elsewhere, gets the UTF-8 bytes.
void writeStandardOutput(std::string_view text);
void writeStandardError(std::string_view text);
