#pragma once

// The conversion: profile compilation, the command table and the run.
#include "core/convert/CommandTable.h"
#include "core/convert/ConversionRun.h"
#include "core/convert/ProfileCompiler.h"
#include "core/convert/RunInputs.h"
#include "core/convert/RunSteps.h"
