#pragma once
// A forward declaration ties the component model to the host as an include would.
#include <memory>
namespace platform {
class Host;
}
namespace tk {
struct Services;
}
