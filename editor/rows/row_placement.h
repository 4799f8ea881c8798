// Where inserted rows go: one after another from a start row, or back at the
// rows recorded when they were taken out (and selected there), as an undo
// puts them.
#pragma once

enum class RowPlacement { Consecutive, Restore };
