// A folder of no layer.
#include <vector>
