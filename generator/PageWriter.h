#pragma once
// The page as it is written: lines ending in CR LF (or text that ends its own lines, as an
// export's), buffered, and in place of the old page only once commit() has run. Dropped
// without commit(), it leaves no trace.
#include "platform/AtomicFile.h"

#include <string>
#include <string_view>

class PageWriter {
public:
    explicit PageWriter(const std::string& target);
    void writeLine(std::string_view line);
    void write(std::string_view text);
    void commit();

private:
    void flush();
    platform::AtomicFile file_;
    std::string buffer_;
};
