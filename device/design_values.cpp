#include "design_values.h"

#include "zeph350_d.h"

void applyDesignValues(TZEPH350_d& z)
{
    z.SetForceConn(false);
    z.RS232busy = false;
    // Not connected yet: these writes send nothing.
    z.SetSHVPO(0);
    z.SetSHVSZ(0);
    z.SetMHPOS(0);
    z.SetMVPOS(0);
    z.SetMHSIZ(0);
    z.SetMVSIZ(0);
    z.SetDDIVIDER(0);
    z.SetDPHASE(0);
    z.SetLOCAL_PORT(0);
    z.SetREMOTE_PORT(0);
    z.SetMESSON(0);
    z.SetMESSOFF(0);
    z.sentString = QStringLiteral("?");
    // The UDP endpoint opens on its starting port, then binds again on the
    // local port; the device's port and address each reopen it.
    z.SetConType(CON_UDP);
    z.SetIpLocalPort(10000);
    z.SetIpRemotePort(10100);
    z.SetIpRemoteAddress(QString::fromLatin1(DesignRemoteAddress));
}
