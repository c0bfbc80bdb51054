#pragma once
// The register table as data: numbers, command and reply codes, names,
// types, write flags and storing kinds, expanded from register_table.def.

#include <array>
#include <cstdint>
#include <string_view>

namespace zeph {

enum class RegType : uint8_t { U32, Bool, I32 };

// How a reply for the register is stored (see TZEPH350_d::ParseReplies).
enum class StoreKind : uint8_t {
    Plain,     // the register's own field
    Dev,       // device-type rule
    PerInput,  // element [PCHAN], 0 = all eight inputs
    LpLogo,    // element [PCHAN][LINDEX]
    LEmpty,    // element [LCURRENT], 0 = all nine slots
    Adip,      // the IP table pointer
    Octet,     // one number of the dotted addresses, by ADIP
    Port,      // LOCAL_PORT / REMOTE_PORT by ADIP
    Netmask,   // number of host bits, kept as a dotted mask
    QueryAll,
};

struct RegisterInfo {
    int number;
    std::string_view command;  // computer to device
    std::string_view reply;    // device to computer
    std::string_view name;
    RegType type;
    bool writable;
    StoreKind kind;
};

// Register numbers by name: Reg::BRGT == 30.
namespace Reg {
enum : int {
#define ZEPH_REG(no, cmd, rep, name, type, write, kind) name = no,
#include "register_table.def"
#undef ZEPH_REG
};
}

inline constexpr int RegisterCount = 142;

// The write column is W(SetNAME) or ro.
#define ZEPH_WRITABLE_W(setter) true
#define ZEPH_WRITABLE_ro false
inline constexpr std::array<RegisterInfo, RegisterCount> Registers{{
#define ZEPH_REG(no, cmd, rep, name, type, write, kind) \
    {no, cmd, rep, #name, RegType::type, ZEPH_WRITABLE_##write, StoreKind::kind},
#include "register_table.def"
#undef ZEPH_REG
}};

// Index of a per-input register in the per-input tables (-1 if not one).
constexpr int perInputSlot(int reg)
{
    switch (reg) {
    case Reg::PENA: return 0;
    case Reg::PLOAD: return 1;
    case Reg::PRGBI: return 2;
    case Reg::PISTD: return 3;
    case Reg::PPROC: return 4;
    case Reg::LDYSPLAY: return 5;
    case Reg::ALEV: return 6;
    case Reg::ABALANCE: return 7;
    default: return -1;
    }
}
inline constexpr int PerInputTables = 8;

// Matches a reply line: the first register, in number order, whose reply
// code starts the line and whose rest converts (a bare code is the value 0).
// Gives the register number and its value, or -1.
int matchReply(std::string_view line, uint32_t& value);

// The register whose command code starts `text`, or -1 (command codes are
// prefix-free as well).
int matchCommandCode(std::string_view text);

// The register with this mnemonic ("BRGT"), or -1.
int registerByName(std::string_view name);

// The value syntax of a reply: optional leading spaces, optional sign,
// decimal digits or hexadecimal digits after "$", "x", "X", "0x" or "0X";
// the number must fit a signed 64-bit integer and the whole text must be
// used. On success `out` holds the low 32 bits.
bool convertValue(std::string_view text, uint32_t& out);
// The same syntax, giving the whole 64-bit number.
bool convertValue64(std::string_view text, int64_t& out);

}  // namespace zeph
