#pragma once
// Text for a terminal or a dialog that cannot steer it: names come from the
// disk and from the server, and a control character in them (C0, DEL, C1,
// raw or UTF-8 encoded such as "\xC2\x9B") could move the cursor, change
// colours or hide a line. Each becomes "?", as does a byte that is no UTF-8.
#include <string>
#include <string_view>

namespace publish {

std::string PrintableText(std::string_view text);

}  // namespace publish
