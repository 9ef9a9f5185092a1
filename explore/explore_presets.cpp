// explore_presets: prints the explorer's presets as JSON, for the web
// build, which writes them into the pages (web/make_site.js). Compiled to
// WebAssembly with the rest of the site and run by node, so that the pages
// take the presets from the same code as the explorer itself.
#include "explore.h"

#include <cstdio>

int main()
{
    std::printf("%s\n", presets_json().c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
