#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa::ios {

// The plain text of a message's attributedBody: an NSAttributedString archived as a typedstream (the
// NSArchiver format, not a keyed archive), which newer phones keep instead of the text column. Only the
// string is taken; the formatting runs that follow it are skipped. Answers false, with `text` empty, for
// anything that is not such an archive or whose string is cut short or is not UTF-8; reads no byte past
// `size`.
bool AttributedBodyText(const uint8_t* data, size_t size, std::string& text);

// A message's text keeps one U+FFFC where each attachment sits; the attachments are listed apart.
std::string WithoutAttachmentMarks(std::string_view text);

} // namespace vexa::ios
