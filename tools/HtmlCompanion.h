#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lanternix {

// lanternix-html: turns a project file into its page without a window.
class HtmlCompanion {
public:
    enum Exit { Written = 0, CheckFailed = 1, FileFault = 2, Findings = 3 };

    HtmlCompanion(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // args without the program name; returns the exit status.
    int run(const std::vector<std::string>& args);

    static const char* const Usage;

private:
    int fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace lanternix
