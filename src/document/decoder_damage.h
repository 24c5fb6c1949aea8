#pragma once

#include <memory>

namespace mivo {

// Listens, while it lives, for what Qt's image decoders report on this thread. The JPEG
// decoder reads a damaged file to the end ("premature end of data segment", "corrupt JPEG
// data") and fills the gap with grey; it tells so only as a logged warning, which this
// catches. Decodes that listen run one at a time; messages of other threads and other kinds
// go on to the handler that was installed before.
class DecoderDamage {
  public:
    DecoderDamage();
    ~DecoderDamage();
    DecoderDamage(const DecoderDamage&) = delete;
    DecoderDamage& operator=(const DecoderDamage&) = delete;

    bool reported() const { return reports_ > 0; }

  private:
    struct Listening;
    int reports_ = 0;
    std::unique_ptr<Listening> listening_;
};

} // namespace mivo
