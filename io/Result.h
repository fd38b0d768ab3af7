#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace lanternix {

// What went wrong, for callers that act on it (an exit status, creating a missing file).
enum class Fault {
    MissingDefault, // an image has no default picture: there is no page
    NotFound,       // the file does not exist
    TooLarge,       // the file is larger than any the caller takes
    CannotRead,     // the system would not read the file
    CannotWrite,    // the system would not write the file
    NotAProject,    // the file is no project at all
    DamagedProject, // a project file, but damaged or not whole
    CannotSave,     // the project holds what no project file can
    NotInSite,      // a file outside the site's folder, or no such folder known yet
};

struct Failure {
    Fault kind;
    std::string message; // for the user, whole sentences unless it is a bare reason
};

// Every operation of the core that can fail gives its value or one failure; warnings, which
// do not stop it, go beside the value.
template <class T = std::monostate> class [[nodiscard]] Result {
public:
    Result() requires std::is_same_v<T, std::monostate>
    = default;
    Result(T value) : v_(std::move(value)) {}
    Result(Failure failure) : v_(std::move(failure)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(v_); }
    const T& value() const { return std::get<0>(v_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Failure& failure() const { return std::get<1>(v_); }

    std::vector<std::string> warnings;

private:
    std::variant<T, Failure> v_;
};

} // namespace lanternix
