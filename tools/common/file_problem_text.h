// The line a native tool prints about a data file it could not read, or not to its end.
#pragma once
#include <string>
#include <string_view>

#include "series/sample_walk.h"

namespace tools {

// "PATH: cannot open (error N)", "PATH: not a data file", or for a file read part way the
// reason and "the samples before it are " + strUse ("drawn", "converted").
std::string FileProblemText(const series::CFileProblem& problem, std::string_view strUse);

}  // namespace tools
