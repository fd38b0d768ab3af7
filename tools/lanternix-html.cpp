#include "tools/HtmlCompanion.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "io/WindowsText.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <shellapi.h>

namespace {

// The arguments as typed, in UTF-8: argv holds them in the ANSI code page, which loses
// characters outside it.
std::vector<std::string> utf8Arguments() {
    int n = 0;
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &n), &LocalFree);
    std::vector<std::string> args;
    for (int i = 1; argv && i < n; ++i)
        args.push_back(lanternix::toUtf8(argv.get()[i]));
    return args;
}

} // namespace
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    // The page's bytes as they are: text mode would turn its CR LF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::string> args = utf8Arguments();
#else
    const std::vector<std::string> args(argv + 1, argv + argc);
#endif
    std::ios::sync_with_stdio(false);
    lanternix::HtmlCompanion companion(std::cout, std::cerr);
    return companion.run(args);
}
