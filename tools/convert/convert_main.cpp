// varnole-convert: the data files of one collection as one CSV file (see convert_tool.h).
#include <iostream>
#include <string>
#include <vector>

#include "convert_tool.h"

int main(int argc, char** argv) {
    return RunConvertTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
