#pragma once

namespace mivo {

// The form of a kanji that search uses for it: 髙 and 高, 邊, 邉 and 辺 and the like are one
// character to a user looking for a name, whichever form the papers or the certificate used.
// Characters without a variant are returned as they are.
char32_t commonNameForm(char32_t c);

} // namespace mivo
