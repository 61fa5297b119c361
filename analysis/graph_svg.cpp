#include "analysis/graph_svg.h"

#include <graphviz/gvc.h>

#include <memory>

namespace qvn {

namespace {

struct ContextCloser {
  void operator()(GVC_t* context) const { gvFreeContext(context); }
};
struct GraphCloser {
  void operator()(Agraph_t* graph) const { agclose(graph); }
};

}  // namespace

bool RenderSvg(const std::string& dot, std::string& svg, std::string& error) {
  std::unique_ptr<GVC_t, ContextCloser> context(gvContext());
  if (!context) {
    error = "Graphviz could not be started";
    return false;
  }
  std::unique_ptr<Agraph_t, GraphCloser> graph(agmemread(dot.c_str()));
  if (!graph) {
    error = "Graphviz did not accept the graph";
    return false;
  }
  if (gvLayout(context.get(), graph.get(), "dot") != 0) {
    error = "Graphviz could not lay out the graph (is its dot layout plugin installed?)";
    return false;
  }
  char* data = nullptr;
  unsigned int length = 0;
  int rendered = gvRenderData(context.get(), graph.get(), "svg", &data, &length);
  if (rendered == 0 && data) svg.assign(data, length);
  if (data) gvFreeRenderData(data);
  gvFreeLayout(context.get(), graph.get());
  if (rendered != 0) {
    error = "Graphviz could not draw the graph as SVG";
    return false;
  }
  return true;
}

}  // namespace qvn
