#include "jaws.h"

Jaws::Jaws() = default;
