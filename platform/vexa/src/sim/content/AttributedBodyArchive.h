#pragma once

#include <string>
#include <string_view>

namespace vexa::sim {

// A message text as the Messages app of iOS 16 and later keeps it in attributedBody: an
// NSMutableAttributedString archived as a little-endian typedstream, with one run over the whole text
// that carries the message-part attribute. `utf8` must be valid UTF-8.
std::string ArchiveAttributedBody(std::string_view utf8);

} // namespace vexa::sim
