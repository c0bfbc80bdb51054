#include "registers.h"

#include <limits>
#include <vector>

namespace zeph {

namespace {

// Registers grouped by the first character of a code, in number order, so a
// line is compared with the few codes that can start it.
struct CodeIndex {
    std::array<std::vector<uint8_t>, 256> byFirst;
    explicit CodeIndex(bool reply)
    {
        for (const RegisterInfo& r : Registers) {
            const std::string_view code = reply ? r.reply : r.command;
            byFirst[static_cast<unsigned char>(code.front())].push_back(static_cast<uint8_t>(r.number));
        }
    }
};

const CodeIndex& replyIndex()
{
    static const CodeIndex index(true);
    return index;
}

const CodeIndex& commandIndex()
{
    static const CodeIndex index(false);
    return index;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool convertValue(std::string_view s, uint32_t& out)
{
    int64_t v = 0;
    if (!convertValue64(s, v)) return false;
    out = static_cast<uint32_t>(static_cast<uint64_t>(v) & 0xFFFFFFFFu);
    return true;
}

bool convertValue64(std::string_view s, int64_t& out)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;  // no digits
    // The magnitude may reach 2^63 for a negative number, 2^63 - 1 otherwise.
    const uint64_t limit = negative ? uint64_t(1) << 63 : uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int d = base == 16 ? hexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) return false;
        if (magnitude > (limit - uint64_t(d)) / uint64_t(base)) return false;
        magnitude = magnitude * uint64_t(base) + uint64_t(d);
    }
    const uint64_t bits = negative ? uint64_t(0) - magnitude : magnitude;
    out = static_cast<int64_t>(bits);  // two's complement, no overflow
    return true;
}

int matchReply(std::string_view line, uint32_t& value)
{
    if (line.empty()) return -1;
    for (uint8_t no : replyIndex().byFirst[static_cast<unsigned char>(line.front())]) {
        const std::string_view code = Registers[no].reply;
        if (line.substr(0, code.size()) != code) continue;
        if (line.size() == code.size()) {
            value = 0;
            return no;
        }
        if (convertValue(line.substr(code.size()), value)) return no;
    }
    return -1;
}

int registerByName(std::string_view name)
{
    for (const RegisterInfo& r : Registers)
        if (r.name == name) return r.number;
    return -1;
}

int matchCommandCode(std::string_view text)
{
    if (text.empty()) return -1;
    for (uint8_t no : commandIndex().byFirst[static_cast<unsigned char>(text.front())]) {
        const std::string_view code = Registers[no].command;
        if (text.substr(0, code.size()) == code) return no;
    }
    return -1;
}

}  // namespace zeph
