#include "gfx_inictrl.h"

#include "gfx_strings.h"
#include "gfx_sysinfo.h"

TGfxIniCtrl::TGfxIniCtrl(QObject* AOwner) : TGfxCustomComponent(AOwner) {}

void TGfxIniCtrl::SetAlphaCounter(bool v)
{
    if (v == alphaCounter_)
        return;
    alphaCounter_ = v;
    if (maxEntries_ > AlphaLimit)
        maxEntries_ = AlphaLimit;
}

void TGfxIniCtrl::SetIniFile(const QString& name)
{
    iniFile_ = GfxExtractFileExt(name).isEmpty() ? name + QStringLiteral(".INI") : name;
}

void TGfxIniCtrl::SetMaxEntries(std::uint8_t v)
{
    if (alphaCounter_ && v > AlphaLimit)
        return;
    maxEntries_ = v;
}

void TGfxIniCtrl::SetNetUser(bool v)
{
    if (v == netUser_)
        return;
    netUser_ = v;
    if (v)
        user_ = GetCurrentUser();
}

void TGfxIniCtrl::SetTarget(TGfxIniTarget v)
{
    target_ = v;
    effectiveTarget_ = v == itAuto ? itRegistry : v;
}

QString TGfxIniCtrl::GetCurrentUser() const { return GfxGetUserName(); }
