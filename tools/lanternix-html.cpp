#include "tools/HtmlCompanion.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    lanternix::HtmlCompanion companion(std::cout, std::cerr);
    return companion.run(std::vector<std::string>(argv + 1, argv + argc));
}
