#pragma once

#include "abi/EntryPoints.h"

// Marks the sixteen entry points as the only symbols the library exports; everything else
// is built with hidden visibility.
#if defined(_WIN32)
#define ZALVO_EXPORT extern "C" __declspec(dllexport)
#else
#define ZALVO_EXPORT extern "C" __attribute__((visibility("default")))
#endif
