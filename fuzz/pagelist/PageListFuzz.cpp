// Page lists as a user types them into the print dialog or on rqtool's
// command line. Reading one either fails with the integer-conversion error or
// gives page numbers within the report, in ascending order, at no cost beyond
// the report's size however large the numbers in the text.
//
// Input: byte 0 and 1 give the page count (little-endian, up to 65535); the
// rest is the text.
#include "report/print/PageList.h"

#include "runtime/Exceptions.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const int pageCount = data[0] | (data[1] << 8);
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    try {
        const TrqPageList list(text, pageCount);
        const std::vector<int> numbers = list.Numbers(pageCount);
        int previous = 0;
        for (int n : numbers) {
            if (n <= previous || n > pageCount) {
                std::fprintf(stderr, "page list fuzz: page %d out of order or beyond %d\n", n, pageCount);
                std::abort();
            }
            previous = n;
        }
    } catch (const EConvertError&) {
    }
    return 0;
}
