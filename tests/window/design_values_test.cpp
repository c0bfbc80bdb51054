// The device component's design values: applied through the write
// accessors in their order, sending nothing.

#include "design_values.h"
#include "zeph350_d.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

TEST(DesignValues, OrderAndEffect)
{
    TZEPH350_d z;
    QStringList events;
    for (int i = 0; i < TZEPH350_d::EventCount; ++i) {
        const auto e = static_cast<TZEPH350_d::Event>(i);
        z.setHandler(e, [&events, e](TZEPH350_d* s, int) {
            events << QString::fromLatin1(TZEPH350_d::eventName(e)) + QLatin1Char('/') + QString::number(s->ConType()) +
                          QLatin1Char('/') + QString::number(s->IpLocalPort()) + QLatin1Char('/') +
                          QString::number(s->IpRemotePort());
        });
    }
    z.RS232busy = true;
    applyDesignValues(z);
    // Each connection value raises its event once, after the one before it
    // took effect; the register writes send nothing while not connected.
    EXPECT_EQ(events, (QStringList{QStringLiteral("OnConTypechange/2/10000/10500"),
                                   QStringLiteral("OnIpLocalPortchange/2/10000/10500"),
                                   QStringLiteral("OnIpRemotePortchange/2/10000/10100"),
                                   QStringLiteral("OnIpRemoteAddresschange/2/10000/10100")}));
    EXPECT_FALSE(z.ForceConn());
    EXPECT_FALSE(z.RS232busy);
    EXPECT_EQ(z.sentString, QStringLiteral("?"));
    EXPECT_EQ(z.IpRemoteAddress(), QString::fromLatin1(DesignRemoteAddress));
    EXPECT_EQ(z.ConType(), CON_UDP);
    z.SetConType(CON_NONE);
}

}  // namespace
