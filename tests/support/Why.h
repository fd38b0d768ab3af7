#pragma once

#include "io/Result.h"

#include <string>

namespace lanternix::test {

// The failure's message, or "" for a result that holds its value.
template <class T> std::string why(const Result<T>& r) {
    return r ? std::string() : r.failure().message;
}

} // namespace lanternix::test
