// Whether a decoder reading bytes a stretch at a time has come to rest: the
// text of the bytes read so far is final, and the text of whatever follows
// is what that rest would give read alone. A long input can then be cut
// there and its pieces decoded one by one, joined, as the whole.
#ifndef TEKVO_ENGINE_CODEPAGE_DECODER_REST_H_
#define TEKVO_ENGINE_CODEPAGE_DECODER_REST_H_

#include <cstddef>
#include <memory>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

class DecoderRest {
 public:
  // Follows CodePageBytesToText for page `cp` (a page that
  // IsCodePageStateless). A page the bridge does not serve never rests.
  static DecoderRest ForCodePage(CodePageId cp);
  // Follows Utf8BytesToText.
  static DecoderRest ForUtf8();
  // Follows Utf16LeBytesToText (and its byte-swapped form): at rest after
  // every whole unit.
  static DecoderRest ForUtf16();

  DecoderRest(DecoderRest&&) noexcept;
  DecoderRest& operator=(DecoderRest&&) noexcept;
  ~DecoderRest();

  // Reads `bytes` on from where the bytes fed before left the decoder.
  void Feed(std::string_view bytes);

  // True when the bytes fed so far (F) and any bytes R decode as the whole:
  // decode(F + R) == decode(F) + decode(R). True at the start.
  bool Rests() const;

  // True when the bytes fed so far (F) and bytes R that begin with `next`
  // decode as the whole: decode(F + R) == decode(F) + decode(R), whatever
  // follows `next`: where Rests, and where UTF-8 drops a sequence cut too
  // short by a byte that cannot continue it. Only a cautious answer: false
  // may be said of a place that would do.
  bool RestsBefore(unsigned char next) const;

 private:
  enum class Kind { kIcu, kJohab, kUtf8, kUtf16, kNever };
  struct Icu;
  explicit DecoderRest(Kind kind);

  void FeedIcu(std::string_view bytes);
  void FeedUtf8(std::string_view bytes);

  Kind kind_;
  std::unique_ptr<Icu> icu_;
  // Johab: the last byte fed, 0 for none. UTF-16: the bytes fed, modulo 2.
  unsigned last_ = 0;
  // UTF-8: the decoder's own state, and the bytes from a possible four-byte
  // lead on, held until the sequence's three more bytes are known.
  std::uint32_t acc_ = 0;
  int need_ = 2;
  ByteString held_;
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_CODEPAGE_DECODER_REST_H_
