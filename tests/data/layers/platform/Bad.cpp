#include "dos/DosText.h"
#include "toolkit/Form.h"
#include <QString>
#include <sys/stat.h>
