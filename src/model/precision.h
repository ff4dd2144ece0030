#pragma once

namespace mensora {

// The precision in which a number is computed and kept; it decides the arithmetic and the
// digits written (7 or 15 significant digits).
enum class Precision { Single, Double };

} // namespace mensora
