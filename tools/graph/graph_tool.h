// varnole-graph's command: options in, the chart of the data files as an SVG file out.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "series/series_loader.h"

inline constexpr int kGraphToolOk = 0;
inline constexpr int kGraphToolError = 1;
inline constexpr int kGraphToolUsage = 2;

// Runs the command for the arguments after the program name: reads the files, writes the SVG,
// says what it wrote on out and what went wrong on err. Returns the exit code.
int RunGraphTool(const std::vector<std::string>& vecArgs, std::ostream& out, std::ostream& err);

// Why the series could not be drawn, or what a file did wrong, in a line of text.
std::string LoadErrorText(const series::CLoadResult& result, const series::CCounterChoice& choice);
std::string FileProblemText(const series::CFileProblem& problem);
