// The register and event tables: the facts the parser and the senders rely on.
#include "device_fixture.h"

#include <set>
#include <string>

using namespace zeph;

TEST(RegisterTable, NumbersAreIndexes)
{
    for (int i = 0; i < RegisterCount; ++i) EXPECT_EQ(Registers[size_t(i)].number, i);
    EXPECT_EQ(Reg::BRGT, 30);
    EXPECT_EQ(Reg::queryall, 141);
}

TEST(RegisterTable, ReplyAndCommandCodesArePrefixFree)
{
    for (const auto& a : Registers)
        for (const auto& b : Registers) {
            if (a.number == b.number) continue;
            EXPECT_FALSE(b.reply.substr(0, a.reply.size()) == a.reply) << a.reply << " starts " << b.reply;
            EXPECT_FALSE(b.command.substr(0, a.command.size()) == a.command) << a.command << " starts " << b.command;
        }
}

TEST(RegisterTable, HundredWriteAccessors)
{
    int writable = 0;
    for (const auto& r : Registers) writable += r.writable;
    EXPECT_EQ(writable, 100);
}

TEST(RegisterTable, CodesOfKnownRegisters)
{
    struct Case { int reg; const char* command; const char* reply; };
    const Case cases[] = {
        {Reg::DEV, "?", "DEV"}, {Reg::LOCK, "yl", "LOCK"}, {Reg::OFMT, "F", "OFMT"},
        {Reg::OPTI, "QF", "QF"}, {Reg::LPLOGO, "LP", "LPLG"}, {Reg::NTMK, "nk", "NTMK"},
        {Reg::AUTOFRAME, "af", "AFRA"}, {Reg::queryall, "#", "#"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Registers[size_t(c.reg)].command, c.command);
        EXPECT_EQ(Registers[size_t(c.reg)].reply, c.reply);
        EXPECT_EQ(matchCommandCode(std::string(c.command) + "tail"), c.reg);
    }
}

TEST(EventTable, HundredFiftyOneDistinctEvents)
{
    EXPECT_EQ(TZEPH350_d::EventCount, 151);
    std::set<std::string> names;
    for (int i = 0; i < TZEPH350_d::EventCount; ++i) names.insert(TZEPH350_d::eventName(TZEPH350_d::Event(i)));
    EXPECT_EQ(names.size(), 151u);
    EXPECT_TRUE(names.count("OnBRGTchange"));
    EXPECT_TRUE(names.count("ONRS232busy"));
    EXPECT_TRUE(names.count("OnPADIPchange"));
    EXPECT_TRUE(names.count("OnQUERYALLchange"));
}

// Every register but DEV raises its change events from a bare reply; DEV's
// event comes from the device-type rule. Each reply raises at least one.
TEST_F(DeviceTest, EveryReplyRaisesItsChangeEvents)
{
    for (const auto& r : Registers) {
        rec.clear();
        reply(std::string(r.reply).c_str());
        ASSERT_GE(rec.events.size(), 2) << r.name;
        EXPECT_EQ(rec.events.first(), "OnRecString");
        const QString name = QString::fromLatin1(r.name.data(), int(r.name.size()));
        switch (r.kind) {
        case StoreKind::Octet:
            EXPECT_EQ(rec.events.mid(1), (QStringList{"OnLOCAL_IPchange", "OnREMOTE_IPchange", "OnGATEWAY_IPchange"}));
            break;
        case StoreKind::Port:
            EXPECT_EQ(rec.events.mid(1), (QStringList{"OnLOCAL_PORTchange", "OnREMOTE_PORTchange"}));
            break;
        case StoreKind::Adip: EXPECT_EQ(rec.events.mid(1), QStringList{"OnPADIPchange"}); break;
        case StoreKind::Netmask: EXPECT_EQ(rec.events.mid(1), QStringList{"OnNETMASKchange"}); break;
        case StoreKind::QueryAll: EXPECT_EQ(rec.events.mid(1), QStringList{"OnQUERYALLchange"}); break;
        default: EXPECT_EQ(rec.events.at(1), "On" + name + "change") << r.name;
        }
    }
}
