// The string-table reader: any text reads as a table, never a crash or a hang.

#include <cstdint>
#include <string_view>

#include "platform/foundation/StringsTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StringsTable table = StringsTable::parse(text);
    (void)table.find(std::string(text.substr(0, 8)));
    return 0;
}
