// What the calculator's warning says when a recalculation fails: which box or which step, and what to do.
#pragma once

#include "recalculate.h"

#include <QString>

namespace korvane {

[[nodiscard]] QString failureText(const RecalculateFailure& failure);

}  // namespace korvane
