#pragma once

// The material engine: the library, user formulas and the unit weight.

#include "assistant/engine/expression.h"
#include "assistant/engine/material_library.h"
#include "assistant/engine/message_port.h"
#include "assistant/engine/unit_weight.h"
#include "assistant/engine/user_formula.h"
#include "base/status.h"
