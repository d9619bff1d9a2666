#include "toolkit/Peers.h"
#include "app/Process.h"
#include <QWidget>
