#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

// A string table in the platform's ".strings" format:
//
//   /* a comment */   // another comment
//   "key" = "value";
//   plainKey = "plain words need no quotes";
//   "key alone";      (the key is its own value)
//
// Quoted strings may span lines and take the escapes \" \\ \' \n \t \r \a \b \f \v,
// octal \0 to \377 and \UXXXX or \uXXXX (UTF-16 code units, surrogate pairs joined).
// A later entry for the same key replaces an earlier one.
//
// Reading never fails as a whole: an entry with a syntax error is skipped up to the
// next ';' or the end of its line, whichever comes first, and reading goes on. An
// entry whose ';' is missing still counts when the next entry starts on a new line.
class StringsTable {
public:
    StringsTable() = default;

    // The text is UTF-8.
    static StringsTable parse(std::string_view text);
    // A file in UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order
    // mark, as the platform writes them. A missing or unreadable file gives an empty
    // table.
    static StringsTable loadFile(const std::string& path);

    // The value for the key, or null when the table has none.
    const std::string* find(const std::string& key) const;
    std::size_t size() const { return entries_.size(); }

private:
    std::unordered_map<std::string, std::string> entries_;
};
