#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lanternix {

class MenuTable;

// lanternix-html: turns a project file into its page without a window.
class HtmlCompanion {
public:
    enum Exit { Written = 0, CheckFailed = 1, FileFault = 2 };

    struct Page {
        std::string text; // UTF-8, lines ending in CR LF
        std::optional<std::string> missingDefaultFor;
    };
    using Generator = std::function<Page(const MenuTable&)>;

    HtmlCompanion(Generator generate, std::ostream& out, std::ostream& err)
        : generate_(std::move(generate)), out_(out), err_(err) {}

    // args without the program name; returns the exit status.
    int run(const std::vector<std::string>& args);

    static const char* const Usage;

private:
    int fail(const std::string& message);

    Generator generate_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace lanternix
