#pragma once

// The stand-in's result codes live with the library boundary, where the front end's call log
// reads their meanings too.
#include "abi/ResultCodes.h"
