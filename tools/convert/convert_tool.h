// varnole-convert's command: data files of one collection in, one CSV file out.
#pragma once
#include <ostream>
#include <string>
#include <vector>

inline constexpr int kConvertToolOk = 0;
inline constexpr int kConvertToolError = 1;
inline constexpr int kConvertToolUsage = 2;

// Runs the command for the arguments after the program name: converts the files, says what it
// wrote on out and what went wrong on err. Returns the exit code.
int RunConvertTool(const std::vector<std::string>& vecArgs, std::ostream& out, std::ostream& err);
