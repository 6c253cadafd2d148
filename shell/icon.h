// The Tessel icon, in every size the program carries.
#pragma once

#include <QIcon>

namespace tessel {

QIcon TesselIcon();

}  // namespace tessel
