#pragma once

#include "model/Field.h"

namespace lanternix {

// One button of the menu. The member order is also the field order in the project file.
struct MenuImage {
    Field Name;
    Field DefaultImage;
    Field OverImage;
    Field Target;
    Field StatusText;
    Field HyperLink;

    friend bool operator==(const MenuImage&, const MenuImage&) = default;
};

} // namespace lanternix
