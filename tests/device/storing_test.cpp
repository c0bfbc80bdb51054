// Where each reply is stored: per-input tables, logo slots, empty-slot
// flags, the device's LAN settings, the device-type rule.
#include "device_fixture.h"

using namespace zeph;

TEST_F(DeviceTest, PerInputReplyFollowsPchan)
{
    reply("PCH0");
    reply("PEN1");  // PCHAN 0: every input
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(z.perInputEntry(Reg::PENA, i), 1u) << i;
    reply("PCH3");
    reply("PEN0");
    EXPECT_FALSE(z.GetPENA());
    EXPECT_EQ(z.perInputEntry(Reg::PENA, 2), 1u);
    reply("PCH9");
    rec.clear();
    reply("PEN0");  // stored nowhere, event still raised
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnPENAchange"}));
    EXPECT_EQ(z.perInputEntry(Reg::PENA, 1), 1u);
    EXPECT_TRUE(z.GetPENA());  // PCHAN 9 reads input 1
}

TEST_F(DeviceTest, PerInputTablesTable)
{
    struct Case { const char* code; int reg; };
    const Case cases[] = {{"PEN", Reg::PENA}, {"PLD", Reg::PLOAD}, {"PRGB", Reg::PRGBI}, {"PSTD", Reg::PISTD},
                          {"PPRC", Reg::PPROC}, {"ALVL", Reg::ALEV}, {"ABAL", Reg::ABALANCE},
                          {"LDYS", Reg::LDYSPLAY}};
    reply("ACH5");  // audio tables follow PCHAN, not ACHAN
    for (const Case& c : cases) {
        reply("PCH2");
        reply((QByteArray(c.code) + "1").constData());
        EXPECT_EQ(z.perInputEntry(c.reg, 2), 1u) << c.code;
        EXPECT_EQ(z.perInputEntry(c.reg, 5), 0u) << c.code;
        EXPECT_EQ(z.value(c.reg), 1u) << c.code;
        reply("PCH4");
        EXPECT_EQ(z.value(c.reg), 0u) << c.code;
    }
    reply("PCH2");
    reply("ALVL300");
    reply("PCH9");
    EXPECT_EQ(z.GetPRGBI(), 0u);
    reply("PCH1");
    reply("PRGB7");
    reply("PCH9");
    EXPECT_EQ(z.GetPRGBI(), 7u);
    reply("PCH2");
    EXPECT_EQ(z.GetALEV(), 300u);
}

TEST_F(DeviceTest, LogoAssignmentBySlot)
{
    reply("PCH2");
    reply("LIND1");
    reply("LPLG6");
    EXPECT_EQ(z.lplogoEntry(2, 1), 6u);
    EXPECT_EQ(z.GetLPLOGO(), 6u);
    reply("PCH0");
    reply("LIND0");
    reply("LPLG3");
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(z.lplogoEntry(i, 0), 3u);
    EXPECT_EQ(z.lplogoEntry(2, 1), 6u);
    // A slot that does not exist stores nowhere and reads slot 0.
    reply("PCH2");
    reply("LIND2");
    rec.clear();
    reply("LPLG9");
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnLPLOGOchange"}));
    EXPECT_EQ(z.lplogoEntry(2, 0), 3u);
    EXPECT_EQ(z.lplogoEntry(2, 1), 6u);
    EXPECT_EQ(z.GetLPLOGO(), 3u);
    reply("LIND4294967295");
    reply("LPLG9");
    EXPECT_EQ(z.GetLPLOGO(), 3u);
    reply("PCH12");
    reply("LIND1");
    reply("LPLG9");  // PCHAN outside 0..8: nowhere
    reply("PCH2");
    EXPECT_EQ(z.GetLPLOGO(), 6u);
}

TEST_F(DeviceTest, EmptySlotFlagByLcurrent)
{
    reply("LCUR0");
    reply("LEMP1");
    for (int s = 1; s <= 9; ++s) EXPECT_TRUE(z.lemptyEntry(s));
    reply("LCUR3");
    reply("LEMP0");
    EXPECT_FALSE(z.GetLEMPTY());
    EXPECT_TRUE(z.lemptyEntry(4));
    reply("LCUR10");
    reply("LEMP0");  // nowhere
    EXPECT_TRUE(z.GetLEMPTY());  // reads slot 1
    reply("LCUR1");
    EXPECT_TRUE(z.LEMPTY());
}

TEST_F(DeviceTest, OctetWithAdipZeroSetsAllThreeAddresses)
{
    reply("ADIP0");
    rec.clear();
    reply("IPD10");
    EXPECT_EQ(rec.events, (QStringList{"OnRecString", "OnLOCAL_IPchange", "OnREMOTE_IPchange", "OnGATEWAY_IPchange"}));
    EXPECT_EQ(z.LOCAL_IP(), "10.0.0.0");
    EXPECT_EQ(z.REMOTE_IP(), "10.0.0.0");
    EXPECT_EQ(z.GATEWAY_IP(), "10.0.0.0");
    reply("ADIP2");
    reply("IPC1");
    reply("IPB2");
    reply("IPA3");
    EXPECT_EQ(z.REMOTE_IP(), "10.1.2.3");
    EXPECT_EQ(z.LOCAL_IP(), "10.0.0.0");
    reply("ADIP7");
    reply("IPA9");  // nowhere, addresses rebuilt all the same
    EXPECT_EQ(z.GATEWAY_IP(), "10.0.0.0");
    EXPECT_EQ(z.ipOctet(Reg::IPA, 2), 3u);
}

TEST_F(DeviceTest, PortByAdip)
{
    struct Case { const char* adip; int32_t local; int32_t remote; };
    const Case cases[] = {{"ADIP0", 11, 11}, {"ADIP1", 22, 11}, {"ADIP2", 22, 33}, {"ADIP3", 22, 33}};
    const char* values[] = {"PORT11", "PORT22", "PORT33", "PORT44"};
    for (int i = 0; i < 4; ++i) {
        reply(cases[i].adip);
        reply(values[i]);
        EXPECT_EQ(z.LOCAL_PORT(), cases[i].local) << i;
        EXPECT_EQ(z.REMOTE_PORT(), cases[i].remote) << i;
    }
    reply("ADIP1");
    reply("PORT-1");
    EXPECT_EQ(z.LOCAL_PORT(), -1);
}

TEST_F(DeviceTest, NetmaskFromHostBits)
{
    struct Case { const char* line; const char* mask; };
    const Case cases[] = {{"NTMK8", "255.255.255.0"}, {"NTMK0", "255.255.255.255"}, {"NTMK-3", "255.255.255.255"},
                          {"NTMK32", "0.0.0.0"}, {"NTMK40", "0.0.0.0"}, {"NTMK31", "128.0.0.0"},
                          {"NTMK1", "255.255.255.254"}, {"NTMK16", "255.255.0.0"}, {"NTMK$FFFFFFFF", "255.255.255.255"}};
    for (const Case& c : cases) {
        reply(c.line);
        EXPECT_EQ(z.NETMASK(), c.mask) << c.line;
    }
}

TEST_F(DeviceTest, DeviceTypeRuleByState)
{
    struct Case { uint8_t state; const char* line; bool force; uint8_t next; };
    const Case cases[] = {
        {1, "DEV24", false, 2}, {1, "DEV18", false, 2}, {1, "DEV21", false, 2}, {1, "DEV26", false, 2},
        {1, "DEV19", false, 1}, {1, "DEV20", false, 1}, {1, "DEV27", false, 1}, {1, "DEV0", false, 1},
        {1, "DEV19", true, 2}, {6, "DEV25", false, 5}, {6, "DEV19", false, 6}, {3, "DEV24", false, 3},
        {4, "DEV24", false, 4}, {5, "DEV24", false, 5}, {0, "DEV24", false, 0},
    };
    for (const Case& c : cases) {
        TZEPH350_d d;
        Recorder r;
        r.attach(d);
        d.SetForceConn(c.force);
        d.setLinkState(c.state);
        d.receive(QByteArray(c.line) + "\r\n");
        EXPECT_EQ(d.linkState(), c.next) << c.line << " in state " << int(c.state);
        EXPECT_EQ(r.events.count("OnDEVchange"), 1) << c.line;
        EXPECT_EQ(d.DEV(), uint32_t(QByteArray(c.line).mid(3).toUInt()));
        if (c.state == 1 && c.next == 2) {
            EXPECT_EQ(d.linkTimer().interval(), 1);
            EXPECT_TRUE(d.linkTimer().isActive());
        }
    }
}

TEST_F(DeviceTest, BusyOnSecondDeviceTypeInARow)
{
    reply("BRG1");
    reply("DEV19");
    EXPECT_EQ(rec.events.count("ONRS232busy"), 0);
    reply("DEV19");
    EXPECT_EQ(rec.events.count("ONRS232busy"), 1);
    EXPECT_EQ(rec.events.mid(rec.events.size() - 3), (QStringList{"OnRecString", "OnDEVchange", "ONRS232busy"}));
    reply("JUNK");  // unrecognised lines do not count
    reply("DEV19");
    EXPECT_EQ(rec.events.count("ONRS232busy"), 2);
    reply("BRG1");
    z.RS232busy = true;
    reply("DEV19");
    EXPECT_EQ(rec.events.count("ONRS232busy"), 3);
}
