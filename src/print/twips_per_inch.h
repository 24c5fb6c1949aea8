#pragma once

namespace mivo {

// Windows and the page's twip parts are designed in twips: 1440 to the inch, 20 to the point.
inline constexpr int TwipsPerInch = 1440;

} // namespace mivo
