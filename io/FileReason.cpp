#include "io/FileReason.h"

namespace lanternix {

std::string fileReason(int err) {
    switch (err) {
    case NotRegularFile:
        return "Not a regular file";
    case BrokenLink:
        return "Broken symbolic link";
    }
    return errnoReason(err);
}

} // namespace lanternix
