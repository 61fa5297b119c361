#pragma once
// DOT laid out and drawn as SVG by Graphviz's library, in this process.
#include <string>

namespace qvn {

// False with a reason (UTF-8) when Graphviz refuses the graph.
bool RenderSvg(const std::string& dot, std::string& svg, std::string& error);

}  // namespace qvn
