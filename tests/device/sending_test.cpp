// Command texts: register writes, queries, the LAN setters and ParseIpAddress.
#include "device_fixture.h"

using namespace zeph;

TEST_F(DeviceTest, RegisterWriteTexts)
{
    z.SetLOCK(0);
    z.SetBRGT(4294967295u);
    z.SetOFMT(3);
    z.SetBRGT(128);
    z.SetIFRZ(true);
    z.SetPENA(false);
    z.SetPCHAN(0);
    z.SetAUTOFRAME(1);
    z.writeRegister(Reg::LINDEX, 1);
    EXPECT_EQ(rec.sent, (QStringList{"0yl", "4294967295B", "3F", "128B", "1Z", "0PE", "0PC", "1af", "1LI"}));
    EXPECT_EQ(z.BRGT(), 0u);  // unchanged until the device answers
    EXPECT_EQ(z.sentString, "1LI");
}

TEST_F(DeviceTest, WriteWhileNotConnectedIsDropped)
{
    TZEPH350_d d;
    Recorder r;
    r.attach(d);
    d.sentString = "before";
    d.SetBRGT(5);
    d.SetLOCAL_IP("10.0.0.1");
    EXPECT_TRUE(r.events.isEmpty());
    EXPECT_EQ(d.sentString, "before");
}

TEST_F(DeviceTest, SendCodeWithoutTransportStillRecords)
{
    TZEPH350_d d;
    Recorder r;
    r.attach(d);
    ASSERT_EQ(d.ConType(), CON_NONE);
    d.SendCode(Reg::DEV);
    EXPECT_EQ(d.sentString, "?");
    EXPECT_EQ(r.events, QStringList{"OnSentString"});
    r.clear();
    d.QueryAll();
    d.SendText("raw");
    EXPECT_TRUE(r.events.isEmpty());
    EXPECT_EQ(d.sentString, "?");
}

TEST_F(DeviceTest, DevIsAPlainField)
{
    z.SetDEV(22);
    EXPECT_EQ(z.DEV(), 22u);
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(DeviceTest, LanSetters)
{
    struct Case { std::function<void()> call; QStringList sent; };
    const Case cases[] = {
        {[&] { z.SetLOCAL_IP("10.1.2.3"); }, {"1na", "10nw", "1nx", "2ny", "3nz"}},
        {[&] { z.SetREMOTE_IP("192.168.0.20"); }, {"2na", "192nw", "168nx", "0ny", "20nz"}},
        {[&] { z.SetGATEWAY_IP("$0A.0.0.1"); }, {"3na", "10nw", "0nx", "0ny", "1nz"}},
        {[&] { z.SetLOCAL_IP("10.1.2"); }, {}},
        {[&] { z.SetLOCAL_IP("10.1.2.256"); }, {}},
        {[&] { z.SetNETMASK("255.255.255.0"); }, {"8nk"}},
        {[&] { z.SetNETMASK("255.255.0.0"); }, {"16nk"}},
        {[&] { z.SetNETMASK("255.255.255.255"); }, {"0nk"}},
        {[&] { z.SetNETMASK("0.0.0.0"); }, {"32nk"}},
        {[&] { z.SetNETMASK("255.255.255.x"); }, {}},
        {[&] { z.SetLOCAL_PORT(10100); }, {"1na", "10100np"}},
        {[&] { z.SetREMOTE_PORT(-1); }, {"2na", "4294967295np"}},
    };
    for (const Case& c : cases) {
        rec.clear();
        c.call();
        EXPECT_EQ(rec.sent, c.sent);
    }
}

TEST(ParseIpAddress, Table)
{
    struct Case { const char* text; bool valid; const char* dotted; };
    const Case cases[] = {
        {"10.0.0.5", true, "10.0.0.5"},
        {" 10.0.0.5", true, "10.0.0.5"},
        {"010.0.0.5", true, "10.0.0.5"},
        {"$0A.0.0.5", true, "10.0.0.5"},
        {"255.255.255.255", true, "255.255.255.255"},
        {"-0.0.0.0", true, "0.0.0.0"},
        {"4294967296.0.0.1", false, ""},
        {"4294967306.0.0.1", false, ""},
        {"-1.0.0.0", false, ""},
        {"1.2.3", false, ""},
        {"1.2.3.4.5", false, ""},
        {"1..2.3", false, ""},
        {"1.2.3.4 ", false, ""},
        {"1.2.3.256", false, ""},
        {"", false, ""},
        {"a.b.c.d", false, ""},
    };
    for (const Case& c : cases) {
        const IpAddress ip = ParseIpAddress(c.text);
        EXPECT_EQ(ip.valid, c.valid) << c.text;
        if (c.valid)
            EXPECT_EQ(ip.dotted(), c.dotted) << c.text;
        else
            EXPECT_EQ(ip.n, (std::array<uint32_t, 4>{})) << c.text;
    }
}
