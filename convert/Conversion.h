#pragma once

// The conversion: profile compilation, the command table and the run.
#include "convert/CommandTable.h"
#include "convert/ConversionRun.h"
#include "convert/ProfileCompiler.h"
#include "convert/RunSteps.h"
