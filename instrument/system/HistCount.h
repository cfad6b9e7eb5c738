#pragma once

// The measuring system keeps its frequency-count entries in the frequency
// model's analyses: one per system channel, null where a frequency number
// has no input channel.

#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistCountObj.h"
