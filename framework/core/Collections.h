#pragma once
// The framework's collections: arrays, lists and maps.
#include "framework/core/Arrays.h"
#include "framework/core/Lists.h"
#include "framework/core/Maps.h"
