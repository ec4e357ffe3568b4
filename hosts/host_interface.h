// What every host builds on: the text services' host interface, the screen
// model it paints and the keys it feeds, under short names in namespace hosts.
#pragma once

#include "textio/host.h"

namespace hosts {

using textio::host;
using textio::key_code;
using textio::key_queue;
using textio::screen;

}  // namespace hosts
