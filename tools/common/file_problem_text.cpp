// What the native tools say about a data file they could not read.
#include "file_problem_text.h"

namespace tools {

std::string FileProblemText(const series::CFileProblem& problem, std::string_view strUse) {
    switch (problem.m_eProblem) {
        case series::EFileProblem::kOpenFailed:
            return problem.m_strPath + ": cannot open (error " + std::to_string(problem.m_nCode) +
                   ")";
        case series::EFileProblem::kNotDataFile:
            return problem.m_strPath + ": not a data file";
        case series::EFileProblem::kReadFailed:
            return problem.m_strPath + ": reading stopped (error " +
                   std::to_string(problem.m_nCode) + "); the samples before are " +
                   std::string(strUse);
        case series::EFileProblem::kDamaged:
            return problem.m_strPath + ": a damaged sample record; the samples before it are " +
                   std::string(strUse);
    }
    return problem.m_strPath;
}

}  // namespace tools
