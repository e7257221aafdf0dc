// varnole-graph: draws one counter of data files as an SVG chart (see graph_tool.h).
#include <iostream>
#include <string>
#include <vector>

#include "graph_tool.h"

int main(int argc, char** argv) {
    return RunGraphTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
